#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// Video data blocks (tag 2): the short video descriptors of all of them, in order, as
/// "CTAVideoFormats"; VICs without a format and VICs listed twice are warned about.
class CTAVideoFormatsVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;
};

}  // namespace libEDID
