#include "verifiers/descriptors/DisplayRangeVerifier.h"

#include <map>
#include <string>
#include <utility>

namespace libEDID {

namespace {

constexpr unsigned kFirstOffset = 0x04;  // descriptor offset of limits[0]
constexpr unsigned kRateOffsets = 0x04;
constexpr unsigned kMinVertical = 0x05;
constexpr unsigned kMaxVertical = 0x06;
constexpr unsigned kMinHorizontal = 0x07;
constexpr unsigned kMaxHorizontal = 0x08;
constexpr unsigned kMaxPixelClock = 0x09;  // in units of 10 MHz
constexpr unsigned kTimingSupport = 0x0A;
constexpr unsigned kSupportData = 0x0B;  // first byte of the timing support data
constexpr unsigned kLastOffset = 0x11;

// Timing support flags (0Ah).
constexpr unsigned char kDefaultGTF = 0x00;
constexpr unsigned char kRangeLimitsOnly = 0x01;
constexpr unsigned char kSecondaryGTF = 0x02;
constexpr unsigned char kCVTSupport = 0x04;

constexpr unsigned char kLineFeed = 0x0A;
constexpr unsigned char kSpace = 0x20;

/// Minimum and maximum of one rate after the offsets of 04h: the two bits select nothing
/// (00b, 01b), +255 Hz or kHz on the maximum (10b) or on both (11b).
struct Rate {
    unsigned min;
    unsigned max;

