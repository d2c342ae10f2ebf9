#include "decode/displayid/DisplayIDDecode.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace libEDID::displayid {

namespace {

constexpr std::array<TagInfo, 37> kTags{{
    {0x00, "DisplayIDTagProduct", Family::V1, Kind::Product, 12},
    {0x01, "DisplayIDTagParameters", Family::V1, Kind::DisplayParameters, 12},
    {0x02, "DisplayIDTagColor", Family::V1, Kind::ColorCharacteristics, 1},
    {0x03, "DisplayIDTagTypeI", Family::V1, Kind::TimingTypeI, 0},
    {0x04, "DisplayIDTagTypeII", Family::V1, Kind::TimingTypeII, 0},
    {0x05, "DisplayIDTagTypeIII", Family::V1, Kind::FormulaTimings, 0},
    {0x06, "DisplayIDTagTypeIV", Family::V1, Kind::TimingCodes, 0},
    {0x07, "DisplayIDTagVESATimings", Family::V1, Kind::VESATimings, 0},
    {0x08, "DisplayIDTagCTATimings", Family::V1, Kind::CTATimings, 0},
    {0x09, "DisplayIDTagRangeLimits", Family::V1, Kind::RangeLimits, 15},
    {0x0A, "DisplayIDTagSerial", Family::V1, Kind::Serial, 0},
    {0x0B, "DisplayIDTagString", Family::V1, Kind::String, 0},
    {0x0C, "DisplayIDTagDevice", Family::V1, Kind::DeviceData, 13},
    {0x0D, "DisplayIDTagPower", Family::V1, Kind::PowerSequencing, 6},
    {0x0E, "DisplayIDTagTransfer", Family::V1, Kind::TransferCharacteristics, 1},
    {0x0F, "DisplayIDTagInterface", Family::V1, Kind::Interface, 8},
    {0x10, "DisplayIDTagStereo", Family::V1, Kind::StereoInterface, 2},
    {0x11, "DisplayIDTagTypeV", Family::V1, Kind::FormulaTimings, 0},
    {0x12, "DisplayIDTagTiled", Family::V1, Kind::TiledTopology, 22},
    {0x13, "DisplayIDTagTypeVI", Family::V1, Kind::TimingTypeVI, 0},
    {0x7F, "DisplayIDTagVendor", Family::V1, Kind::Vendor, 3},
    {0x20, "DisplayIDTagProduct", Family::V2, Kind::Product, 12},
    {0x21, "DisplayIDTagParameters", Family::V2, Kind::DisplayParameters, 29},
    {0x22, "DisplayIDTagTypeVII", Family::V2, Kind::TimingTypeVII, 0},
    {0x23, "DisplayIDTagTypeVIII", Family::V2, Kind::TimingCodes, 0},
    {0x24, "DisplayIDTagTypeIX", Family::V2, Kind::FormulaTimings, 0},
    {0x25, "DisplayIDTagDynamicRange", Family::V2, Kind::DynamicRange, 9},
    {0x26, "DisplayIDTagInterfaceFeatures", Family::V2, Kind::InterfaceFeatures, 9},
    {0x27, "DisplayIDTagStereo", Family::V2, Kind::StereoInterface, 2},
    {0x28, "DisplayIDTagTiled", Family::V2, Kind::TiledTopology, 22},
    {0x29, "DisplayIDTagContainerID", Family::V2, Kind::ContainerID, 16},
    {0x2A, "DisplayIDTagTypeX", Family::V2, Kind::FormulaTimings, 0},
    {0x2B, "DisplayIDTagAdaptiveSync", Family::V2, Kind::AdaptiveSync, 0},
    {0x2C, "DisplayIDTagHeadMounted", Family::V2, Kind::Other, 0},
    {0x2D, "DisplayIDTagLayer", Family::V2, Kind::Other, 0},
    {0x7E, "DisplayIDTagVendor", Family::V2, Kind::Vendor, 3},
    {0x81, "DisplayIDTagCTA", Family::Unknown, Kind::CTAData, 0},
}};

unsigned le16(const unsigned char* bytes) {
    return bytes[0] | (bytes[1] << 8u);
}

// Sizes and counts are stored minus one.
unsigned le16PlusOne(const unsigned char* bytes) {
    return le16(bytes) + 1;
}

// ASCII text of the bytes; anything outside 20h-7Eh becomes '?'.
std::string printable(const unsigned char* begin, const unsigned char* end) {
    std::string text(begin, end);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c < 0x20 || c > 0x7E; }, '?');
    return text;
}

}  // namespace

