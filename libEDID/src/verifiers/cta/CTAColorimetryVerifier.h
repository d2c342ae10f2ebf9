#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// The colorimetry data block (extended tag 5): the colorimetries supported.
class CTAColorimetryVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;
};

}  // namespace libEDID
