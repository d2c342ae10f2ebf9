#include "verifiers/cta/CTAOtherBlocksVerifier.h"

#include <array>

namespace libEDID {

namespace {

// Extended tags whose layout VESA keeps: the block is named, its bytes stay as stored.
struct VESAKind {
    std::uint8_t extendedTag;
    const char* nameKey;
};
constexpr std::array<VESAKind, 2> kVESAKinds{{
    {2, "CTAVESADisplayDevice"},
    {3, "CTAVESAVideoTimingBlock"},
}};

const char* vesaKindKey(std::uint8_t extendedTag) {
    for (const VESAKind& kind : kVESAKinds) {
        if (kind.extendedTag == extendedTag) {
            return kind.nameKey;
        }
    }
    return nullptr;
}

}  // namespace

void CTAOtherBlocksVerifier::verify() {
    for (const CTADataBlockInfo& block : collection.blocks) {
        if (block.kind != CTADataBlockKind::Other) {
            continue;
        }
        // Tag 7 names the block by its extended tag (payload byte 0).
        const bool extended = block.tag == 7 && block.length > 0;
        const char* vesaKey = extended ? vesaKindKey(block.extendedTag) : nullptr;
        if (vesaKey != nullptr) {
            logMesgAndAppend(
                info("CTAVESADataBlock", {{"kind", detail::localized(vesaKey)},
                                          {"length", detail::unsignedText(block.length)}}));
            continue;
        }
        logMesgAndAppend(
            info(extended ? "CTAExtendedDataBlock" : "CTADataBlock",
                 {{"tag", detail::unsignedText(extended ? block.extendedTag : block.tag)},
                  {"length", detail::unsignedText(block.length)}}));
    }
}

}  // namespace libEDID