const TagInfo* findTag(std::uint8_t tag, Family family) {
    const auto found = std::find_if(kTags.begin(), kTags.end(), [&](const TagInfo& info) {
        return info.tag == tag && (info.family == family || info.family == Family::Unknown ||
                                   family == Family::Unknown);
    });
    return found == kTags.end() ? nullptr : &*found;
}

SectionHeader decodeSectionHeader(const EDIDBlock& block) {
    SectionHeader header;
    header.version = block[1] >> 4;
    header.revision = block[1] & 0x0Fu;
    header.payloadLength = block[2];
    header.productType = block[3];
    header.extensionCount = block[4];
    header.family = header.version == 1   ? Family::V1
                    : header.version == 2 ? Family::V2
                                          : Family::Unknown;
    header.knownVersion = (header.version == 1 && header.revision <= 3) ||
                          (header.version == 2 && header.revision <= 1);
    header.payloadFits = header.payloadLength <= kMaxPayloadLength;
    header.payloadEnd = kPayloadOffset + std::min(header.payloadLength, kMaxPayloadLength);
    return header;
}

bool sectionChecksumValid(const EDIDBlock& block, const SectionHeader& header) {
    if (!header.payloadFits) {
        return false;
    }
    unsigned sum = 0;
    // Bytes 1-4 (header), the payload, and the checksum byte right after it.
    for (unsigned i = 1; i <= header.payloadEnd; ++i) {
        sum += block[i];
    }
    return (sum & 0xFFu) == 0;
}

DataBlockWalk walkDataBlocks(const EDIDBlock& block, unsigned payloadEnd) {
    constexpr unsigned kHeaderSize = 3;  // tag, revision, payload length
    DataBlockWalk walk;
    unsigned offset = kPayloadOffset;
    while (offset < payloadEnd) {
        const auto rest = block.begin() + offset;
        const auto end = block.begin() + payloadEnd;
        const auto headerEnd = rest + std::min<std::ptrdiff_t>(kHeaderSize, end - rest);
        if (std::all_of(rest, headerEnd, [](unsigned char b) { return b == 0; })) {
            const auto other = std::find_if(rest, end, [](unsigned char b) { return b != 0; });
            if (other != end) {
                walk.nonZeroFiller = static_cast<unsigned>(other - block.begin());
            }
            break;
        }
        DisplayIDDataBlock data{block[offset], 0, 0, offset};
        if (payloadEnd - offset < kHeaderSize) {
            walk.overrun = data;
            break;
        }
        data.revision = block[offset + 1];
        data.length = block[offset + 2];
        if (payloadEnd - offset - kHeaderSize < data.length) {
            walk.overrun = data;
            break;
        }
        walk.blocks.push_back(data);
        offset += kHeaderSize + data.length;
    }
    return walk;
}

