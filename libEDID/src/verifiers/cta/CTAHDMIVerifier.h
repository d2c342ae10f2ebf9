#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// The HDMI vendor-specific data block (OUI 00-0C-03): physical address, deep colour modes,
/// maximum TMDS clock, content types, latencies, HDMI VICs and 3D formats.
class CTAHDMIVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;

  private:
    void verifyVideoFlags(const CTAHDMIBlock& hdmi);
    void verifyHDMIVideo(const CTAHDMIBlock& hdmi);
};

}  // namespace libEDID
