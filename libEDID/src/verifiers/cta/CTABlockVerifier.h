#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// Decodes and judges one CTA-861 extension block (tag 02h): its header, the data block
/// collection and the detailed timing descriptors that follow it, then hands the decoded
/// block to the parser.
class CTABlockVerifier : public CTAReportingVerifier {
  public:
    /// `blockNumber`: the block's number in the EDID (1 = the first extension block).
    CTABlockVerifier(EDIDParser* owner, unsigned blockNumber)
        : CTAReportingVerifier(owner, blockNumber) {}

    void verify() override;

  private:
    void reportHeader(const CTABlock& block);
    void verifyTimings(const CTABlock& block);
    void checkPadding();
};

}  // namespace libEDID
