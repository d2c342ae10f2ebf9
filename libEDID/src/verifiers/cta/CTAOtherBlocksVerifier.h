#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// Data blocks of any other tag or extended tag: one report of tag and length each.
class CTAOtherBlocksVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;
};

}  // namespace libEDID
