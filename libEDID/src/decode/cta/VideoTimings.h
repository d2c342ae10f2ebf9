#pragma once

#include <cstdint>

#include "libEDID/DisplayInfo.h"

// The timings of the CTA-861 video formats (VICs) and of the HDMI VICs of the HDMI vendor-
// specific data block, as full VideoTimings.
namespace libEDID::cta {

/// The timing of `vic`, or null when the code has none (0, 128-192, 220-255). Formats that
/// differ only in aspect ratio share their timing. Interlaced timings give one field's lines.
const VideoTiming* videoTiming(unsigned vic);

/// The timing of HDMI VIC 1-4 (the 4K formats of HDMI 1.4), or null.
const VideoTiming* hdmiVideoTiming(unsigned hdmiVic);

}  // namespace libEDID::cta
