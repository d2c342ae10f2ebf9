#pragma once

#include "conformity/ConformityCheck.h"

namespace libEDID::conformity {

/// Rules across the blocks of an EDID (VESA E-EDID A2 section 2.2): the extension count of
/// byte 7Eh against the blocks present, the tags of the extension blocks, the block map.
class BlockConformity : public ConformityCheck {
  public:
    using ConformityCheck::ConformityCheck;
    void verify() override;

  private:
    void checkCount();
    void checkTags();
    void checkBlockMap();
    unsigned blocksBeyond(unsigned read) const;
};

}  // namespace libEDID::conformity
