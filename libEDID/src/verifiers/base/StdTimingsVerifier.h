#pragma once

#include "report/EDIDVerifier.h"

namespace libEDID {

/// The eight standard timing identifiers of the base block (26h-35h).
class StdTimingsVerifier : public EDIDVerifier {
  public:
    using EDIDVerifier::EDIDVerifier;

    void verify() override;
};

}  // namespace libEDID
