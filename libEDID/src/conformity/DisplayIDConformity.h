#pragma once

#include "conformity/ConformityCheck.h"

namespace libEDID::conformity {

/// Rules of DisplayID 1.3 and 2.0 over the decoded sections: what the base section (the first
/// DisplayID block of the EDID) must carry, and how the sections count each other.
class DisplayIDConformity : public ConformityCheck {
  public:
    using ConformityCheck::ConformityCheck;
    void verify() override;

  private:
    void checkBaseSection(const DisplayIDSection& base);
    void checkSectionCount(const DisplayIDSection& base);
};

}  // namespace libEDID::conformity
