#include "verifiers/cta/CTAOtherBlocksVerifier.h"

namespace libEDID {

void CTAOtherBlocksVerifier::verify() {
    for (const CTADataBlockInfo& block : collection.blocks) {
        if (block.kind != CTADataBlockKind::Other) {
            continue;
        }
        // Tag 7 names the block by its extended tag (payload byte 0).
        const bool extended = block.tag == 7 && block.length > 0;
        logMesgAndAppend(
            info(extended ? "CTAExtendedDataBlock" : "CTADataBlock",
                 {{"tag", detail::unsignedText(extended ? block.extendedTag : block.tag)},
                  {"length", detail::unsignedText(block.length)}}));
    }
}

}  // namespace libEDID
