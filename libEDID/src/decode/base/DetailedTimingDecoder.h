#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "libEDID/DisplayInfo.h"

namespace libEDID::decode {

/// Sync signal definition of a detailed timing (flags byte 17 bits 4-3).
enum class SyncKind : std::uint8_t {
    AnalogComposite,
    BipolarAnalogComposite,
    DigitalComposite,
    DigitalSeparate,
};

/// One 18-byte detailed timing descriptor, as found in the base block's slots and after a
/// CTA-861 data block collection.
struct DetailedTiming {
    VideoTiming timing;            ///< sync polarities set for digital sync only
    unsigned pixelClock10kHz = 0;  ///< bytes 0-1 as stored
    unsigned hImageSizeMm = 0;     ///< bytes 12, 14 bits 7-4
    unsigned vImageSizeMm = 0;     ///< bytes 13, 14 bits 3-0
    unsigned hBorder = 0;          ///< byte 15
    unsigned vBorder = 0;          ///< byte 16
    std::uint8_t flags = 0;        ///< byte 17 as stored
    SyncKind sync = SyncKind::AnalogComposite;
    std::uint8_t stereoCode = 0;  ///< flags bits 6-5 x 2 + bit 0 (0 and 1: no stereo)
    bool serrations = false;      ///< analog and digital composite: flags bit 2
    bool syncOnAllRGB = false;    ///< analog: flags bit 1
};

/// Decodes one detailed timing descriptor; none when its pixel clock (bytes 0-1) is zero, which
/// marks a display descriptor.
std::optional<DetailedTiming> decodeDetailedTiming(std::span<const std::uint8_t, 18> bytes);

}  // namespace libEDID::decode
