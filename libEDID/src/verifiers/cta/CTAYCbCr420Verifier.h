#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// The YCbCr 4:2:0 video data block (extended tag 14) and capability map (extended tag 15).
class CTAYCbCr420Verifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;
};

}  // namespace libEDID
