// Decoders of the DisplayID 1.x blocks about the display device and its interface: video timing
// range limits, display device data, interface power sequencing, transfer characteristics, and
// the stereo display interface (1.x and 2.x).

#include <algorithm>

#include "decode/displayid/DisplayIDDecode.h"

namespace libEDID::displayid {

namespace {

std::uint8_t at(Payload payload, std::size_t index) {
    return index < payload.size() ? payload[index] : 0;
}

unsigned le16(Payload payload, std::size_t index) {
    return at(payload, index) | (at(payload, index + 1) << 8u);
}

std::uint32_t le24(Payload payload, std::size_t index) {
    return le16(payload, index) | (static_cast<std::uint32_t>(at(payload, index + 2)) << 16u);
}

}  // namespace

// Bytes 0-2 and 3-5: minimum and maximum pixel clock in 10 kHz units - 1; 6 and 7: horizontal
// frequencies in kHz; 8-9: minimum horizontal blank in pixels; 10 and 11: vertical rates in Hz;
// 12-13: minimum vertical blank in lines; 14: bit 7 interlaced, 6 CVT, 5 CVT reduced blanking,
// 4 discrete frequency display.
DisplayIDRangeLimits decodeRangeLimits(Payload payload) {
    DisplayIDRangeLimits out;
    out.minPixelClockKHz = (le24(payload, 0) + 1) * 10;
    out.maxPixelClockKHz = (le24(payload, 3) + 1) * 10;
    out.minHorizontalKHz = at(payload, 6);
    out.maxHorizontalKHz = at(payload, 7);
    out.minHorizontalBlank = le16(payload, 8);
    out.minVerticalHz = at(payload, 10);
    out.maxVerticalHz = at(payload, 11);
    out.minVerticalBlank = le16(payload, 12);
    const std::uint8_t flags = at(payload, 14);
    out.interlaced = (flags & 0x80u) != 0;
    out.cvt = (flags & 0x40u) != 0;
    out.cvtReduced = (flags & 0x20u) != 0;
    out.discreteFrequency = (flags & 0x10u) != 0;
    return out;
}

// Byte 0: technology; byte 1: operating mode (7-4), backlight switchable (3) and adjustable (2);
// bytes 2-3 and 4-5: native pixels and lines - 1; byte 6: aspect ratio x 100 - 100; byte 7:
// orientation; byte 8: sub-pixel layout; bytes 9 and 10: pixel pitch in 0.01 mm; byte 11 bits
// 3-0: colour depth; byte 12: bit 7 white to black, bits 6-0 response time in ms.
DisplayIDDeviceData decodeDeviceData(Payload payload) {
    DisplayIDDeviceData out;
    out.technology = at(payload, 0);
    out.operatingMode = at(payload, 1) >> 4;
    out.backlightSwitchable = (at(payload, 1) & 0x08u) != 0;
    out.backlightAdjustable = (at(payload, 1) & 0x04u) != 0;
    out.nativeWidth = le16(payload, 2) + 1;
    out.nativeHeight = le16(payload, 4) + 1;
    out.aspectRatioHundredths = at(payload, 6) + 100u;
    out.orientation = at(payload, 7);
    out.subpixelLayout = at(payload, 8);
    out.pitchHundredthMmH = at(payload, 9);
    out.pitchHundredthMmV = at(payload, 10);
    out.colorDepth = at(payload, 11) & 0x0Fu;
    out.responseWhiteToBlack = (at(payload, 12) & 0x80u) != 0;
    out.responseTimeMs = at(payload, 12) & 0x7Fu;
    return out;
}

// Byte 0: T1 minimum in 0.1 ms (7-4) and maximum in 2 ms (3-0); bytes 1 and 2 bits 5-0: T2 and
// T3 maxima in 2 ms; byte 3 bits 6-0: T4 minimum in 10 ms; bytes 4 and 5 bits 5-0: T5 and T6
// minima in 10 ms.
DisplayIDPowerSequencing decodePowerSequencing(Payload payload) {
    DisplayIDPowerSequencing out;
    out.t1MinTenthMs = at(payload, 0) >> 4;
    out.t1MaxMs = (at(payload, 0) & 0x0Fu) * 2u;
    out.t2MaxMs = (at(payload, 1) & 0x3Fu) * 2u;
    out.t3MaxMs = (at(payload, 2) & 0x3Fu) * 2u;
    out.t4MinMs = (at(payload, 3) & 0x7Fu) * 10u;
    out.t5MinMs = (at(payload, 4) & 0x3Fu) * 10u;
    out.t6MinMs = (at(payload, 5) & 0x3Fu) * 10u;
    return out;
}

DisplayIDTransferCharacteristics decodeTransferCharacteristics(Payload payload) {
    DisplayIDTransferCharacteristics out;
    out.flags = at(payload, 0);
    if (payload.size() > 1) {
        out.points.assign(payload.begin() + 1, payload.end());
    }
    return out;
}

// Byte 0: the number of parameter bytes; byte 1: the stereo interface method; then its
// parameters, as far as the payload holds them.
DisplayIDStereoInterface decodeStereoInterface(Payload payload, std::uint8_t revision) {
    DisplayIDStereoInterface out;
    out.timingSupport = revision >> 6;
    out.method = at(payload, 1);
    const std::size_t count = std::min<std::size_t>(at(payload, 0), payload.size() - 2);
    out.parameters.assign(payload.begin() + 2, payload.begin() + 2 + count);
    return out;
}

}  // namespace libEDID::displayid