DisplayIDTiming decodeTiming(std::span<const unsigned char, kTimingSize> bytes,
                             unsigned clockUnitKHz) {
    const unsigned char* d = bytes.data();
    // Bytes 0-2: pixel clock - 1, little endian. Byte 3: bit 7 preferred, bits 6-5 stereo,
    // bit 4 interlaced, bits 3-0 aspect ratio. Then eight 16-bit fields, each stored minus
    // one; bit 15 of the front porches is the sync polarity (1 = positive).
    DisplayIDTiming timing;
    timing.pixelClockKHz = ((d[0] | (d[1] << 8u) | (d[2] << 16u)) + 1u) * clockUnitKHz;
    timing.preferred = (d[3] & 0x80u) != 0;
    timing.stereoCode = (d[3] >> 5) & 0x03u;
    timing.interlaced = (d[3] & 0x10u) != 0;
    timing.aspectRatioCode = d[3] & 0x0Fu;
    timing.hActive = le16PlusOne(d + 4);
    timing.hBlank = le16PlusOne(d + 6);
    timing.hFrontPorch = (le16(d + 8) & 0x7FFFu) + 1;
    timing.hSyncPositive = (d[9] & 0x80u) != 0;
    timing.hSyncWidth = le16PlusOne(d + 10);
    timing.vActive = le16PlusOne(d + 12);
    timing.vBlank = le16PlusOne(d + 14);
    timing.vFrontPorch = (le16(d + 16) & 0x7FFFu) + 1;
    timing.vSyncPositive = (d[17] & 0x80u) != 0;
    timing.vSyncWidth = le16PlusOne(d + 18);
    return timing;
}

DisplayIDProduct decodeProduct(std::span<const unsigned char> payload, Family family) {
    // Bytes 0-2: manufacturer (1.x: three ASCII letters; 2.x: IEEE OUI), 3-4: product code,
    // 5-8: serial number, 9: week, 10: year - 2000, 11: name length, 12-: name.
    const unsigned char* d = payload.data();
    DisplayIDProduct product;
    if (family == Family::V2) {
        std::array<char, 9> oui{};
        std::snprintf(oui.data(), oui.size(), "%02X-%02X-%02X", d[0], d[1], d[2]);
        product.manufacturer = oui.data();
    } else {
        product.manufacturer = printable(d, d + 3);
    }
    product.productCode = le16(d + 3);
    product.serialNumber = le16(d + 5) | (static_cast<std::uint32_t>(le16(d + 7)) << 16u);
    product.week = d[9];
    product.year = 2000u + d[10];
    const std::size_t nameEnd = std::min<std::size_t>(payload.size(), 12u + d[11]);
    product.name = printable(d + 12, d + std::max<std::size_t>(nameEnd, 12u));
    return product;
}

DisplayIDDisplayParameters decodeDisplayParameters(std::span<const unsigned char> payload,
                                                   std::uint8_t revision, Family family) {
    // Bytes 0-1 and 2-3: image width and height; 4-5 and 6-7: native pixels and lines.
    const unsigned char* d = payload.data();
    const unsigned scale = family == Family::V2 && (revision & 0x80u) != 0 ? 10 : 1;
    return {le16(d) * scale, le16(d + 2) * scale, le16(d + 4), le16(d + 6)};
}

DisplayIDTiledTopology decodeTiledTopology(std::span<const unsigned char> payload) {
    // Byte 0 bit 7: single enclosure. Tile counts (minus one) and this tile's location are
    // 6-bit values: the low 4 bits in bytes 1 (counts) and 2 (location), horizontal in the
    // high nibble; the high 2 bits in byte 3 (bits 7-6 and 5-4 counts, 3-2 and 1-0
    // location). Bytes 4-5 and 6-7: tile width and height, minus one.
    const unsigned char* d = payload.data();
    DisplayIDTiledTopology tiled;
    tiled.singleEnclosure = (d[0] & 0x80u) != 0;
    tiled.horizontalTiles = ((d[1] >> 4) | ((d[3] >> 2) & 0x30u)) + 1;
    tiled.verticalTiles = ((d[1] & 0x0Fu) | (d[3] & 0x30u)) + 1;
    tiled.column = (d[2] >> 4) | ((d[3] & 0x0Cu) << 2);
    tiled.row = (d[2] & 0x0Fu) | ((d[3] & 0x03u) << 4);
    tiled.tileWidth = le16PlusOne(d + 4);
    tiled.tileHeight = le16PlusOne(d + 6);
    return tiled;
}

}  // namespace libEDID::displayid
