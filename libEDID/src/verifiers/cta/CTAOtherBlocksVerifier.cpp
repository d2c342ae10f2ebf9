#include "verifiers/cta/CTAOtherBlocksVerifier.h"

namespace libEDID {

void CTAOtherBlocksVerifier::verify() {
    for (const CTADataBlockInfo& block : collection.blocks) {
        if (block.kind != CTADataBlockKind::Other) {
            continue;
        }
        // Tag 7 names the block by its extended tag (payload byte 0).
        const bool extended = block.tag == 7 && block.length > 0;
        LibEDIDLog record(extended ? "CTAExtendedDataBlock" : "CTADataBlock",
                          LibEDIDLog::LIBEDID_LOG_LEVEL_INFO, LibEDIDLog::LIBEDID_LOG_CAT_GENERAL);
        record.setVariable("tag", detail::unsignedText(extended ? block.extendedTag : block.tag));
        record.setVariable("length", detail::unsignedText(block.length));
        logMesgAndAppend(record);
    }
}

}  // namespace libEDID
