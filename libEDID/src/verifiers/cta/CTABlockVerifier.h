#pragma once

#include "parser/EDIDVerifier.h"

namespace libEDID {

/// Decodes and judges one CTA-861 extension block (tag 02h): its header, the data block
/// collection and the detailed timing descriptors that follow it.
class CTABlockVerifier : public EDIDVerifier {
  public:
    /// `blockNumber`: the block's number in the EDID (1 = the first extension block).
    CTABlockVerifier(EDIDParser* owner, unsigned number)
        : EDIDVerifier(owner), blockNumber(number) {}

    void verify() override;

  private:
    unsigned blockNumber;
};

}  // namespace libEDID
