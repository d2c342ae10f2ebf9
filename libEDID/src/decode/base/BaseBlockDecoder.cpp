#include "decode/base/BaseBlockDecoder.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "decode/base/BaseBlockLayout.h"

namespace libEDID::decode {

namespace {

using Slot = std::span<const std::uint8_t, 18>;

std::uint16_t littleEndian16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

/// Bits 14-10, 9-5 and 4-0 of 08h-09h are letters, 1 = 'A'.
std::array<char, 4> manufacturerLetters(std::uint16_t code) {
    std::array<char, 4> letters{};
    for (unsigned i = 0; i < 3; ++i) {
        letters[i] = static_cast<char>('@' + ((code >> (10 - 5 * i)) & 0x1Fu));
    }
    return letters;
}

/// Byte 14h: bit 7 digital. Digital (EDID 1.4): bits 6-4 colour depth, 3-0 interface.
/// Analog: bits 6-5 signal level, 4 blank-to-black setup, 3-0 sync types and serrations.
VideoInput videoInput(std::uint8_t code, bool revision14) {
    VideoInput in;
    in.digital = (code & 0x80) != 0;
    if (in.digital) {
        if (revision14) {
            const unsigned depth = (code >> 4) & 0x07u;
            if (depth != 0 && depth != 7) {
                in.bitsPerColor = 4 + 2 * depth;
            }
            const unsigned interface = code & 0x0Fu;
            in.interface = interface <= 5 ? static_cast<DigitalInterface>(interface)
                                          : DigitalInterface::Reserved;
        }
        return in;
    }
    in.signalLevel = static_cast<std::uint8_t>((code >> 5) & 0x03u);
    in.blankToBlackSetup = (code & 0x10) != 0;
    in.separateSync = (code & 0x08) != 0;
    in.compositeSyncOnH = (code & 0x04) != 0;
    in.syncOnGreen = (code & 0x02) != 0;
    in.serrations = (code & 0x01) != 0;
    return in;
}

FeatureSupport features(std::uint8_t code) {
    FeatureSupport f;
    f.raw = code;
    f.standby = (code & 0x80) != 0;
    f.suspend = (code & 0x40) != 0;
    f.activeOff = (code & 0x20) != 0;
    f.colorType = static_cast<std::uint8_t>((code >> 3) & 0x03u);
    f.sRGBDefault = (code & layout::kSRGBDefaultBit) != 0;
    f.preferredTimingNative = (code & layout::kPreferredTimingBit) != 0;
    f.continuousFrequency = (code & layout::kContinuousFrequencyBit) != 0;
    return f;
}

/// A 10-bit code: eight high bits in their own byte, the two low bits at `shift` of a shared
/// byte.
ChromaticityCode chroma(std::uint8_t high, std::uint8_t shared, unsigned shift) {
    return {static_cast<std::uint16_t>((high << 2) | ((shared >> shift) & 0x03u))};
}

/// 19h: red x 7-6, red y 5-4, green x 3-2, green y 1-0; 1Ah: the same for blue and white.
ChromaticityCodes chromaticity(std::span<const std::uint8_t, 128> b) {
    const std::uint8_t rg = b[0x19];
    const std::uint8_t bw = b[0x1A];
    return {chroma(b[0x1B], rg, 6), chroma(b[0x1C], rg, 4), chroma(b[0x1D], rg, 2),
            chroma(b[0x1E], rg, 0), chroma(b[0x1F], bw, 6), chroma(b[0x20], bw, 4),
            chroma(b[0x21], bw, 2), chroma(b[0x22], bw, 0)};
}

/// 15h and 16h: both set: size in cm; one of them zero: a landscape (15h) or portrait (16h)
/// aspect ratio as (value + 99) / 100; both zero: unknown.
void screenSize(BaseBlock& out) {
    if (out.hSizeCode != 0 && out.vSizeCode != 0) {
        out.widthCm = out.hSizeCode;
        out.heightCm = out.vSizeCode;
    } else if (out.hSizeCode != 0) {
        out.aspectRatio = (out.hSizeCode + 99) / 100.0;
    } else if (out.vSizeCode != 0) {
        out.aspectRatio = 100.0 / (out.vSizeCode + 99);
    }
}

/// FCh, FEh, FFh: up to 13 characters from byte 5, ended by 0Ah and padded with 20h; trailing
/// blanks dropped from the text and noted, as is padding of other bytes.
void decodeText(Slot d, Descriptor& out) {
    std::size_t end = layout::kDescriptorPayload;
    while (end < d.size() && d[end] != 0x0A) {
        ++end;
    }
    out.textPaddingNotBlank =
        end < d.size() && std::any_of(d.begin() + static_cast<std::ptrdiff_t>(end) + 1, d.end(),
                                      [](std::uint8_t byte) { return byte != ' '; });
    const std::size_t full = end;
    while (end > layout::kDescriptorPayload && d[end - 1] == ' ') {
        --end;
    }
    out.textTrailingBlanks = end != full;
    out.text.assign(reinterpret_cast<const char*>(d.data()) + layout::kDescriptorPayload,
                    end - layout::kDescriptorPayload);
}

/// Byte 4 bits 1-0 (vertical) and 3-2 (horizontal): 10b adds 255 to the maximum, 11b to both.
std::pair<unsigned, unsigned> withOffset(unsigned min, unsigned max, unsigned bits) {
    return {bits == 3 ? min + 255 : min, (bits & 2u) != 0 ? max + 255 : max};
}

RangeLimitsDescriptor rangeLimits(Slot d) {
    RangeLimitsDescriptor r;
    r.offsets = d[4];
    std::tie(r.minVerticalHz, r.maxVerticalHz) = withOffset(d[5], d[6], d[4] & 0x03u);
    std::tie(r.minHorizontalKHz, r.maxHorizontalKHz) = withOffset(d[7], d[8], (d[4] >> 2) & 0x03u);
    r.maxPixelClockCode = d[9];
    r.timingSupport = d[10];
    if (r.timingSupport == 0x02) {
        r.secondaryGTF = SecondaryGTF{d[12] * 2u, d[13], littleEndian16(&d[14]), d[16], d[17]};
    } else if (r.timingSupport == 0x04) {
        CVTSupport c;
        c.version = d[11];
        c.precisionQuarterMHz = d[12] >> 2;
        c.maxActivePixels = 8u * (((d[12] & 0x03u) << 8) | d[13]);
        c.aspectRatios = static_cast<std::uint8_t>(d[14] >> 3);
        c.preferredAspect = static_cast<std::uint8_t>(d[15] >> 5);
        c.reducedBlanking = (d[15] & 0x10) != 0;
        c.standardBlanking = (d[15] & 0x08) != 0;
        c.scaling = static_cast<std::uint8_t>(d[16] >> 4);
        c.preferredRefreshHz = d[17];
        r.cvt = c;
    }
    return r;
}

/// Three bytes: lines bits 7-0; lines bits 11-8 (7-4), aspect (3-2), reserved (1-0); reserved
/// bit 7, preferred rate (6-5), supported rates (4-0).
CVT3ByteCode cvtCode(const std::uint8_t* c) {
    static constexpr std::array<std::pair<unsigned, unsigned>, 4> kAspect{
        {{4, 3}, {16, 9}, {16, 10}, {15, 9}}};
    CVT3ByteCode code;
    const unsigned stored = c[0] | ((c[1] >> 4u) << 8u);
    if (stored == 0 && c[1] == 0 && c[2] == 0) {
        return code;
    }
    code.lines = (stored + 1) * 2;
    code.aspect = static_cast<std::uint8_t>((c[1] >> 2) & 0x03u);
    const auto [w, h] = kAspect[code.aspect];
    code.width = 8 * (code.lines * w / h / 8);
    code.preferredRate = static_cast<std::uint8_t>((c[2] >> 5) & 0x03u);
    code.rates = static_cast<std::uint8_t>(c[2] & 0x1Fu);
    code.reservedBitSet = (c[1] & 0x03u) != 0 || (c[2] & 0x80u) != 0;
    return code;
}

/// Five bytes: index, low bits (x 3-2, y 1-0), x bits 9-2, y bits 9-2, gamma code.
ColorPoint colorPoint(const std::uint8_t* p) {
    return {p[0], chroma(p[2], p[1], 2), chroma(p[3], p[1], 0), p[4]};
}

struct TagKind {
    std::uint8_t tag;
    DescriptorKind kind;
};
constexpr std::array<TagKind, 10> kTagKinds{{
    {0x10, DescriptorKind::Dummy},
    {0xF7, DescriptorKind::EstablishedIII},
    {0xF8, DescriptorKind::CVT3Byte},
    {0xF9, DescriptorKind::DCM},
    {0xFA, DescriptorKind::StandardTimingIds},
    {0xFB, DescriptorKind::ColorPoint},
    {0xFC, DescriptorKind::ProductName},
    {0xFE, DescriptorKind::DataString},
    {0xFD, DescriptorKind::RangeLimits},
    {0xFF, DescriptorKind::SerialNumber},
}};

DescriptorKind kindOf(std::uint8_t tag) {
    if (tag <= layout::kLastManufacturerTag) {
        return DescriptorKind::Manufacturer;
    }
    for (const TagKind& entry : kTagKinds) {
        if (entry.tag == tag) {
            return entry.kind;
        }
    }
    return DescriptorKind::Reserved;
}

}  // namespace

std::uint32_t RangeLimitsDescriptor::maxPixelClockKHz() const {
    const std::uint32_t khz = maxPixelClockCode * 10000u;
    const std::uint32_t less = cvt ? cvt->precisionQuarterMHz * 250u : 0u;
    return khz > less ? khz - less : 0u;
}

namespace {

/// Fills `out`, a default Descriptor, in place (a Descriptor is a few hundred bytes).
void fillDescriptor(Slot d, Descriptor& out) {
    if (auto timing = decodeDetailedTiming(d)) {
        out.kind = DescriptorKind::DetailedTiming;
        out.timing = timing;
        return;
    }
    out.tag = d[layout::kDescriptorTag];
    out.kind = kindOf(out.tag);
    out.allZero = std::all_of(d.begin(), d.end(), [](std::uint8_t byte) { return byte == 0; });
    out.version = d[layout::kDescriptorVersion];
    switch (out.kind) {
        case DescriptorKind::ProductName:
        case DescriptorKind::DataString:
        case DescriptorKind::SerialNumber:
            decodeText(d, out);
            break;
        case DescriptorKind::RangeLimits:
            out.range = rangeLimits(d);
            break;
        case DescriptorKind::EstablishedIII:
            std::copy(d.begin() + 6, d.begin() + 12, out.establishedIII.begin());
            break;
        case DescriptorKind::CVT3Byte:
            for (unsigned i = 0; i < out.cvt.size(); ++i) {
                out.cvt[i] = cvtCode(&d[6 + 3 * i]);
            }
            break;
        case DescriptorKind::ColorPoint:
            out.colorPoints = {colorPoint(&d[5]), colorPoint(&d[10])};
            break;
        case DescriptorKind::StandardTimingIds:
            for (unsigned i = 0; i < out.standardTimings.size(); ++i) {
                out.standardTimings[i] = decodeStandardTiming(d[5 + 2 * i], d[6 + 2 * i]);
            }
            break;
        case DescriptorKind::DCM:
            out.dcm.version = d[5];
            for (unsigned i = 0; i < out.dcm.coefficients.size(); ++i) {
                out.dcm.coefficients[i] = littleEndian16(&d[6 + 2 * i]);
            }
            break;
        case DescriptorKind::DetailedTiming:
        case DescriptorKind::Manufacturer:
        case DescriptorKind::Dummy:
        case DescriptorKind::Reserved:
            break;
    }
}

}  // namespace

CVT3ByteCode decodeCVT3ByteCode(std::span<const std::uint8_t, 3> bytes) {
    return cvtCode(bytes.data());
}

Descriptor decodeDescriptor(Slot d) {
    Descriptor out;
    fillDescriptor(d, out);
    return out;
}

BaseBlock decodeBaseBlock(std::span<const std::uint8_t, 128> b) {
    BaseBlock out;
    out.manufacturerCode = static_cast<std::uint16_t>((b[layout::kManufacturerID] << 8) |
                                                      b[layout::kManufacturerID + 1]);
    out.manufacturerId = manufacturerLetters(out.manufacturerCode);
    out.productCode = littleEndian16(&b[layout::kProductCode]);
    out.serialNumber =
        littleEndian16(&b[layout::kSerialNumber]) |
        (static_cast<std::uint32_t>(littleEndian16(&b[layout::kSerialNumber + 2])) << 16);
    out.week = b[layout::kWeek];
    out.yearCode = b[layout::kYear];
    out.version = b[layout::kVersion];
    out.revision = b[layout::kRevision];

    out.videoInputCode = b[layout::kVideoInput];
    out.videoInput = videoInput(out.videoInputCode, out.isRevision14OrLater());
    out.hSizeCode = b[layout::kHorizontalSize];
    out.vSizeCode = b[layout::kVerticalSize];
    screenSize(out);
    out.gammaCode = b[layout::kGamma];
    if (out.gammaCode != 0xFF) {
        out.gamma = (out.gammaCode + 100) / 100.0;
    }
    out.features = features(b[layout::kFeatureSupport]);
    out.chromaticity = chromaticity(b);

    std::copy(b.begin() + layout::kEstablishedTimings, b.begin() + layout::kEstablishedTimings + 3,
              out.establishedBits.begin());
    for (unsigned i = 0; i < out.standardTimings.size(); ++i) {
        const std::size_t at = layout::kStandardTimings + 2 * i;
        out.standardTimings[i] = decodeStandardTiming(b[at], b[at + 1]);
    }
    for (unsigned i = 0; i < out.descriptors.size(); ++i) {
        fillDescriptor(b.subspan(layout::kDescriptorSlots[i]).first<layout::kDescriptorSize>(),
                       out.descriptors[i]);
    }
    out.extensionCount = b[layout::kExtensionCount];
    out.checksum = b[layout::kChecksum];
    return out;
}

}  // namespace libEDID::decode
