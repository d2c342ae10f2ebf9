#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// Audio data blocks (tag 1): one "CTAAudioFormats" entry per short audio descriptor.
class CTAAudioFormatsVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;
};

}  // namespace libEDID
