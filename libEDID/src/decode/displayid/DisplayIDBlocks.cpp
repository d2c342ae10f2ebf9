// Decoders of the DisplayID data blocks beyond timings, product, parameters and tiling:
// timing bitmaps, display interface (1.x) and interface features (2.x), dynamic range limits,
// adaptive sync, colour characteristics, vendor-specific blocks, text and container ID.

#include <algorithm>

#include "decode/displayid/DMTTable.h"
#include "decode/displayid/DisplayIDDecode.h"

namespace libEDID::displayid {

namespace {

std::uint8_t at(Payload payload, std::size_t index) {
    return index < payload.size() ? payload[index] : 0;
}

std::uint32_t le24(Payload payload, std::size_t index) {
    return at(payload, index) | (at(payload, index + 1) << 8u) |
           (static_cast<std::uint32_t>(at(payload, index + 2)) << 16u);
}

// Calls `onBit` with the number of every set bit, bit 0 of byte 0 being 0.
template <typename OnBit>
void forEachBit(Payload payload, OnBit&& onBit) {
    for (std::size_t byte = 0; byte < payload.size(); ++byte) {
        for (unsigned bit = 0; bit < 8; ++bit) {
            if ((payload[byte] >> bit & 1u) != 0) {
                onBit(static_cast<unsigned>(byte * 8 + bit));
            }
        }
    }
}

// A CIE 1931 point of 12-bit coordinates in 3 bytes: x in byte 0 and bits 3-0 of byte 1,
// y in bits 7-4 of byte 1 and byte 2.
std::pair<double, double> point(const unsigned char* d) {
    const unsigned x = d[0] | ((d[1] & 0x0Fu) << 8u);
    const unsigned y = (d[1] >> 4) | (d[2] << 4u);
    return {x / 4096.0, y / 4096.0};
}

}  // namespace

std::vector<DisplayIDDMTTiming> decodeVESATimings(Payload payload) {
    std::vector<DisplayIDDMTTiming> timings;
    forEachBit(payload, [&](unsigned bit) {
        if (const DMTFormat* format = dmtFormat(bit + 1)) {
            timings.push_back({static_cast<std::uint8_t>(bit + 1), format->width, format->height,
                               format->refresh, format->reducedBlanking, format->interlaced});
        }
    });
    return timings;
}

std::vector<std::uint8_t> decodeCTATimings(Payload payload) {
    std::vector<std::uint8_t> vics;
    forEachBit(payload.first(std::min<std::size_t>(payload.size(), 8)),
               [&](unsigned bit) { vics.push_back(static_cast<std::uint8_t>(bit + 1)); });
    return vics;
}

// Byte 0: type (bits 7-4), links (3-0); byte 1: interface version (7-4) and revision (3-0);
// bytes 2-4: RGB, 4:4:4 and 4:2:2 depths; byte 5: content protection, byte 6 its version;
// byte 7: spread spectrum type (7-6) and amount in 0.1 % (3-0).
DisplayIDInterface decodeInterface(Payload payload) {
    DisplayIDInterface out;
    out.type = at(payload, 0) >> 4;
    out.lanes = at(payload, 0) & 0x0Fu;
    out.versionMajor = at(payload, 1) >> 4;
    out.versionMinor = at(payload, 1) & 0x0Fu;
    out.rgbDepths = at(payload, 2);
    out.ycbcr444Depths = at(payload, 3);
    out.ycbcr422Depths = at(payload, 4);
    out.contentProtection = at(payload, 5);
    out.contentProtectionMajor = at(payload, 6) >> 4;
    out.contentProtectionMinor = at(payload, 6) & 0x0Fu;
    out.spreadType = at(payload, 7) >> 6;
    out.spreadTenthPercent = at(payload, 7) & 0x0Fu;
    return out;
}

// Bytes 0-3: RGB, 4:4:4, 4:2:2, 4:2:0 depths; 4: minimum pixel rate of 4:2:0 / 74.25 MHz;
// 5: audio rates (bits 7-5); 6: colour space and EOTF combinations; 8: further combinations.
DisplayIDInterfaceFeatures decodeInterfaceFeatures(Payload payload) {
    DisplayIDInterfaceFeatures out;
    out.rgbDepths = at(payload, 0);
    out.ycbcr444Depths = at(payload, 1);
    out.ycbcr422Depths = at(payload, 2);
    out.ycbcr420Depths = at(payload, 3);
    out.min420PixelRateMHz = at(payload, 4) * 7425u / 100u;
    out.audioRates = at(payload, 5) >> 5;
    out.colorSpaces = at(payload, 6);
    out.additionalCombinations = at(payload, 8);
    return out;
}

// Bytes 0-2 and 3-5: minimum and maximum pixel clock in kHz, minus one; 6 and 7: minimum and
// maximum refresh in Hz; byte 8: bit 7 seamless change, bits 1-0 maximum refresh bits 9-8
// (revision 1 and later).
DisplayIDDynamicRange decodeDynamicRange(Payload payload, std::uint8_t revision) {
    DisplayIDDynamicRange out;
    out.minPixelClockKHz = le24(payload, 0) + 1;
    out.maxPixelClockKHz = le24(payload, 3) + 1;
    out.minRefresh = at(payload, 6);
    out.maxRefresh = at(payload, 7);
    if ((revision & 0x07u) >= 1) {
        out.maxRefresh |= (at(payload, 8) & 0x03u) << 8u;
    }
    out.seamless = (at(payload, 8) & 0x80) != 0;
    return out;
}

// Descriptors of 6 bytes: flags, maximum duration increase, minimum refresh (Hz), maximum
// refresh minus one (bits 9-0 of bytes 3-4), maximum duration decrease.
std::vector<DisplayIDAdaptiveSync> decodeAdaptiveSync(Payload payload) {
    std::vector<DisplayIDAdaptiveSync> out;
    for (std::size_t pos = 0; pos + 6 <= payload.size(); pos += 6) {
        DisplayIDAdaptiveSync sync;
        sync.flags = payload[pos];
        sync.maxIncrease = payload[pos + 1];
        sync.minRefresh = payload[pos + 2];
        sync.maxRefresh = ((payload[pos + 3] | (payload[pos + 4] << 8u)) & 0x3FFu) + 1;
        sync.maxDecrease = payload[pos + 5];
        out.push_back(sync);
    }
    return out;
}

// Byte 0: bit 7 temporal colour, bits 6-4 the number of primaries, bits 3-0 of white points;
// then 3 bytes per point, primaries first.
DisplayIDColorCharacteristics decodeColorCharacteristics(Payload payload) {
    DisplayIDColorCharacteristics out;
    const unsigned flags = at(payload, 0);
    out.temporal = (flags & 0x80) != 0;
    const unsigned primaries = (flags >> 4) & 0x07u;
    const unsigned whites = flags & 0x0Fu;
    std::size_t pos = 1;
    for (unsigned i = 0; i < primaries + whites && pos + 3 <= payload.size(); ++i, pos += 3) {
        (i < primaries ? out.primaries : out.whitePoints).push_back(point(payload.data() + pos));
    }
    return out;
}

// Bytes 0-2: the vendor's OUI, least significant byte first like CTA-861's.
DisplayIDVendorBlock decodeVendor(Payload payload) {
    return {le24(payload, 0), static_cast<unsigned>(payload.size())};
}

std::string decodeText(Payload payload) {
    std::string text(payload.begin(), payload.end());
    while (!text.empty() && (text.back() == '\0' || text.back() == ' ' || text.back() == '\n')) {
        text.pop_back();
    }
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c < 0x20 || c > 0x7E; }, '?');
    return text;
}

}  // namespace libEDID::displayid
