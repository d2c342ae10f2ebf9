#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// The HDMI Forum vendor-specific data block (OUI C4-5D-D8): version, maximum TMDS
/// character rate, SCDC and maximum FRL rate.
class CTAHDMIForumVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;
};

}  // namespace libEDID
