#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// The HDMI vendor-specific data block (OUI 00-0C-03): physical address, deep colour modes
/// and maximum TMDS clock.
class CTAHDMIVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;
};

}  // namespace libEDID
