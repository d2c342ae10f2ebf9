#pragma once

#include <array>
#include <cstdint>
#include <span>

// The fixed mode tables of the established timings: I and II (base block 23h-25h) and III
// (descriptor F7h). Each bit of those bytes stands for one mode of these tables.
namespace libEDID::decode {

/// A mode known by its size and nominal rate only. Width 0 marks a bit without a mode.
struct NominalMode {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t refresh = 0;  ///< Hz
    bool interlaced = false;
    bool reducedBlanking = false;
};

/// Established timings I and II: bit 0 of 23h first, bit 7 of 25h last (25h bits 6-0 are the
/// manufacturer's and have no mode).
extern const std::array<NominalMode, 24> kEstablishedModes;

/// Established timings III: bit 7 of descriptor byte 06h first, 0Bh bits 3-0 reserved.
extern const std::array<NominalMode, 48> kEstablishedIIIModes;

/// Whether the mode `index` of kEstablishedModes is set in bytes 23h-25h (least significant
/// bit first).
inline bool establishedBit(std::span<const std::uint8_t, 3> bytes, unsigned index) {
    return ((bytes[index / 8] >> (index % 8)) & 1u) != 0;
}

/// Whether the mode `index` of kEstablishedIIIModes is set in descriptor bytes 06h-0Bh (most
/// significant bit first).
inline bool establishedIIIBit(std::span<const std::uint8_t, 6> bytes, unsigned index) {
    return ((bytes[index / 8] >> (7 - index % 8)) & 1u) != 0;
}

}  // namespace libEDID::decode
