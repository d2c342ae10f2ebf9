#pragma once

#include <array>
#include <cstdint>

#include "libEDID/CTA861.h"

// The standards' limits and tables that the conformity checks apply.
namespace libEDID::conformity::tables {

/// HDMI 1.4b 8.3.2 / HDMI 2.1 10.3: the HDMI vendor-specific block carries TMDS clocks up to
/// 340 MHz; a sink that goes higher says so in the HDMI Forum block.
inline constexpr unsigned kHDMIMaxTMDSClockMHz = 340;

/// Byte 3 of a CTA-861 extension block (revision 2 and later).
inline constexpr std::uint8_t kUnderscanBit = 0x80;
inline constexpr std::uint8_t kBasicAudioBit = 0x40;
inline constexpr std::uint8_t kNativeTimingCountBits = 0x0F;  ///< native detailed timings

/// IT scan behaviour of the video capability block (bits 3-2).
inline constexpr std::uint8_t kScanOverscanned = 1;
inline constexpr std::uint8_t kScanUnderscanned = 2;

/// Colorimetry data block, payload byte 2 (after the extended tag): bits 3-0 MD3-MD0, reserved
/// for future metadata profiles and 0.
inline constexpr unsigned kColorimetryMetadataByte = 2;
inline constexpr std::uint8_t kColorimetryMetadataBits = 0x0F;

/// Extension block tags that VESA E-EDID A2 (section 2.2.4) and its extension standards
/// assign.
inline constexpr std::array<std::uint8_t, 11> kKnownExtensionTags{
    0x02,  // CTA-861
    0x10,  // video timing block
    0x20,  // EDID 2.0 (not to be used)
    0x30,  // color information
    0x40,  // DVI feature data
    0x50,  // localized strings
    0x60,  // digital packet video link
    0x70,  // DisplayID
    0xA7,  // display transfer characteristics
    0xF0,  // block map
    0xFF,  // defined by the manufacturer
};
inline constexpr std::uint8_t kTagCTA861 = 0x02;
inline constexpr std::uint8_t kTagDisplayID = 0x70;
inline constexpr std::uint8_t kTagBlockMap = 0xF0;

}  // namespace libEDID::conformity::tables

namespace libEDID::conformity::tables {

/// A data block that the base section of a DisplayID structure carries, by version family:
/// its tag in 1.x and in 2.x, and the label that names it.
struct RequiredDisplayIDBlock {
    std::uint8_t tagV1;
    std::uint8_t tagV2;
    const char* labelKey;
    bool onlyForProducts;  ///< required only when the section names a product type
};

/// DisplayID 1.3 section 2.2 and DisplayID 2.0 section 2.2: the base section identifies the
/// product; a section that describes a display (product type not 0) gives its parameters.
inline constexpr std::array<RequiredDisplayIDBlock, 2> kRequiredDisplayIDBlocks{{
    {0x00, 0x20, "DisplayIDTagProduct", false},
    {0x01, 0x21, "DisplayIDTagParameters", true},
}};

}  // namespace libEDID::conformity::tables
