#include "verifiers/descriptors/DetailedTimingVerifier.h"

#include <array>
#include <map>

#include "verifiers/BaseBlockLayout.h"

namespace libEDID {

namespace {

// Flags byte (descriptor byte 17).
constexpr unsigned char kInterlacedBit = 0x80;
constexpr unsigned char kDigitalSyncBit = 0x10;
constexpr unsigned char kSeparateOrBipolarBit = 0x08;     // digital separate / bipolar analog
constexpr unsigned char kVerticalOrSerrationsBit = 0x04;  // vertical polarity / serrations
constexpr unsigned char kHorizontalOrSyncOnBit = 0x02;    // horizontal polarity / sync on RGB

/// Stereo viewing modes by the code (flags bits 6-5) x 2 + flags bit 0.
const std::map<unsigned, const char*>& stereoModes() {
    static const std::map<unsigned, const char*> table{
        {0, "NormalDisplay"}, {1, "NormalDisplay"},      {2, "FieldSeqStereoRight"},
        {3, "2WayIntRight"},  {4, "FieldSeqStereoLeft"}, {5, "2WayIntLeft"},
        {6, "4wayInt"},       {7, "SideBySideInt"},
    };
    return table;
}

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

qor::String valueText(const qor::QORValue& value) {
    return value.toString(qor::QORValue::nilValue());
}

qor::String frequencyText(unsigned hertz) {
    return valueText(qor::QORValue(qor::DiscreteMeasurement(qor::UnitType::FREQUENCY, hertz)));
}

qor::String polarity(bool positive) {
    return detail::localized(positive ? "Positive" : "Negative");
}

/// "  <label> : <item>", a detail line of the sync signal text.
qor::String syncLine(const char* labelKey, const qor::String& item) {
    return "  " + detail::localized(labelKey) + " : " + item;
}

/// A numeric field of the report: its variable, its property name and its value.
struct Field {
    const char* variable;
    const char* property;
    qor::QORValue value;
};

}  // namespace

void DetailedTimingVerifier::verify() {
    verifyTiming(&baseBlock()[layout::kDescriptorSlots[0]], 0);
}

void DetailedTimingVerifier::notifyIndexedProperty(const qor::String& name, unsigned slot,
                                                   const qor::QORValue& value) {
    notifySysInfoProperty(name + detail::indexText(slot), value);
}

void DetailedTimingVerifier::verifyTiming(const unsigned char* descriptor, unsigned slot) {
    const Timing t = decode(descriptor);
    if (t.pixelClock == 0) {
        logFinding("InvalidDetailedTiming", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                   LibEDIDLog::LIBEDID_LOG_CAT_GENERAL);
        return;
    }

    LibEDIDLog report = info("DetailedTiming");
    const qor::DiscreteMeasurement clock(qor::UnitType::FREQUENCY, t.pixelClockHz());
    report.setVariable("value1", clock.toString(qor::UnitMagnitude::AUTO) + " ");
    notifyIndexedProperty("PixelClock", slot, qor::QORValue(valueText(qor::QORValue(clock))));

    // Each variable is the field's text and one blank; its property is the text alone.
    const auto setField = [&](const char* variable, const qor::QORValue& value) {
        const qor::String text = valueText(value);
        report.setVariable(variable, text + " ");
        return text;
    };
    const std::array<Field, 11> fields{{
        {"value2", "HorizFrontPorch", qor::QORValue(t.hFrontPorch)},
        {"value3", "HorizSyncPulse", qor::QORValue(t.hSyncWidth)},
        {"value4", "HorizBlanking", qor::QORValue(t.hBlanking)},
        {"value5", "HorizAddrVideo", qor::QORValue(t.hAddressable)},
        {"value6", "HorizAddrVideoImgSz", qor::QORValue(t.hImageSize)},
        {"value7", "HorizBorder", qor::QORValue(t.hBorder)},
        {"value8", "VertFrontPorch", qor::QORValue(t.vFrontPorch)},
        {"value9", "VertSyncPulse", qor::QORValue(t.vSyncWidth)},
        {"value10", "VertBlanking", qor::QORValue(t.vBlanking)},
        {"value11", "VertAddrVideo", qor::QORValue(t.vAddressable)},
        {"value12", "VertAddrVideoImgSz", qor::QORValue(t.vImageSize)},
    }};
    for (const Field& field : fields) {
        notifyIndexedProperty(field.property, slot,
                              qor::QORValue(setField(field.variable, field.value)));
    }
    // The vertical border is notified after the preferred mode.
    const qor::String vBorder = setField("value13", qor::QORValue(t.vBorder));
    if (slot == 0 && (baseBlock()[layout::kFeatureSupport] & layout::kPreferredTimingBit) != 0) {
        reportPreferredMode(t.pixelClockHz(), t.hAddressable, t.hBlanking, t.vAddressable,
                            t.vBlanking);
    }
    notifyIndexedProperty("VertBorder", slot, qor::QORValue(vBorder));

    report.setVariable("value14", syncSignalText(t.flags, slot));

    // Interlace and stereo mode are complete "type: value" reports inside the timing report.
    const bool interlaced = (t.flags & kInterlacedBit) != 0;
    report.setVariable("value15", info("ReportedValue", {{"type", detail::localized("Interlaced")},
                                                         {"value", detail::yesNo(interlaced)}})
                                      .getMesg());
    notifyIndexedProperty("Interlaced", slot, qor::QORValue(interlaced));

    const unsigned stereoCode = ((t.flags >> 5) & 0x03u) * 2u + (t.flags & 0x01u);
    const qor::String stereo = detail::localized(stereoModes().at(stereoCode));
    notifyIndexedProperty("StereoViewingSupport", slot, qor::QORValue(stereo));
    report.setVariable(
        "value16", info("ReportedValue",
                        {{"type", detail::localized("StereoViewingSupport")}, {"value", stereo}})
                       .getMesg());

    logMesgAndAppend(std::move(report));
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
    const qor::String& eol = detail::eol();
    qor::String text = detail::localized("SyncSignalInformation") + " : " + eol + "  " +
                       detail::localized("SyncType") + " : ";
    const auto syncType = [&](const char* typeKey) {
        const qor::String type = detail::localized(typeKey);
        text += type + " " + eol;
        notifyIndexedProperty("SyncType", slot, qor::QORValue(type));
    };

    if ((flags & kDigitalSyncBit) != 0) {
        if ((flags & kSeparateOrBipolarBit) != 0) {
            syncType("DigitalSeparate");
            const qor::String vertical = polarity((flags & kVerticalOrSerrationsBit) != 0);
            text += syncLine("VerticalSync", vertical) + " " + eol;
            notifyIndexedProperty("VerticalSync", slot, qor::QORValue(vertical));
        } else {
            syncType("DigitalComposite");
            appendSerrations(text, flags, slot);
        }
        const qor::String horizontal = polarity((flags & kHorizontalOrSyncOnBit) != 0);
        text += syncLine("HorizontalSync", horizontal);
        notifyIndexedProperty("HorizontalSync", slot, qor::QORValue(horizontal));
    } else {
        syncType((flags & kSeparateOrBipolarBit) != 0 ? "BipolarAnalogComposite"
                                                      : "AnalogComposite");
        appendSerrations(text, flags, slot);
        const qor::String syncOn = detail::localized(
            (flags & kHorizontalOrSyncOnBit) != 0 ? "AllThreeSignals" : "GreenSignalOnly");
        text += syncLine("SyncOn", syncOn);
        notifyIndexedProperty("SyncOn", slot, qor::QORValue(syncOn));
    }
    return text;
}

void DetailedTimingVerifier::appendSerrations(qor::String& text, unsigned char flags,
                                              unsigned slot) {
    const bool serrations = (flags & kVerticalOrSerrationsBit) != 0;
    notifyIndexedProperty("WithSerrations", slot, qor::QORValue(serrations));
    text += syncLine("WithSerrations", detail::yesNo(serrations)) + " " + detail::eol();
}

}  // namespace libEDID
