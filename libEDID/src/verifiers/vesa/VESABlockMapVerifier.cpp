#include <string>

#include "verifiers/vesa/VESAVerifier.h"

namespace libEDID {

namespace {

constexpr auto kCategory = LibEDIDLog::LIBEDID_LOG_CAT_BLOCK_STRUCTURE;
constexpr auto kError = LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR;
constexpr auto kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;

}  // namespace

void VESABlockMapVerifier::verify() {
    const VESABlockMap map = vesa::decodeBlockMap(bytes(), blockNumber);
    reportSection("VESAKindBlockMap");
    // "2: 02h, 3: 70h": the blocks that the used entries describe and their tags.
    std::string entries;
    for (unsigned i = 0; i < map.tags.size(); ++i) {
        if (map.tags[i] == 0) {
            continue;
        }
        if (!entries.empty()) {
            entries += ", ";
        }
        detail::appendUnsigned(entries, map.describedBlock(i));
        entries += ": ";
        entries += detail::hexByte(map.tags[i]).str();
    }
    reportLine("VESABlockMapEntries",
               entries.empty() ? detail::localized("None") : qor::String(entries), "VESABlockMap");
    checkPlacement();
    checkEntries(map);
    checkSecondMap();
    results().blockMaps.push_back(map);
}

// A block map stands in block 1 (describing blocks 2-127) or block 128 (129-254).
void VESABlockMapVerifier::checkPlacement() {
    if (blockNumber != vesa::kFirstBlockMap && blockNumber != vesa::kSecondBlockMap) {
        logBlockFinding("VESABlockMapPlacement", kError, {}, kCategory);
    }
}

// Each entry names the tag of the block it describes; entries beyond the last block are 00h.
void VESABlockMapVerifier::checkEntries(const VESABlockMap& map) {
    const auto present = static_cast<unsigned>(extensionBlocks().size());
    for (unsigned i = 0; i < map.tags.size(); ++i) {
        const unsigned described = map.describedBlock(i);
        const qor::String entry = detail::unsignedText(described);
        if (described <= present) {
            const unsigned char tag = extensionBlocks()[described - 1][0];
            if (tag != map.tags[i]) {
                logBlockFinding("VESABlockMapMismatch", kError,
                                {{"entry", entry},
                                 {"mapped", detail::hexByte(map.tags[i])},
                                 {"tag", detail::hexByte(tag)}},
                                kCategory);
            }
        } else if (map.tags[i] != 0) {
            logBlockFinding("VESABlockMapBeyondBlocks", kWarning,
                            {{"entry", entry},
                             {"mapped", detail::hexByte(map.tags[i])},
                             {"count", detail::unsignedText(present)}},
                            kCategory);
        }
    }
}

// The map in block 1 describes blocks 2-127: an EDID with blocks after 128 needs a second map
// in block 128.
void VESABlockMapVerifier::checkSecondMap() {
    const auto present = static_cast<unsigned>(extensionBlocks().size());
    if (blockNumber != vesa::kFirstBlockMap || present <= vesa::kSecondBlockMap) {
        return;
    }
    const unsigned char tag = extensionBlocks()[vesa::kSecondBlockMap - 1][0];
    if (tag != vesa::kTagBlockMap) {
        logBlockFinding("VESABlockMapSecondMissing", kError,
                        {{"count", detail::unsignedText(present)}, {"tag", detail::hexByte(tag)}},
                        kCategory);
    }
}

}  // namespace libEDID
