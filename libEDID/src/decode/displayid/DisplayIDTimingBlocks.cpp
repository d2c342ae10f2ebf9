// Decoders of the DisplayID timing kinds beyond types I and VII: the detailed types II and VI,
// the formula-based short timings (III, V, IX, X) and the timing codes (IV, VIII).

#include <array>

#include "decode/base/StandardTiming.h"
#include "decode/cta/CTATables.h"
#include "decode/displayid/DMTTable.h"
#include "decode/displayid/DisplayIDDecode.h"

namespace libEDID::displayid {

namespace {

constexpr std::uint8_t kTypeIII = 0x05;
constexpr std::uint8_t kTypeV = 0x11;
constexpr std::uint8_t kTypeIX = 0x24;
constexpr std::uint8_t kTypeX = 0x2A;

unsigned le16(const unsigned char* d) {
    return d[0] | (d[1] << 8u);
}

// Calls `decode` on every whole descriptor of `size` bytes.
template <typename T, typename Decode>
Descriptors<T> eachDescriptor(Payload payload, unsigned size, Decode&& decode) {
    Descriptors<T> out;
    out.size = size;
    std::size_t at = 0;
    for (; at + size <= payload.size(); at += size) {
        out.items.push_back(decode(payload.data() + at));
    }
    out.leftover = static_cast<unsigned>(payload.size() - at);
    return out;
}

// Type III aspect ratios (codes 0-7) as width : height.
struct Ratio {
    unsigned width;
    unsigned height;
};
constexpr std::array<Ratio, 8> kAspectRatios{
    {{1, 1}, {5, 4}, {4, 3}, {15, 9}, {16, 9}, {16, 10}, {64, 27}, {256, 135}}};

// The formula codes of each short timing type, in the order of DisplayIDBlanking: type III
// knows 0 (CVT) and 1 (CVT RB); type V only 0, meaning CVT RB version 2; types IX and X count
// 0 CVT, 1 RB, 2 RB v2 (and X 3 RB v3).
DisplayIDBlanking blanking(std::uint8_t tag, unsigned formula) {
    if (tag == kTypeV) {
        return formula == 0 ? DisplayIDBlanking::CVTReducedV2 : DisplayIDBlanking::Reserved;
    }
    const unsigned known = tag == kTypeIII ? 2 : tag == kTypeIX ? 3 : 4;
    return formula < known ? static_cast<DisplayIDBlanking>(formula) : DisplayIDBlanking::Reserved;
}

// Type III: byte 0 bit 7 preferred, bits 6-4 formula, bits 3-0 aspect ratio; byte 1 the width
// / 8 - 1; byte 2 bit 7 interlaced, bits 6-0 the refresh rate - 1.
DisplayIDFormulaTiming typeIII(const unsigned char* d) {
    DisplayIDFormulaTiming t;
    t.tag = kTypeIII;
    t.preferred = (d[0] & 0x80u) != 0;
    t.formula = (d[0] >> 4) & 0x07u;
    t.aspectRatioCode = d[0] & 0x0Fu;
    t.width = (d[1] + 1u) * 8u;
    if (t.aspectRatioCode < kAspectRatios.size()) {
        const Ratio ratio = kAspectRatios[t.aspectRatioCode];
        t.height = t.width * ratio.height / ratio.width;
    }
    t.interlaced = (d[2] & 0x80u) != 0;
    t.refresh = (d[2] & 0x7Fu) + 1u;
    return t;
}

// Types V, IX and X share the options byte: bit 7 preferred (V), bits 6-5 stereo (V, IX),
// bit 4 the 1000/1001 rate; the formula in bits 1-0 (V) or 2-0 (IX, X). Width and height
// follow, 16 bits each, minus one.
DisplayIDFormulaTiming shortTiming(std::uint8_t tag, const unsigned char* options,
                                   const unsigned char* sizes) {
    DisplayIDFormulaTiming t;
    t.tag = tag;
    t.preferred = tag == kTypeV && (options[0] & 0x80u) != 0;
    t.stereoCode = tag == kTypeX ? 0 : (options[0] >> 5) & 0x03u;
    t.fractionalRate = (options[0] & 0x10u) != 0;
    t.formula = options[0] & (tag == kTypeV ? 0x03u : 0x07u);
    t.width = le16(sizes) + 1u;
    t.height = le16(sizes + 2) + 1u;
    return t;
}

DisplayIDTimingCode::Type codeType(std::uint8_t revision) {
    return static_cast<DisplayIDTimingCode::Type>(revision >> 6);
}

// The format of a code in the table of its type.
void resolve(DisplayIDTimingCode& code) {
    const auto set = [&](unsigned width, unsigned height, unsigned refresh, bool interlaced) {
        code.width = width;
        code.height = height;
        code.refresh = refresh;
        code.interlaced = interlaced;
    };
    if (code.type == DisplayIDTimingCode::Type::DMT && code.twoByte) {
        const decode::StandardTiming st = decode::decodeStandardTiming(
            static_cast<unsigned char>(code.code), static_cast<unsigned char>(code.code >> 8));
        if (st.kind == decode::StandardTiming::Kind::Mode) {
            set(st.width, st.height, st.refresh, false);
        }
    } else if (code.type == DisplayIDTimingCode::Type::DMT) {
        if (const DMTFormat* f = dmtFormat(code.code)) {
            set(f->width, f->height, f->refresh, f->interlaced);
            code.reducedBlanking = f->reducedBlanking;
        }
    } else if (code.type == DisplayIDTimingCode::Type::VIC) {
        if (const cta::VideoFormat* f = cta::videoFormat(code.code)) {
            set(f->width, f->height, f->refresh, f->interlaced);
        }
    } else if (code.type == DisplayIDTimingCode::Type::HDMIVIC) {
        if (const cta::HDMIVideoFormat* f = cta::hdmiVideoFormat(code.code)) {
            set(f->format.width, f->format.height, f->format.refresh, false);
        }
    }
}

}  // namespace

// Bytes 0-2: pixel clock in 10 kHz units - 1; byte 3: bit 7 preferred, bits 6-5 stereo, bit 4
// interlaced, bit 3 positive horizontal sync, bit 2 positive vertical sync. Bytes 4-5: width
// in cells - 1 (9 bits), bits 7-1 of byte 5 the horizontal blank in cells - 1; byte 6: front
// porch (7-4) and sync (3-0) in cells - 1; bytes 7-8: lines - 1 (12 bits); byte 9: vertical
// blank - 1; byte 10: vertical front porch (7-4) and sync (3-0), minus one.
Descriptors<DisplayIDTiming> decodeTypeIITimings(Payload payload) {
    constexpr unsigned kCell = 8;
    return eachDescriptor<DisplayIDTiming>(payload, 11, [](const unsigned char* d) {
        DisplayIDTiming t;
        t.pixelClockKHz = ((d[0] | (d[1] << 8u) | (d[2] << 16u)) + 1u) * 10u;
        t.preferred = (d[3] & 0x80u) != 0;
        t.stereoCode = (d[3] >> 5) & 0x03u;
        t.interlaced = (d[3] & 0x10u) != 0;
        t.hSyncPositive = (d[3] & 0x08u) != 0;
        t.vSyncPositive = (d[3] & 0x04u) != 0;
        t.hActive = ((d[4] | ((d[5] & 0x01u) << 8u)) + 1u) * kCell;
        t.hBlank = ((d[5] >> 1) + 1u) * kCell;
        t.hFrontPorch = ((d[6] >> 4) + 1u) * kCell;
        t.hSyncWidth = ((d[6] & 0x0Fu) + 1u) * kCell;
        t.vActive = (d[7] | ((d[8] & 0x0Fu) << 8u)) + 1u;
        t.vBlank = d[9] + 1u;
        t.vFrontPorch = (d[10] >> 4) + 1u;
        t.vSyncWidth = (d[10] & 0x0Fu) + 1u;
        return t;
    });
}

// Bytes 0-2: pixel clock in kHz - 1 (bits 5-0 of byte 2 the high bits), byte 2 bit 7
// preferred, bit 6 image size follows. Bytes 3-4: width - 1 (14 bits), bit 7 of byte 4
// positive horizontal sync; bytes 5-6 lines - 1 and bit 7 the vertical sync. Horizontal blank
// and front porch - 1: bytes 7 and 8, their bits 11-8 in bits 3-0 and 7-4 of byte 9; byte 10
// horizontal sync - 1; bytes 11 and 12 vertical blank and front porch - 1; byte 13: bit 7
// interlaced, bits 6-5 stereo, bits 3-0 vertical sync - 1.
Descriptors<DisplayIDTiming> decodeTypeVITimings(Payload payload) {
    constexpr unsigned kSize = 14;
    constexpr unsigned kImageSize = 3;
    Descriptors<DisplayIDTiming> out;
    out.size = kSize;
    std::size_t at = 0;
    while (at + kSize <= payload.size()) {
        const unsigned char* d = payload.data() + at;
        const unsigned size = (d[2] & 0x40u) != 0 ? kSize + kImageSize : kSize;
        if (at + size > payload.size()) {
            break;
        }
        DisplayIDTiming t;
        t.pixelClockKHz = (d[0] | (d[1] << 8u) | ((d[2] & 0x3Fu) << 16u)) + 1u;
        t.preferred = (d[2] & 0x80u) != 0;
        t.hActive = (le16(d + 3) & 0x3FFFu) + 1u;
        t.hSyncPositive = (d[4] & 0x80u) != 0;
        t.vActive = (le16(d + 5) & 0x3FFFu) + 1u;
        t.vSyncPositive = (d[6] & 0x80u) != 0;
        t.hBlank = (d[7] | ((d[9] & 0x0Fu) << 8u)) + 1u;
        t.hFrontPorch = (d[8] | ((d[9] & 0xF0u) << 4u)) + 1u;
        t.hSyncWidth = d[10] + 1u;
        t.vBlank = d[11] + 1u;
        t.vFrontPorch = d[12] + 1u;
        t.interlaced = (d[13] & 0x80u) != 0;
        t.stereoCode = (d[13] >> 5) & 0x03u;
        t.vSyncWidth = (d[13] & 0x0Fu) + 1u;
        out.items.push_back(t);
        at += size;
    }
    out.leftover = static_cast<unsigned>(payload.size() - at);
    return out;
}

Descriptors<DisplayIDFormulaTiming> decodeFormulaTimings(std::uint8_t tag, std::uint8_t revision,
                                                         Payload payload) {
    Descriptors<DisplayIDFormulaTiming> out;
    if (tag == kTypeIII) {
        out = eachDescriptor<DisplayIDFormulaTiming>(payload, 3, typeIII);
    } else if (tag == kTypeV) {
        // Byte 1 is reserved; byte 6 the refresh rate - 1.
        out = eachDescriptor<DisplayIDFormulaTiming>(payload, 7, [](const unsigned char* d) {
            DisplayIDFormulaTiming t = shortTiming(kTypeV, d, d + 2);
            t.refresh = d[6] + 1u;
            return t;
        });
    } else if (tag == kTypeIX) {
        out = eachDescriptor<DisplayIDFormulaTiming>(payload, 6, [](const unsigned char* d) {
            DisplayIDFormulaTiming t = shortTiming(kTypeIX, d, d + 1);
            t.refresh = d[5] + 1u;
            return t;
        });
    } else if (tag == kTypeX) {
        // Revision bits 6-4: 0 for 6-byte descriptors, 1 for 7 bytes whose byte 6 bits 1-0
        // are bits 9-8 of the refresh rate - 1.
        const bool sevenBytes = ((revision >> 4) & 0x07u) == 1;
        out = eachDescriptor<DisplayIDFormulaTiming>(
            payload, sevenBytes ? 7 : 6, [sevenBytes](const unsigned char* d) {
                DisplayIDFormulaTiming t = shortTiming(kTypeX, d, d + 1);
                t.refresh = (d[5] | (sevenBytes ? (d[6] & 0x03u) << 8u : 0u)) + 1u;
                return t;
            });
    }
    for (DisplayIDFormulaTiming& t : out.items) {
        t.blanking = blanking(tag, t.formula);
    }
    return out;
}

// One code per byte; type VIII with bit 3 of the revision byte set: two bytes per code.
Descriptors<DisplayIDTimingCode> decodeTimingCodes(std::uint8_t tag, std::uint8_t revision,
                                                   Payload payload) {
    const bool twoByte = tag == 0x23 && (revision & 0x08u) != 0;
    return eachDescriptor<DisplayIDTimingCode>(payload, twoByte ? 2 : 1,
                                               [&](const unsigned char* d) {
                                                   DisplayIDTimingCode code;
                                                   code.tag = tag;
                                                   code.type = codeType(revision);
                                                   code.twoByte = twoByte;
                                                   code.code = twoByte ? le16(d) : d[0];
                                                   resolve(code);
                                                   return code;
                                               });
}

}  // namespace libEDID::displayid
