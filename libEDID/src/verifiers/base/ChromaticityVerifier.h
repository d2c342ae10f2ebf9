#pragma once

#include "report/EDIDVerifier.h"

namespace libEDID {

/// Converts one 10-bit CIE 1931 chromaticity coordinate to a fraction: the two low bits (worth
/// 2^-10 and 2^-9) and the eight high bits (worth 2^-8 to 2^-1), raised to the next multiple of
/// 0.0001. Used by the base block's colour characteristics and by the colour point descriptor.
float decodeChromaticity(bool lowBit2pow10, bool lowBit2pow9, unsigned char high);

/// Colour characteristics of the base block (19h-22h): reports the x and y coordinates of the
/// red, green and blue primaries and the white point, and checks them against sRGB when the
/// display declares sRGB as its default colour space (18h bit 2).
class ChromaticityVerifier : public EDIDVerifier {
  public:
    using EDIDVerifier::EDIDVerifier;

    void verify() override;
};

}  // namespace libEDID