    /// "<min>-<max> <unit>".
    qor::String text(const char* unit) const {
        std::string text;
        detail::appendUnsigned(text, min);
        text += '-';
        detail::appendUnsigned(text, max);
        text += ' ';
        text += unit;
        return text;
    }
};

Rate rateWithOffsets(unsigned char min, unsigned char max, unsigned offsetBits) {
    constexpr unsigned kOffset = 255;
    return {min + (offsetBits == 0x3 ? kOffset : 0u),
            max + ((offsetBits & 0x2) != 0 ? kOffset : 0u)};
}

/// CVT supported aspect ratios: bit of (0Eh >> 3) to ratio.
const std::map<unsigned, const char*>& supportedAspectRatios() {
    static const std::map<unsigned, const char*> table{
        {1, "15:9"}, {2, "5:4"}, {4, "16:10"}, {8, "16:9"}, {16, "4:3"},
    };
    return table;
}

/// CVT preferred aspect ratio: 0Fh >> 5 to ratio (5 to 7 are undefined).
const std::map<unsigned, const char*>& preferredAspectRatios() {
    static const std::map<unsigned, const char*> table{
        {0, "4:3"}, {1, "16:9"}, {2, "16:10"}, {3, "5:4"}, {4, "15:9"},
    };
    return table;
}

/// CVT display scaling: bit of (10h >> 4) to the key of its label.
const std::map<unsigned, const char*>& displayScalings() {
    static const std::map<unsigned, const char*> table{
        {1, "VerticalStretch"},
        {2, "VerticalShrink"},
        {4, "HorizontalStretch"},
        {8, "HorizontalShrink"},
    };
    return table;
}

}  // namespace

unsigned char DisplayRangeVerifier::at(unsigned offset) const {
    return limits[(offset - kFirstOffset) % limits.size()];
}

void DisplayRangeVerifier::verify() {
    verifyRates();
    switch (at(kTimingSupport)) {
        case kDefaultGTF:
        case kRangeLimitsOnly:
            verifyPadding();
            break;
        case kSecondaryGTF:
            verifySecondaryGTF();
            break;
        case kCVTSupport:
            verifyCVTSupport();
            break;
        default:
            // Undefined timing support: nothing more is decoded.
            break;
    }
}

void DisplayRangeVerifier::verifyRates() {
    const unsigned offsets = at(kRateOffsets);
    const Rate vertical = rateWithOffsets(at(kMinVertical), at(kMaxVertical), offsets & 0x3);
    const Rate horizontal =
        rateWithOffsets(at(kMinHorizontal), at(kMaxHorizontal), (offsets >> 2) & 0x3);
    checkRate("Vertical", vertical.min, vertical.max);
    checkRate("Horizontal", horizontal.min, horizontal.max);

    detail::DetailLines lines(" ");
    notifySysInfoProperty("VertRangeLimit", lines.add("Vertical", vertical.text("Hz")));
    notifySysInfoProperty("HorizRangeLimit", lines.add("Horizontal", horizontal.text("kHz")));
    notifySysInfoProperty(
        "MaxPixelClockRangeLimit",
        lines.add("MaxPixelClock", detail::unsignedText(at(kMaxPixelClock) * 10u) + " MHz"));
    reportValue("RangeLimits", lines.text());
}

void DisplayRangeVerifier::checkRate(const char* typeKey, unsigned min, unsigned max) {
    if (min <= max) {
        return;
    }
    // The rates as unsigned property values render them.
    logFinding("InvalidRangeLimits", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
               LibEDIDLog::LIBEDID_LOG_CAT_RANGE_LIMITS,
               {{"type", detail::localized(typeKey)},
                {"minrate", detail::indexText(min)},
                {"maxrate", detail::indexText(max)}});
}

void DisplayRangeVerifier::verifyPadding() {
    if (at(kSupportData) != kLineFeed) {
        reportValueAtOffset(LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR, detail::localized("RangeLimits"),
                            kSupportData, detail::hexByte(kLineFeed));
    }
    for (unsigned offset = kSupportData + 1; offset <= kLastOffset; ++offset) {
        if (at(offset) != kSpace) {
            reportValueAtOffset(LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                                detail::localized("RangeLimits"), offset, detail::hexByte(kSpace));
        }
    }
}

void DisplayRangeVerifier::verifySecondaryGTF() {
    // 0Bh reserved; 0Ch start break frequency / 2 kHz; 0Dh C x 2; 0Eh-0Fh M (LSB first);
    // 10h K; 11h J x 2.
    if (at(kSupportData) != 0x00) {
        reportValueAtOffset(LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
                            detail::labelPair("RangeLimits", "GTFCurve"), kSupportData, "00h");
    }
    // Each value is labelled and notified under the same name.
    const std::pair<const char*, qor::String> fields[] = {
        {"StartBreakFrequency", detail::unsignedText(at(0x0C) * 2u) + " kHz"},
        {"BlankingFormulaOffset", detail::unsignedText(at(0x0D) / 2u)},
        {"BlankingFormulaGradient", detail::unsignedText(at(0x0E) | (at(0x0F) << 8u))},
        {"BlankingFormulaScaling", detail::unsignedText(at(0x10))},
        {"BlankingFormulaWeighting", detail::unsignedText(at(0x11) / 2u)},
    };
    detail::DetailLines lines("  ");
    for (const auto& [name, value] : fields) {
        notifySysInfoProperty(name, lines.add(name, value));
    }
    lines.append(detail::eol());
    reportLabelledValue(" " + detail::localized("GTFCurve"), lines.text());
}

void DisplayRangeVerifier::verifyCVTSupport() {
    // 0Bh CVT version; 0Ch bits 7-2 pixel clock precision (0.25 MHz units taken off the
    // maximum), bits 1-0 and 0Dh the maximum active pixels per line / 8; 0Eh bits 7-3
    // supported aspect ratios; 0Fh bits 7-5 preferred aspect ratio, bit 4 reduced and bit 3
    // standard CVT blanking; 10h bits 7-4 display scaling; 11h preferred refresh rate.
    const unsigned char version = at(0x0B);
    const unsigned char precision = at(0x0C);
    const unsigned char preference = at(0x0F);
    detail::DetailLines lines("  ");

    notifySysInfoProperty(
        "CVTVersion",
        lines.add("CVTVersion", qor::SprintfFormat("%u.%u", version >> 4u, version & 0x0Fu)));

    const double maxClock = static_cast<double>(static_cast<float>(at(kMaxPixelClock) * 10u)) -
                            (precision >> 2u) * 0.25;
    notifySysInfoProperty("CVTMaxPixelClock",
                          lines.add("CVTMaxPixelClock", qor::SprintfFormat("%4.2f MHz", maxClock)));

    const unsigned maxPixels = (((precision & 0x03u) << 8u) | at(0x0D)) * 8u;
    notifySysInfoProperty(
        "CVTMaxActivePixelsPerLine",
        lines.add("CVTMaxActivePixelsPerLine",
                  maxPixels == 0 ? detail::localized("NoLimit") : detail::unsignedText(maxPixels)));

    detail::ItemList ratios("   ");
    for (const auto& [bit, ratio] : supportedAspectRatios()) {
        if (((at(0x0E) >> 3u) & bit) != 0) {
            ratios.add(ratio);
        }
    }
    lines.add("CVTSuppAspectRatios", ratios.text());
    notifySysInfoProperty("CVTSuppAspectRatios", ratios.values());

    const auto preferred = preferredAspectRatios().find(preference >> 5u);
    notifySysInfoProperty("CVTPrefAspectRatio", lines.add("CVTPrefAspectRatios",
                                                          preferred == preferredAspectRatios().end()
                                                              ? detail::localized("Unknown")
                                                              : qor::String(preferred->second)));

    addFlagLine(lines, "StandardCVTBlanking", (preference & 0x08u) != 0);
    addFlagLine(lines, "ReducedCVTBlanking", (preference & 0x10u) != 0);

    detail::ItemList scalings("   ");
    for (const auto& [bit, labelKey] : displayScalings()) {
        if (((at(0x10) >> 4u) & bit) != 0) {
            scalings.add(detail::localized(labelKey));
        }
    }
    lines.add("CVTSuppDisplayScaling", scalings.text());
    notifySysInfoProperty("CVTSuppDisplayScaling", scalings.values());

    const unsigned char refresh = at(0x11);
    notifySysInfoProperty(
        "CVTPrefVertRefreshRate",
        lines.add("CVTPrefVertRefreshRate", refresh == 0 ? detail::localized("Undefined")
                                                         : qor::SprintfFormat("%u Hz", refresh)));

    reportLabelledValue(" " + detail::localized("RangeLimitsCVTSupport"), lines.text());
}

void DisplayRangeVerifier::reportValueAtOffset(LibEDIDLog::LIBEDID_LOG_LEVEL level,
                                               const qor::String& type, unsigned offset,
                                               const qor::String& expected) {
    logFinding("InvalidValueAtOffset", level, LibEDIDLog::LIBEDID_LOG_CAT_VALUE_AT_OFFSET,
               {{"type", type},
                {"offset", detail::hexByte(offset)},
                {"expected", expected},
                {"value", detail::hexByte(at(offset))}});
}

void DisplayRangeVerifier::addFlagLine(detail::DetailLines& lines, const char* labelKey,
                                       bool flag) {
    lines.add(labelKey, detail::yesNo(flag));
    notifySysInfoProperty(labelKey, qor::QORValue(flag));
}

}  // namespace libEDID
