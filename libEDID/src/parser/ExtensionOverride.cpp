// HF-EEODB: an HDMI 2.1 sink may keep byte 7Eh at 1 for older sources and announce its real
// number of extension blocks in an HF-EEODB, the first data block of its first CTA-861 block.
// With extension decoding on, the parser reads the blocks it announces.

#include "decode/base/BaseBlockLayout.h"
#include "decode/cta/CTADecoder.h"
#include "libEDID/EDIDParser.h"
#include "report/MessageBuilder.h"
#include "report/ReportText.h"

namespace libEDID {

void EDIDParser::readOverrideBlocks() {
    overrideCount.reset();
    if (extensionBlocks.isEmpty()) {
        return;
    }
    const std::optional<std::uint8_t> count = cta::eeodbExtensionCount(extensionBlocks[0]);
    if (!count) {
        return;
    }
    overrideCount = *count;
    for (unsigned n = static_cast<unsigned>(extensionBlocks.size()) + 1; n <= *overrideCount; ++n) {
        EDIDBlock block{};
        if (!accessor->readStructure(n * layout::kBlockSize, block.data(), layout::kBlockSize)) {
            break;
        }
        extensionBlocks.append(block);
    }
}

void EDIDParser::reportOverride(const ParseWork& work) {
    if (!overrideCount) {
        return;
    }
    constexpr auto kCategory = LibEDIDLog::LIBEDID_LOG_CAT_CTA_EXTENSION;
    const unsigned base = work.baseBlock[layout::kExtensionCount];
    const auto read = static_cast<unsigned>(work.extensionBlocks.size());
    const qor::String count = detail::unsignedText(*overrideCount);
    // Level-0 reports carry the general category, as every value report does.
    logMesg(detail::makeMessage("CTAEEODBOverride", LibEDIDLog::LIBEDID_LOG_LEVEL_INFO,
                                LibEDIDLog::LIBEDID_LOG_CAT_GENERAL,
                                {{"count", count}, {"base", detail::unsignedText(base)}}));
    // Byte 7Eh stays 1 for the sources that read only the first CTA-861 block, or agrees.
    if (base != 1 && base != *overrideCount) {
        logMesg(detail::makeMessage("CTAEEODBCountMismatch", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
                                    kCategory,
                                    {{"count", count}, {"base", detail::unsignedText(base)}}));
    }
    if (read < *overrideCount) {
        logMesg(detail::makeMessage("CTAEEODBShortEDID", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                                    kCategory,
                                    {{"count", count}, {"read", detail::unsignedText(read)}}));
    }
}

}  // namespace libEDID
