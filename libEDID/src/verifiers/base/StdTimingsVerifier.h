#pragma once

#include "verifiers/ReportingVerifier.h"

namespace libEDID {

/// The eight standard timing identifiers of the base block (26h-35h).
class StdTimingsVerifier : public ReportingVerifier {
  public:
    using ReportingVerifier::ReportingVerifier;

    void verify() override;
};

}  // namespace libEDID
