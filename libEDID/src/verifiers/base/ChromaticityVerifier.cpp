#include "verifiers/base/ChromaticityVerifier.h"

#include <array>
#include <cmath>

#include "decode/base/BaseBlockLayout.h"

namespace libEDID {

namespace {

constexpr float kSRGBTolerance = 0.05f;

/// One coordinate: its high byte, the byte holding its two low bits and the position of the
/// lower of them (worth 2^-10; the bit above it is worth 2^-9), and its sRGB reference value.
struct Coordinate {
    const char* colour;  // label key
    const char* axis;
    const char* property;
    unsigned highOffset;
    unsigned lowOffset;
    unsigned lowShift;
    float srgb;
};

// Byte 19h carries the low bits of red and green, 1Ah those of blue and white; each pair is
// ordered x above y. The order of the rows is the order of the reports.
constexpr std::array<Coordinate, 8> kCoordinates{{
    {"Green", "Y", "ReportedChromaticityGreenY", 0x1E, 0x19, 0, 0.600f},
    {"Green", "X", "ReportedChromaticityGreenX", 0x1D, 0x19, 2, 0.300f},
    {"Red", "Y", "ReportedChromaticityRedY", 0x1C, 0x19, 4, 0.330f},
    {"Red", "X", "ReportedChromaticityRedX", 0x1B, 0x19, 6, 0.640f},
    {"White", "Y", "ReportedChromaticityWhiteY", 0x22, 0x1A, 0, 0.3290f},
    {"White", "X", "ReportedChromaticityWhiteX", 0x21, 0x1A, 2, 0.3127f},
    {"Blue", "Y", "ReportedChromaticityBlueY", 0x20, 0x1A, 4, 0.060f},
    {"Blue", "X", "ReportedChromaticityBlueX", 0x1F, 0x1A, 6, 0.150f},
}};

bool withinSRGB(float value, float reference) {
    return !(reference - kSRGBTolerance > value || value > reference + kSRGBTolerance);
}

}  // namespace

// The ten bits are a binary fraction: the high byte holds 2^-1 to 2^-8, then 2^-9 and 2^-10.
// Any such sum is exact in a float, so it is formed as an integer over 1024. The value is then
// rounded up to four decimals.
float decodeChromaticity(bool lowBit2pow10, bool lowBit2pow9, unsigned char high) {
    const unsigned tenBits =
        (static_cast<unsigned>(high) << 2) | (lowBit2pow9 ? 2u : 0u) | (lowBit2pow10 ? 1u : 0u);
    const float value = static_cast<float>(tenBits) / 1024.0f;
    return std::ceil(value * 10000.0f) / 10000.0f;
}

void ChromaticityVerifier::verify() {
    const EDIDBlock& block = baseBlock();
    std::array<float, kCoordinates.size()> values{};
    for (std::size_t i = 0; i < kCoordinates.size(); ++i) {
        const Coordinate& c = kCoordinates[i];
        const unsigned low = block[c.lowOffset] >> c.lowShift;
        values[i] = decodeChromaticity((low & 1u) != 0, (low & 2u) != 0, block[c.highOffset]);

        logAndNotifyTrimmed(
            info("ReportedChromaticity", {{"type", detail::localized(c.colour)},
                                          {"coord", c.axis},
                                          {"value", detail::fixedText(values[i], 4)}}),
            c.property);
    }

    // sRGB as the default colour space (18h bit 2) binds the coordinates to sRGB's.
    if ((block[layout::kFeatureSupport] & layout::kSRGBDefaultBit) == 0) {
        return;
    }
    // One report at most: the first coordinate out of tolerance ends the comparison.
    for (std::size_t i = 0; i < kCoordinates.size(); ++i) {
        if (!withinSRGB(values[i], kCoordinates[i].srgb)) {
            logFinding("ChromaticityNotSRGB", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                       LibEDIDLog::LIBEDID_LOG_CAT_SRGB);
            return;
        }
    }
}

}  // namespace libEDID
