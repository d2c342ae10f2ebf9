#pragma once

// Colour gamut figures: the reference colour spaces, how much of each a display's primaries
// cover, and the CIE 1931 spectral locus for drawing chromaticity diagrams.

#include <cstdint>
#include <span>

#include "libEDID/DisplayInfo.h"
#include "libEDID/libEDIDExport.h"

namespace libEDID {

/// A CIE 1931 xy chromaticity.
struct CIExy {
    double x = 0;
    double y = 0;
};

/// The primaries and white point of a display or a colour space.
struct ColorPrimaries {
    CIExy red;
    CIExy green;
    CIExy blue;
    CIExy white;
};

/// The primaries and white point of a display's model (`DisplayInfo::chromaticity`).
inline ColorPrimaries primariesOf(const Chromaticity& c) {
    return {{c.redX, c.redY}, {c.greenX, c.greenY}, {c.blueX, c.blueY}, {c.whiteX, c.whiteY}};
}

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

/// A point of the spectral locus: the chromaticity of light of one wavelength.
struct SpectralPoint {
    unsigned nanometres;
    CIExy xy;
};

/// The CIE 1931 2° standard observer's spectral locus from 380 nm to 700 nm in 5 nm steps
/// (beyond 700 nm the locus stays within a thousandth of its 700 nm point).
LIBEDID_API std::span<const SpectralPoint> spectralLocus();

}  // namespace libEDID
