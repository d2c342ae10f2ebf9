#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// Vendor-specific data blocks (tag 3): OUI and length of each, and the variable refresh
/// range of the HDMI Forum or the AMD block.
class CTAVendorBlocksVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;
};

}  // namespace libEDID
