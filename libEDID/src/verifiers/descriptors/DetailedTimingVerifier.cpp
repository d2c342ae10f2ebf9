#include "verifiers/descriptors/DetailedTimingVerifier.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "decode/base/BaseBlockLayout.h"

namespace libEDID {

namespace {

// Flags byte (descriptor byte 17).
constexpr unsigned char kInterlacedBit = 0x80;
constexpr unsigned char kDigitalSyncBit = 0x10;
constexpr unsigned char kSeparateOrBipolarBit = 0x08;     // digital separate / bipolar analog
constexpr unsigned char kVerticalOrSerrationsBit = 0x04;  // vertical polarity / serrations
constexpr unsigned char kHorizontalOrSyncOnBit = 0x02;    // horizontal polarity / sync on RGB

/// Stereo viewing modes by the code (flags bits 6-5) x 2 + flags bit 0.
constexpr std::array<const char*, 8> kStereoModes{
    "NormalDisplay", "NormalDisplay", "FieldSeqStereoRight", "2WayIntRight", "FieldSeqStereoLeft",
    "2WayIntLeft",   "4wayInt",       "SideBySideInt",
};

/// The fields of one detailed timing descriptor. Sizes of more than eight bits keep their
/// upper bits in shared nibble or 2-bit bytes (4, 7, 11 and 14).
struct Timing {
    unsigned short pixelClock;  // in 10 kHz
    unsigned short hAddressable;
    unsigned short hBlanking;
    unsigned short vAddressable;
    unsigned short vBlanking;
    unsigned short hFrontPorch;
    unsigned short hSyncWidth;
    unsigned short vFrontPorch;
    unsigned short vSyncWidth;
    unsigned short hImageSize;  // mm
    unsigned short vImageSize;  // mm
    unsigned char hBorder;
    unsigned char vBorder;
    unsigned char flags;

