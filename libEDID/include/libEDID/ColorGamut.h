#pragma once

// Colour gamut figures: the reference colour spaces, how much of each a display's primaries
// cover, and the CIE 1931 spectral locus for drawing chromaticity diagrams.

#include <cstdint>
#include <span>

#include "libEDID/libEDIDExport.h"

namespace libEDID {

/// A CIE 1931 xy chromaticity.
struct Chromaticity {
    double x = 0;
    double y = 0;
};

/// The primaries and white point of a display or a colour space.
struct ColorPrimaries {
    Chromaticity red;
    Chromaticity green;
    Chromaticity blue;
    Chromaticity white;
};

/// A reference colour space: a stable short name ("srgb", "dci-p3", "bt2020") and its primaries.
struct ReferenceGamut {
    const char* name;
    ColorPrimaries primaries;
};

/// sRGB (ITU-R BT.709 primaries, D65), DCI-P3 (the P3 primaries with the DCI white) and
/// ITU-R BT.2020 (D65), in this order.
LIBEDID_API std::span<const ReferenceGamut> referenceGamuts();

/// The share (0 to 1) of the reference triangle's area in the xy plane that the display's
/// triangle covers: the area of their intersection over the reference's area. 0 when either
/// triangle has no area. The white points play no part.
LIBEDID_API double gamutCoverage(const ColorPrimaries& display, const ColorPrimaries& reference);

/// The primaries that the base block declares at bytes 19h-22h: ten bits per coordinate, the
/// eight high bits in bytes 1Bh-22h and the two low bits in bytes 19h and 1Ah, in units of
/// 1/1024. `baseBlock` holds at least 128 bytes.
LIBEDID_API ColorPrimaries basePrimaries(std::span<const std::uint8_t> baseBlock);

/// A point of the spectral locus: the chromaticity of light of one wavelength.
struct SpectralPoint {
    unsigned nanometres;
    Chromaticity xy;
};

/// The CIE 1931 2° standard observer's spectral locus from 380 nm to 700 nm in 5 nm steps
/// (beyond 700 nm the locus stays within a thousandth of its 700 nm point).
LIBEDID_API std::span<const SpectralPoint> spectralLocus();

}  // namespace libEDID
