// The Dolby Vision vendor-specific video data block. Its three layouts share byte 5 (the first
// after the OUI): the version in bits 7-5 and YUV 4:2:2 at 12 bits in bit 0. Offsets below are
// counted from the data block's tag byte; `d` holds the bytes from byte 5 on.

#include <algorithm>
#include <cmath>

#include "decode/cta/CTADecoder.h"

namespace libEDID::cta {

namespace {

// Data bytes after the OUI of each layout.
constexpr std::size_t kVersion0Bytes = 21;
constexpr std::size_t kVersion1Bytes = 10;
constexpr std::size_t kVersion1PackedBytes = 7;
constexpr std::size_t kVersion2Bytes = 7;

bool bit(std::uint8_t byte, unsigned n) {
    return ((byte >> n) & 1u) != 0;
}

// Version 0: 12-bit values, the high 8 bits in a byte of their own and the low 4 bits shared
// with a neighbour: byte 6 holds the low nibbles of red x (bits 7-4) and red y (3-0), bytes 7-8
// their high bytes; green (9-11), blue (12-14) and white (15-17) follow alike; byte 18 holds the
// low nibbles of the target minimum (7-4) and maximum (3-0) PQ codes, bytes 19-20 their high
// bytes; byte 21 the display management version, major in bits 7-4 and minor in 3-0.
void decodeVersion0(Bytes d, CTADolbyVision& out) {
    out.supports2160p60 = bit(d[0], 1);
    out.globalDimming = bit(d[0], 2);
    const auto pair = [&](std::size_t at) {
        const unsigned x = (d[at + 1] << 4) | (d[at] >> 4);
        const unsigned y = (d[at + 2] << 4) | (d[at] & 0x0Fu);
        return std::array<double, 2>{x / 4096.0, y / 4096.0};
    };
    for (std::size_t i = 0; i < 3; ++i) {
        const auto xy = pair(1 + 3 * i);
        out.primaries[2 * i] = xy[0];
        out.primaries[2 * i + 1] = xy[1];
    }
    out.white = pair(10);
    out.targetMinPQ = static_cast<std::uint16_t>((d[14] << 4) | (d[13] >> 4));
    out.targetMaxPQ = static_cast<std::uint16_t>((d[15] << 4) | (d[13] & 0x0Fu));
    out.dmMajor = d[16] >> 4;
    out.dmMinor = static_cast<std::uint8_t>(d[16] & 0x0F);
}

// Version 1: byte 6 bits 7-1 the maximum luminance (100 + 50 x code cd/m2), bit 0 global
// dimming; byte 7 bits 7-1 the minimum luminance ((code / 127)^2 cd/m2), bit 0 P3-D65; byte 8
// bits 1-0 the interface. The 14-byte form gives the primaries as x = code / 256 in bytes 9-14
// (red x, y, green x, y, blue x, y). The 11-byte form packs them, each an offset on a base:
//   red x = 0.625 + byte 11 bits 7-3,  red y = 0.25 + (byte 11 bits 2-0, byte 10 bit 0,
//   byte 9 bit 0), green x = byte 9 bits 7-1, green y = 0.5 + byte 10 bits 7-1,
//   blue x = 0.125 + byte 8 bits 7-5, blue y = 0.03125 + byte 8 bits 4-2, all / 256.
void decodeVersion1(Bytes d, CTADolbyVision& out) {
    out.supports2160p60 = bit(d[0], 1);
    out.globalDimming = bit(d[1], 0);
    out.maxLuminance = 100.0 + 50.0 * (d[1] >> 1);
    const double minCode = (d[2] >> 1) / 127.0;
    out.minLuminance = minCode * minCode;
    out.colorimetryP3 = bit(d[2], 0);
    out.interfaceKind = d[3] & 0x03;
    if (!out.packedPrimaries) {
        for (std::size_t i = 0; i < 6; ++i) {
            out.primaries[i] = d[4 + i] / 256.0;
        }
        return;
    }
    const unsigned redY = ((d[6] & 0x07u) << 2) | ((d[5] & 1u) << 1) | (d[4] & 1u);
    out.primaries = {0.625 + (d[6] >> 3) / 256.0, 0.25 + redY / 256.0,
                     (d[4] >> 1) / 256.0,         0.5 + (d[5] >> 1) / 256.0,
                     0.125 + (d[3] >> 5) / 256.0, 0.03125 + ((d[3] >> 2) & 0x07u) / 256.0};
}

// Version 2: byte 5 bit 1 backlight control; byte 6 bits 7-3 the target minimum PQ code / 20,
// bit 2 global dimming, bits 1-0 the backlight's minimum luminance; byte 7 bits 7-3 the target
// maximum PQ code (2055 + 65 x code), bits 1-0 the interface; bytes 8-9 bit 0 the RGB / YUV
// 4:4:4 depth; the primaries, each an offset on a base / 256: green x = byte 8 bits 7-1,
// green y = 0.5 + byte 9 bits 7-1, red x = 0.625 + byte 10 bits 7-3, blue x = 0.125 +
// byte 10 bits 2-0, red y = 0.25 + byte 11 bits 7-3, blue y = 0.03125 + byte 11 bits 2-0.
void decodeVersion2(Bytes d, CTADolbyVision& out) {
    out.backlightControl = bit(d[0], 1);
    out.targetMinPQ = static_cast<std::uint16_t>((d[1] >> 3) * 20u);
    out.globalDimming = bit(d[1], 2);
    out.backlightMinLuma = d[1] & 0x03;
    out.targetMaxPQ = static_cast<std::uint16_t>(2055u + 65u * (d[2] >> 3));
    out.interfaceKind = d[2] & 0x03;
    out.rgbYUV444 = static_cast<std::uint8_t>(((d[3] & 1u) << 1) | (d[4] & 1u));
    out.primaries = {0.625 + (d[5] >> 3) / 256.0,
                     0.25 + (d[6] >> 3) / 256.0,
                     (d[3] >> 1) / 256.0,
                     0.5 + (d[4] >> 1) / 256.0,
                     0.125 + (d[5] & 0x07u) / 256.0,
                     0.03125 + (d[6] & 0x07u) / 256.0};
}

}  // namespace

double pqLuminance(unsigned code) {
    // SMPTE ST 2084 EOTF of a 12-bit code, in cd/m2.
    constexpr double m1 = 2610.0 / 16384.0;
    constexpr double m2 = 2523.0 / 4096.0 * 128.0;
    constexpr double c1 = 3424.0 / 4096.0;
    constexpr double c2 = 2413.0 / 4096.0 * 32.0;
    constexpr double c3 = 2392.0 / 4096.0 * 32.0;
    const double e = std::pow(code / 4095.0, 1.0 / m2);
    const double numerator = std::max(e - c1, 0.0);
    return 10000.0 * std::pow(numerator / (c2 - c3 * e), 1.0 / m1);
}

CTADolbyVision decodeDolbyVision(Bytes data) {
    CTADolbyVision out;
    if (data.empty()) {
        return out;
    }
    out.version = data[0] >> 5;
    out.yuv422Bits12 = bit(data[0], 0);
    const std::size_t size = data.size();
    switch (out.version) {
        case 0:
            out.lengthFits = size == kVersion0Bytes;
            break;
        case 1:
            out.lengthFits = size == kVersion1Bytes || size == kVersion1PackedBytes;
            out.packedPrimaries = size == kVersion1PackedBytes;
            break;
        case 2:
            out.lengthFits = size == kVersion2Bytes;
            break;
        default:
            break;
    }
    if (!out.lengthFits) {
        out.packedPrimaries = false;
        return out;
    }
    if (out.version != 0) {
        out.dmMajor = static_cast<std::uint8_t>(((data[0] >> 2) & 0x07u) + 2);
    }
    if (out.version == 0) {
        decodeVersion0(data, out);
    } else if (out.version == 1) {
        decodeVersion1(data, out);
    } else {
        decodeVersion2(data, out);
    }
    if (out.targetMinPQ) {
        out.minLuminance = pqLuminance(*out.targetMinPQ);
        out.maxLuminance = pqLuminance(*out.targetMaxPQ);
    }
    return out;
}

}  // namespace libEDID::cta