    unsigned pixelClockHz() const { return pixelClock * 10000u; }
};

/// `high` above the `lowWidth` bits of `low`.
unsigned short combine(unsigned high, unsigned low, unsigned lowWidth) {
    return static_cast<unsigned short>((high << lowWidth) | low);
}

Timing decode(const unsigned char* d) {
    const unsigned packedSync = d[11];  // h porch 7-6, h sync 5-4, v porch 3-2, v sync 1-0
    return Timing{
        combine(d[1], d[0], 8),
        combine(d[4] >> 4, d[2], 8),
        combine(d[4] & 0x0Fu, d[3], 8),
        combine(d[7] >> 4, d[5], 8),
        combine(d[7] & 0x0Fu, d[6], 8),
        combine((packedSync >> 6) & 0x03u, d[8], 8),
        combine((packedSync >> 4) & 0x03u, d[9], 8),
        combine((packedSync >> 2) & 0x03u, d[10] >> 4, 4),
        combine(packedSync & 0x03u, d[10] & 0x0Fu, 4),
        combine(d[14] >> 4, d[12], 8),
        combine(d[14] & 0x0Fu, d[13], 8),
        d[15],
        d[16],
        d[17],
    };
}

qor::String frequencyText(unsigned hertz) {
    return qor::DiscreteMeasurement(qor::UnitType::FREQUENCY, hertz)
        .toString(qor::UnitMagnitude::AUTO);
}

const qor::String& polarity(bool positive) {
    return detail::localized(positive ? "Positive" : "Negative");
}

/// Appends "  <label> : <item>", a detail line of the sync signal text.
void appendSyncLine(std::string& text, const char* labelKey, const qor::String& item) {
    text += "  ";
    text += detail::localized(labelKey).str();
    text += " : ";
    text += item.str();
}

/// The placeholders of the "DetailedTiming" report, value1 to value16.
constexpr std::array<const char*, 16> kReportFields{
    "value1", "value2",  "value3",  "value4",  "value5",  "value6",  "value7",  "value8",
    "value9", "value10", "value11", "value12", "value13", "value14", "value15", "value16",
};

/// A numeric field of the report (value2 to value12): its property name and its value.
struct Field {
    const char* property;
    unsigned value;
};

}  // namespace

void DetailedTimingVerifier::verify() {
    verifyTiming(&baseBlock()[layout::kDescriptorSlots[0]], 0);
}

void DetailedTimingVerifier::notifyIndexedProperty(const char* name, unsigned slot,
                                                   const qor::QORValue& value) {
    notifySysInfoProperty(detail::indexedPropertyName(name, slot), value);
}

// The report is made once all its fields are known; the properties go out field by field in
// the order of the report, the preferred mode's report and property before the vertical border.
void DetailedTimingVerifier::verifyTiming(const unsigned char* descriptor, unsigned slot) {
    const Timing t = decode(descriptor);
    if (t.pixelClock == 0) {
        logFinding("InvalidDetailedTiming", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                   LibEDIDLog::LIBEDID_LOG_CAT_GENERAL);
        return;
    }

    // Each field of the report is the field's text and one blank; its property is the text.
    // The numbers are written one after the other into `digits`, each with its blank.
    std::array<std::string_view, kReportFields.size()> values;
    const qor::String clock = frequencyText(t.pixelClockHz()) + " ";
    values[0] = clock.str();
    notifyIndexedProperty("PixelClock", slot,
                          qor::QORValue(qor::String(values[0].substr(0, values[0].size() - 1))));
    const std::array<Field, 12> fields{{
        {"HorizFrontPorch", t.hFrontPorch},
        {"HorizSyncPulse", t.hSyncWidth},
        {"HorizBlanking", t.hBlanking},
        {"HorizAddrVideo", t.hAddressable},
        {"HorizAddrVideoImgSz", t.hImageSize},
        {"HorizBorder", t.hBorder},
        {"VertFrontPorch", t.vFrontPorch},
        {"VertSyncPulse", t.vSyncWidth},
        {"VertBlanking", t.vBlanking},
        {"VertAddrVideo", t.vAddressable},
        {"VertAddrVideoImgSz", t.vImageSize},
        {"VertBorder", t.vBorder},
    }};
    constexpr std::size_t kFieldRoom = 6;  // five digits of a 16-bit value and the blank
    std::array<char, kFieldRoom * fields.size()> digits;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        char* const start = digits.data() + i * kFieldRoom;
        char* const end = std::to_chars(start, start + kFieldRoom - 1, fields[i].value).ptr;
        *end = ' ';
        const std::string_view text(start, static_cast<std::size_t>(end - start));
        values[i + 1] = std::string_view(start, text.size() + 1);
        if (i + 1 == fields.size() && slot == 0 &&
            (baseBlock()[layout::kFeatureSupport] & layout::kPreferredTimingBit) != 0) {
            reportPreferredMode(t.pixelClockHz(), t.hAddressable, t.hBlanking, t.vAddressable,
                                t.vBlanking);
        }
        notifyIndexedProperty(fields[i].property, slot, qor::QORValue(qor::String(text)));
    }

    const qor::String sync = syncSignalText(t.flags, slot);
    values[13] = sync.str();

    // Interlace and stereo mode are complete "type: value" reports inside the timing report.
    const bool interlaced = (t.flags & kInterlacedBit) != 0;
    const LibEDIDLog interlace = info("ReportedValue", {{"type", detail::localized("Interlaced")},
                                                        {"value", detail::yesNo(interlaced)}});
    values[14] = interlace.getMesg().str();
    notifyIndexedProperty("Interlaced", slot, qor::QORValue(interlaced));

    const unsigned stereoCode = ((t.flags >> 5) & 0x03u) * 2u + (t.flags & 0x01u);
    const qor::String& stereo = detail::localized(kStereoModes[stereoCode]);
    notifyIndexedProperty("StereoViewingSupport", slot, qor::QORValue(stereo));
    const LibEDIDLog stereoReport = info(
        "ReportedValue", {{"type", detail::localized("StereoViewingSupport")}, {"value", stereo}});
    values[15] = stereoReport.getMesg().str();

