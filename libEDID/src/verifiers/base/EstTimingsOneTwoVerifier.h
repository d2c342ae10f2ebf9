#pragma once

#include "report/EDIDVerifier.h"

namespace libEDID {

/// Established timings I and II and the manufacturer's timings (23h-25h): one bit per mode.
class EstTimingsOneTwoVerifier : public EDIDVerifier {
  public:
    using EDIDVerifier::EDIDVerifier;

    void verify() override;
};

}  // namespace libEDID
