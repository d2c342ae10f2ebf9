// Gamut coverage in the CIE 1931 xy plane and the colour data it is drawn against.

#include "libEDID/ColorGamut.h"

#include <array>
#include <cmath>
#include <vector>

namespace libEDID {

namespace {

constexpr std::array<ReferenceGamut, 3> kReferences{{
    {"srgb", {{0.640, 0.330}, {0.300, 0.600}, {0.150, 0.060}, {0.3127, 0.3290}}},
    {"dci-p3", {{0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}, {0.314, 0.351}}},
    {"bt2020", {{0.708, 0.292}, {0.170, 0.797}, {0.131, 0.046}, {0.3127, 0.3290}}},
}};

// The chromaticity coordinates of the spectral locus, from the CIE 1931 2° colour-matching
// functions (x = X / (X + Y + Z), y = Y / (X + Y + Z)), four decimals.
constexpr std::array<SpectralPoint, 65> kSpectralLocus{
    {{380, {0.1741, 0.0050}}, {385, {0.1740, 0.0050}}, {390, {0.1738, 0.0049}},
     {395, {0.1736, 0.0049}}, {400, {0.1733, 0.0048}}, {405, {0.1730, 0.0048}},
     {410, {0.1726, 0.0048}}, {415, {0.1721, 0.0048}}, {420, {0.1714, 0.0051}},
     {425, {0.1703, 0.0058}}, {430, {0.1689, 0.0069}}, {435, {0.1669, 0.0086}},
     {440, {0.1644, 0.0109}}, {445, {0.1611, 0.0138}}, {450, {0.1566, 0.0177}},
     {455, {0.1510, 0.0227}}, {460, {0.1440, 0.0297}}, {465, {0.1355, 0.0399}},
     {470, {0.1241, 0.0578}}, {475, {0.1096, 0.0868}}, {480, {0.0913, 0.1327}},
     {485, {0.0698, 0.2005}}, {490, {0.0454, 0.2950}}, {495, {0.0235, 0.4127}},
     {500, {0.0082, 0.5384}}, {505, {0.0039, 0.6548}}, {510, {0.0139, 0.7502}},
     {515, {0.0389, 0.8120}}, {520, {0.0743, 0.8338}}, {525, {0.1142, 0.8262}},
     {530, {0.1547, 0.8059}}, {535, {0.1929, 0.7816}}, {540, {0.2296, 0.7543}},
     {545, {0.2658, 0.7243}}, {550, {0.3016, 0.6923}}, {555, {0.3374, 0.6588}},
     {560, {0.3731, 0.6245}}, {565, {0.4087, 0.5896}}, {570, {0.4441, 0.5547}},
     {575, {0.4788, 0.5202}}, {580, {0.5125, 0.4866}}, {585, {0.5448, 0.4544}},
     {590, {0.5752, 0.4242}}, {595, {0.6029, 0.3965}}, {600, {0.6270, 0.3725}},
     {605, {0.6482, 0.3514}}, {610, {0.6658, 0.3340}}, {615, {0.6801, 0.3197}},
     {620, {0.6915, 0.3083}}, {625, {0.7006, 0.2993}}, {630, {0.7079, 0.2920}},
     {635, {0.7140, 0.2859}}, {640, {0.7190, 0.2809}}, {645, {0.7230, 0.2769}},
     {650, {0.7260, 0.2740}}, {655, {0.7283, 0.2717}}, {660, {0.7300, 0.2700}},
     {665, {0.7311, 0.2689}}, {670, {0.7320, 0.2680}}, {675, {0.7327, 0.2673}},
     {680, {0.7334, 0.2666}}, {685, {0.7340, 0.2660}}, {690, {0.7344, 0.2656}},
     {695, {0.7346, 0.2654}}, {700, {0.7347, 0.2653}}}};

using Polygon = std::vector<CIExy>;

// Twice the signed area: positive when the corners run counter-clockwise.
double signedArea2(const Polygon& polygon) {
    double sum = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const CIExy& a = polygon[i];
        const CIExy& b = polygon[(i + 1) % polygon.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

Polygon counterClockwise(const ColorPrimaries& primaries) {
    Polygon triangle{primaries.red, primaries.green, primaries.blue};
    if (signedArea2(triangle) < 0) {
        std::swap(triangle[1], triangle[2]);
    }
    return triangle;
}

// Which side of the edge a->b the point p lies on: positive on the left.
double side(const CIExy& a, const CIExy& b, const CIExy& p) {
    return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

CIExy crossing(const CIExy& p, const CIExy& q, double sp, double sq) {
    const double t = sp / (sp - sq);
    return {p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
}

// The part of the subject polygon inside the convex, counter-clockwise clip polygon
// (Sutherland-Hodgman).
Polygon clipTo(Polygon subject, const Polygon& clip) {
    for (std::size_t e = 0; e < clip.size() && !subject.empty(); ++e) {
        const CIExy& a = clip[e];
        const CIExy& b = clip[(e + 1) % clip.size()];
        Polygon kept;
        for (std::size_t i = 0; i < subject.size(); ++i) {
            const CIExy& p = subject[i];
            const CIExy& q = subject[(i + 1) % subject.size()];
            const double sp = side(a, b, p);
            const double sq = side(a, b, q);
            if (sp >= 0) {
                kept.push_back(p);
            }
            if ((sp >= 0) != (sq >= 0)) {
                kept.push_back(crossing(p, q, sp, sq));
            }
        }
        subject = std::move(kept);
    }
    return subject;
}

}  // namespace

std::span<const ReferenceGamut> referenceGamuts() {
    return kReferences;
}

double gamutCoverage(const ColorPrimaries& display, const ColorPrimaries& reference) {
    const Polygon ref = counterClockwise(reference);
    const Polygon own = counterClockwise(display);
    const double refArea = signedArea2(ref);
    if (refArea <= 0 || signedArea2(own) <= 0) {
        return 0;
    }
    const Polygon common = clipTo(own, ref);
    return common.size() < 3 ? 0 : std::abs(signedArea2(common)) / refArea;
}

std::span<const SpectralPoint> spectralLocus() {
    return kSpectralLocus;
}

}  // namespace libEDID
