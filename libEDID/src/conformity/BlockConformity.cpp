#include "conformity/BlockConformity.h"

#include <algorithm>
#include <optional>

#include "conformity/ConformityTables.h"
#include "decode/base/BaseBlockLayout.h"
#include "decode/cta/CTADecoder.h"

namespace libEDID::conformity {

namespace {

constexpr auto kCategory = LibEDIDLog::LIBEDID_LOG_CAT_BLOCK_STRUCTURE;
// A source holds at most 256 blocks: the base block and 255 extension blocks.
constexpr unsigned kMaxBlocks = 256;

}  // namespace

void BlockConformity::verify() {
    checkCount();
    checkTags();
    checkBlockMap();
}

// Byte 7Eh counts the extension blocks that follow the base block; the source holds exactly
// that many. An HF-EEODB, the first data block of the first CTA-861 block, overrides that count
// (byte 7Eh then stays 1 for older sources), so its count is the one announced.
void BlockConformity::checkCount() {
    const std::optional<std::uint8_t> override =
        extensionBlocks().isEmpty() ? std::nullopt : cta::eeodbExtensionCount(extensionBlocks()[0]);
    const unsigned announced = override ? *override : baseBlock()[layout::kExtensionCount];
    const auto read = static_cast<unsigned>(extensionBlocks().size());
    // Fewer blocks than byte 7Eh announces are the parser's own finding
    // (ExtensionBlocksMissing) when it reports them, so that the fact is reported once.
    if (!override && read < announced && getParser()->getReportMissingExtensions()) {
        return;
    }
    const unsigned present = read + blocksBeyond(read);
    if (present != announced) {
        logMesg(message(override ? "ConfEEODBExtensionCount" : "ConfExtensionCount", kError,
                        kCategory,
                        {{"announced", detail::unsignedText(announced)},
                         {"present", detail::unsignedText(present)}}));
    }
}

// Whole blocks that the source holds after the first `read` extension blocks; none when the
// source ended before them.
unsigned BlockConformity::blocksBeyond(unsigned read) const {
    const EDIDAccessorHandle accessor = getParser()->getAccessor();
    if (accessor.isEmpty()) {
        return 0;
    }
    EDIDBlock probe{};
    unsigned block = read + 1;
    unsigned extra = 0;
    for (; block < kMaxBlocks; ++block, ++extra) {
        if (accessor->read(static_cast<unsigned>(block * layout::kBlockSize),
                           static_cast<unsigned>(layout::kBlockSize), probe.data()) < 0) {
            break;
        }
    }
    return extra;
}

void BlockConformity::checkTags() {
    for (std::size_t i = 0; i < extensionBlocks().size(); ++i) {
        const unsigned char tag = extensionBlocks()[i][0];
        if (std::find(tables::kKnownExtensionTags.begin(), tables::kKnownExtensionTags.end(),
                      tag) == tables::kKnownExtensionTags.end()) {
            logMesg(message("ConfUnknownExtensionTag", kWarning, kCategory,
                            {{"block", detail::unsignedText(static_cast<unsigned>(i + 1))},
                             {"tag", detail::hexByte(tag)}}));
        }
    }
}

// E-EDID 1.3 (VESA E-EDID A1 section 2.2): with more than one extension block, block 1 is a
// block map. E-EDID 1.4 drops that rule.
void BlockConformity::checkBlockMap() {
    const bool revision3 =
        baseBlock()[layout::kVersion] == 1 && baseBlock()[layout::kRevision] == 3;
    if (revision3 && extensionBlocks().size() > 1 &&
        extensionBlocks()[0][0] != tables::kTagBlockMap) {
        logMesg(message(
            "ConfBlockMapMissing", kError, kCategory,
            {{"count", detail::unsignedText(static_cast<unsigned>(extensionBlocks().size()))},
             {"tag", detail::hexByte(extensionBlocks()[0][0])}}));
    }
}

}  // namespace libEDID::conformity
