#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The CTA-861 code tables used by the decoders and verifiers.
namespace libEDID::cta {

/// A video format of the VIC table: active pixels per line, lines per frame, whether it is
/// interlaced, and its nominal field rate in whole Hz (59.94 counts as 60, 23.98 as 24).
struct VideoFormat {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t refresh = 0;
    bool interlaced = false;
};

/// The format of `vic`, or null when the code has none (0, 128-192, 220-255).
const VideoFormat* videoFormat(unsigned vic);

/// The name of audio format code 1-14; empty for 0 and 15.
std::string_view audioFormatName(unsigned code);

/// The standard names of the speaker allocation bits, bit 0 of byte 1 first (20 of 24 bits
/// are defined).
std::span<const std::string_view> speakerNames();

}  // namespace libEDID::cta
