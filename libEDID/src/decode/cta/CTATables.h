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

/// A video format of the HDMI VIC table (the HDMI block's HDMI VICs 1-4) with its full timing:
/// pixel clock, porches and sync widths; syncs are positive.
struct HDMIVideoFormat {
    VideoFormat format;
    std::uint32_t pixelClockKHz = 0;
    std::uint16_t hFrontPorch = 0;
    std::uint16_t hSync = 0;
    std::uint16_t hBackPorch = 0;
    std::uint16_t vFrontPorch = 0;
    std::uint16_t vSync = 0;
    std::uint16_t vBackPorch = 0;
};

/// The format of HDMI VIC `vic` (1-4), or null.
const HDMIVideoFormat* hdmiVideoFormat(unsigned vic);

/// The FRL rate of an HDMI Forum Max_FRL_Rate or DSC_Max_FRL_Rate code 1-6: the highest rate
/// per lane and the number of lanes.
struct FRLRate {
    unsigned gbitPerLane;
    unsigned lanes;
};
const FRLRate* frlRate(unsigned code);

/// The DSC_MaxSlices code 1-7 of the HDMI Forum block: slices and the pixel rate (MHz) up to
/// which that many slices are supported.
struct DSCSlices {
    unsigned slices;
    unsigned maxPixelRateMHz;
};
const DSCSlices* dscSlices(unsigned code);

/// The name of audio format code 1-14; empty for 0 and 15.
std::string_view audioFormatName(unsigned code);

/// The standard names of the speaker allocation bits, bit 0 of byte 1 first (20 of 24 bits
/// are defined).
std::span<const std::string_view> speakerNames();

}  // namespace libEDID::cta
