#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// The speaker allocation data block (tag 4): the speakers present, in bit order.
class CTASpeakerAllocationVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;
};

}  // namespace libEDID
