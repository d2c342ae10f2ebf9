#pragma once

#include "parser/EDIDVerifier.h"

namespace libEDID {

/// Decodes and judges one DisplayID extension block (tag 70h): the DisplayID section it
/// carries from byte 1 on, its data blocks and its own checksum.
class DisplayIDBlockVerifier : public EDIDVerifier {
  public:
    /// `blockNumber`: the block's number in the EDID (1 = the first extension block).
    DisplayIDBlockVerifier(EDIDParser* owner, unsigned number)
        : EDIDVerifier(owner), blockNumber(number) {}

    void verify() override;

  private:
    [[maybe_unused]] unsigned blockNumber;  // for the reports of the DisplayID decoder
};

}  // namespace libEDID
