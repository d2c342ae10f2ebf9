#pragma once

#include "verifiers/ReportingVerifier.h"

namespace libEDID {

/// Established timings I and II and the manufacturer's timings (23h-25h): one bit per mode.
class EstTimingsOneTwoVerifier : public ReportingVerifier {
  public:
    using ReportingVerifier::ReportingVerifier;

    void verify() override;
};

}  // namespace libEDID
