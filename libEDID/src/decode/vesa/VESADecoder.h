#pragma once

#include <cstdint>
#include <span>

#include "libEDID/VESAExtensions.h"

// Pure decoders of the VESA extension blocks other than CTA-861 and DisplayID: a whole
// 128-byte block in, a plain struct out; nothing is judged, every byte pattern decodes.
namespace libEDID::vesa {

using Block = std::span<const std::uint8_t, 128>;

/// Extension block tags (byte 0).
constexpr std::uint8_t kTagVideoTimingBlock = 0x10;
constexpr std::uint8_t kTagDisplayInformation = 0x40;
constexpr std::uint8_t kTagLocalizedStrings = 0x50;
constexpr std::uint8_t kTagPacketVideoLink = 0x60;
constexpr std::uint8_t kTagBlockMap = 0xF0;

/// The blocks that one block map can describe, and the blocks where a map may stand.
constexpr unsigned kBlockMapEntries = 126;
constexpr unsigned kFirstBlockMap = 1;
constexpr unsigned kSecondBlockMap = 128;

/// Descriptors of a video timing block start at byte 5 and end before the checksum.
constexpr unsigned kVTBFirstDescriptor = 5;
constexpr unsigned kVTBDescriptorBytes = 122;

VESABlockMap decodeBlockMap(Block block, unsigned blockNumber);
VESAVideoTimingBlock decodeVideoTimingBlock(Block block, unsigned blockNumber);
/// The version, counts and descriptors of a video timing block from `body`, which starts at
/// the version byte; `firstOffset` is that byte's offset in its block (for nonZeroPadding).
/// The extension block (tag 10h) and the CTA-861 data block of extended tag 3 share it.
VESAVideoTimingBlock decodeVideoTimings(std::span<const std::uint8_t> body, unsigned firstOffset);
VESADisplayInformation decodeDisplayInformation(Block block, unsigned blockNumber);
VESALocalizedStrings decodeLocalizedStrings(Block block, unsigned blockNumber);
VESAPacketVideoLink decodePacketVideoLink(Block block, unsigned blockNumber);

/// The bytes of the descriptors that a video timing block's counts (bytes 2-4) announce.
constexpr unsigned vtbDescriptorBytes(unsigned detailed, unsigned cvt, unsigned standard) {
    return 18 * detailed + 3 * cvt + 2 * standard;
}

}  // namespace libEDID::vesa
