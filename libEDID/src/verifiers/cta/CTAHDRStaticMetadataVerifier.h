#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// The HDR static metadata data block (extended tag 6): transfer functions and the
/// luminance the content should stay within.
class CTAHDRStaticMetadataVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;
};

}  // namespace libEDID
