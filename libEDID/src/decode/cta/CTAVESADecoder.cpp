// Decoders of the VESA data blocks that CTA-861 carries under extended tags 2 and 3 and under
// tag 5. Byte numbers count from the data block's tag byte, so payload index i is byte i + 1.

#include "decode/cta/CTADecoder.h"
#include "decode/cta/PayloadBytes.h"
#include "decode/vesa/VESADecoder.h"

namespace libEDID::cta {

namespace {

// Byte n of the data block (0 = tag and length, 1 = extended tag); 0 past the end.
std::uint8_t blockByte(Bytes payload, unsigned n) {
    return bytes::at(payload, n - 1);
}

// A 10-bit chromaticity: bits 9-2 in `high`, bits 1-0 in `low` at `shift`.
std::uint16_t chromaticity(std::uint8_t high, std::uint8_t low, unsigned shift) {
    return static_cast<std::uint16_t>((high << 2) | ((low >> shift) & 0x03u));
}

}  // namespace

// Bytes 2-31 as laid out by the VESA display device data block; a shorter block leaves the
// missing fields 0.
CTAVESADisplayDevice decodeVESADisplayDevice(Bytes payload) {
    CTAVESADisplayDevice d;
    const auto b = [&](unsigned n) { return blockByte(payload, n); };
    d.length = static_cast<std::uint8_t>(payload.size());
    d.interfaceType = b(2) >> 4;
    d.interfaceLinks = b(2) & 0x0Fu;
    d.interfaceVersion = b(3) >> 4;
    d.interfaceRelease = b(3) & 0x0Fu;
    d.contentProtection = b(4);
    d.minClockMHz = b(5) >> 2;
    d.maxClockMHz = ((b(5) & 0x03u) << 8) | b(6);
    d.nativeWidth = b(7) | (b(8) << 8);
    d.nativeHeight = b(9) | (b(10) << 8);
    d.aspectRatio = b(11);
    d.orientation = b(12);
    d.subpixelLayout = b(13);
    d.hPitchHundredthMm = b(14);
    d.vPitchHundredthMm = b(15);
    d.miscellaneous = b(16);
    d.audioFlags = b(17);
    d.audioDelay = b(18);
    d.frameRateConversion = b(19);
    d.nativeFrameRate = b(20);
    d.colorDepth = b(21);
    // Byte 22: bits 1-0 of x4, y4, x5, y5 from bit 7 down; byte 23: of x6, y6 in bits 7-4,
    // the number of additional primaries in bits 1-0.
    d.additionalPrimaryCount = b(23) & 0x03u;
    d.additionalPrimaries = {chromaticity(b(24), b(22), 6), chromaticity(b(25), b(22), 4),
                             chromaticity(b(26), b(22), 2), chromaticity(b(27), b(22), 0),
                             chromaticity(b(28), b(23), 6), chromaticity(b(29), b(23), 4)};
    d.responseTime = b(30);
    d.overscan = b(31);
    return d;
}

// Bytes 2-5: version and counts of a video timing block extension, then its descriptors.
VESAVideoTimingBlock decodeVESAVideoTimingBlock(Bytes payload) {
    return vesa::decodeVideoTimings(payload.size() > 1 ? payload.subspan(1) : Bytes{}, 2);
}

// Byte 1: bits 7-6 the usage, bits 5-0 the first point; bytes 2 on: the increase of each
// further point; full luminance (1023) closes the curve.
CTAVESATransferCharacteristic decodeVESATransferCharacteristic(Bytes payload) {
    CTAVESATransferCharacteristic t;
    t.length = static_cast<std::uint8_t>(payload.size());
    if (payload.empty()) {
        return t;
    }
    t.usage = payload[0] >> 6;
    unsigned point = payload[0] & 0x3Fu;
    t.points.reserve(payload.size() + 1);
    t.points.push_back(static_cast<std::uint16_t>(point));
    for (const std::uint8_t increase : payload.subspan(1)) {
        point += increase;
        t.points.push_back(static_cast<std::uint16_t>(point));
    }
    t.points.push_back(kTransferFullLuminance);
    return t;
}

}  // namespace libEDID::cta