    std::array<detail::Fill, kReportFields.size()> fills;
    for (std::size_t i = 0; i < fills.size(); ++i) {
        fills[i].name = kReportFields[i];
        fills[i].value = values[i];
    }
    logMesgAndAppend(detail::MessageBuilder::build("DetailedTiming",
                                                   LibEDIDLog::LIBEDID_LOG_LEVEL_INFO,
                                                   LibEDIDLog::LIBEDID_LOG_CAT_GENERAL, fills));
}

void DetailedTimingVerifier::reportPreferredMode(unsigned pixelClockHz, unsigned hAddressable,
                                                 unsigned hBlanking, unsigned vAddressable,
                                                 unsigned vBlanking) {
    qor::String text =
        detail::unsignedText(hAddressable) + " x " + detail::unsignedText(vAddressable);
    // The refresh rate is the pixel clock over the total pixels of a frame, blanking included.
    const unsigned framePixels = (hAddressable + hBlanking) * (vAddressable + vBlanking);
    if (framePixels != 0) {
        text += " (" + frequencyText(pixelClockHz / framePixels) + ")";
    }
    notifySysInfoProperty("PreferredMode",
                          qor::QORValue(reportValueTrimmed("PreferredTimingMode", text)));
}

qor::String DetailedTimingVerifier::syncSignalText(unsigned char flags, unsigned slot) {
    const std::string& eol = detail::eol().str();
    std::string text;
    text.reserve(256);
    text += detail::localized("SyncSignalInformation").str();
    text += " : ";
    text += eol;
    text += "  ";
    text += detail::localized("SyncType").str();
    text += " : ";
    const auto syncType = [&](const char* typeKey) {
        const qor::String& type = detail::localized(typeKey);
        text += type.str();
        text += " ";
        text += eol;
        notifyIndexedProperty("SyncType", slot, qor::QORValue(type));
    };

    if ((flags & kDigitalSyncBit) != 0) {
        if ((flags & kSeparateOrBipolarBit) != 0) {
            syncType("DigitalSeparate");
            const qor::String& vertical = polarity((flags & kVerticalOrSerrationsBit) != 0);
            appendSyncLine(text, "VerticalSync", vertical);
            text += " ";
            text += eol;
            notifyIndexedProperty("VerticalSync", slot, qor::QORValue(vertical));
        } else {
            syncType("DigitalComposite");
            appendSerrations(text, flags, slot);
        }
        const qor::String& horizontal = polarity((flags & kHorizontalOrSyncOnBit) != 0);
        appendSyncLine(text, "HorizontalSync", horizontal);
        notifyIndexedProperty("HorizontalSync", slot, qor::QORValue(horizontal));
    } else {
        syncType((flags & kSeparateOrBipolarBit) != 0 ? "BipolarAnalogComposite"
                                                      : "AnalogComposite");
        appendSerrations(text, flags, slot);
        const qor::String& syncOn = detail::localized(
            (flags & kHorizontalOrSyncOnBit) != 0 ? "AllThreeSignals" : "GreenSignalOnly");
        appendSyncLine(text, "SyncOn", syncOn);
        notifyIndexedProperty("SyncOn", slot, qor::QORValue(syncOn));
    }
    return qor::String(std::move(text));
}

void DetailedTimingVerifier::appendSerrations(std::string& text, unsigned char flags,
                                              unsigned slot) {
    const bool serrations = (flags & kVerticalOrSerrationsBit) != 0;
    notifyIndexedProperty("WithSerrations", slot, qor::QORValue(serrations));
    appendSyncLine(text, "WithSerrations", detail::yesNo(serrations));
    text += " ";
    text += detail::eol().str();
}

}  // namespace libEDID
