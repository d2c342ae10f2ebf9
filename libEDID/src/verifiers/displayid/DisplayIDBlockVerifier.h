#pragma once

#include "decode/displayid/DisplayIDDecode.h"
#include "verifiers/displayid/DisplayIDVerifier.h"

namespace libEDID {

/// Decodes and judges one DisplayID extension block (tag 70h): the DisplayID section it
/// carries from byte 1 on, its data blocks and its own checksum. The decoded section is kept
/// by the parser (EDIDParser::getDisplayIDBlocks).
class DisplayIDBlockVerifier : public DisplayIDVerifier {
  public:
    /// `blockNumber`: the block's number in the EDID (1 = the first extension block).
    using DisplayIDVerifier::DisplayIDVerifier;

    void verify() override;

  private:
    /// The section line, the version and product type reports and properties.
    void reportHeader(const displayid::SectionHeader& header);
    /// The line of one data block, then its decoding by the verifier of its kind.
    void verifyDataBlock(DisplayIDSection& section, const displayid::SectionHeader& header,
                         const DisplayIDDataBlock& data);
    void reportChecksum(const displayid::SectionHeader& header, DisplayIDSection& section);
    /// A 1.x section names its product or its preferred timing.
    void checkIdentified(const displayid::SectionHeader& header, const DisplayIDSection& section);
};

}  // namespace libEDID
