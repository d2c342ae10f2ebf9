#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// The video capability data block (extended tag 0): quantization range selectability and
/// the scan behaviour of preferred, IT and CE formats.
class CTAVideoCapabilityVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;
};

}  // namespace libEDID
