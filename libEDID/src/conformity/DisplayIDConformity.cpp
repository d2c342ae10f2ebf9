#include "conformity/DisplayIDConformity.h"

#include <algorithm>

#include "conformity/ConformityTables.h"

namespace libEDID::conformity {

namespace {

constexpr auto kCategory = LibEDIDLog::LIBEDID_LOG_CAT_DISPLAYID_EXTENSION;

bool hasTag(const DisplayIDSection& section, std::uint8_t tag) {
    return std::any_of(section.dataBlocks.begin(), section.dataBlocks.end(),
                       [tag](const DisplayIDDataBlock& block) { return block.tag == tag; });
}

}  // namespace

void DisplayIDConformity::verify() {
    const auto& sections = displayIDSections();
    if (sections.empty()) {
        return;
    }
    checkBaseSection(sections.front());
    checkSectionCount(sections.front());
}

// The first DisplayID block of an EDID holds the base section: it names the product type
// (1.x) or primary use case (2.x), 0 being reserved for the extension sections that follow.
void DisplayIDConformity::checkBaseSection(const DisplayIDSection& base) {
    if (base.version != 1 && base.version != 2) {
        return;
    }
    if (base.productType == 0) {
        logBlockFinding("ConfDisplayIDNoProductType", kWarning, kCategory, base.blockNumber);
    }
    for (const tables::RequiredDisplayIDBlock& required : tables::kRequiredDisplayIDBlocks) {
        const std::uint8_t tag = base.version == 1 ? required.tagV1 : required.tagV2;
        if ((required.onlyForProducts && base.productType == 0) || hasTag(base, tag)) {
            continue;
        }
        logBlockFinding("ConfDisplayIDMissingBlock", kWarning, kCategory, base.blockNumber,
                        {{"type", detail::text(required.labelKey)}, {"tag", detail::hexByte(tag)}});
    }
}

// Byte 4 of the base section counts the extension sections that follow it; in an EDID each
// further DisplayID block holds one.
void DisplayIDConformity::checkSectionCount(const DisplayIDSection& base) {
    const auto following = static_cast<unsigned>(displayIDSections().size() - 1);
    if (base.extensionCount != following) {
        logBlockFinding("ConfDisplayIDSectionCount", kWarning, kCategory, base.blockNumber,
                        {{"count", detail::unsignedText(base.extensionCount)},
                         {"found", detail::unsignedText(following)}});
    }
}

}  // namespace libEDID::conformity
