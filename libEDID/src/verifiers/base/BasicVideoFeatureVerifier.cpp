#include "verifiers/base/BasicVideoFeatureVerifier.h"

#include <array>
#include <map>

#include "decode/base/BaseBlockLayout.h"

namespace libEDID {

namespace {

constexpr unsigned char kDigitalInputBit = 0x80;  // 14h bit 7
constexpr unsigned char kGammaInExtension = 0xFF;
constexpr unsigned char kDisplayInformationTag = 0x40;

using Flag = BasicVideoFeatureVerifier::FlagReport;

// Analog input (14h bits 3-0): sync and serration support.
constexpr Flag kAnalogSyncFlags[] = {
    {"SerrationSupport", nullptr, 0x01, "SerrationSupport"},
    {"CompositeSyncSupport", "GreenVideo", 0x02, "CompositeSyncSupportGreenVideo"},
    {"CompositeSyncSupport", "Horizontal", 0x04, "CompositeSyncSupportHoriz"},
    {"SeparateSignalSupport", nullptr, 0x08, "SeparateSignalSupport"},
};
// Feature support (18h) before the colour bits 4-3: continuous frequency, preferred timing
// mode in the first detailed timing, sRGB default colour space.
constexpr Flag kLeadingFeatureFlags[] = {
    {"ReportedValue", "DisplayFrequency", 0x01, "DisplayFrequency"},
    {"ReportedValue", "PreferredTimingModeSupp", 0x02, "PreferredTimingModeSupp"},
    {"ReportedValue", "SRGBStandardSpace", 0x04, "SRGBStandardSpace"},
};
// Feature support (18h) after the colour bits: the power management states.
constexpr Flag kPowerFeatureFlags[] = {
    {"ReportedValue", "ActiveOff", 0x20, "ActiveOff"},
    {"ReportedValue", "SuspendMode", 0x40, "SuspendMode"},
    {"ReportedValue", "StandbyMode", 0x80, "StandbyMode"},
};

struct InterfaceKeys {
    const char* type;
    const char* state;
};

/// Digital video interface standard, 14h bits 3-0 (digital input); 6 to 15 are reserved.
const std::map<unsigned, InterfaceKeys>& digitalInterfaces() {
    static const std::map<unsigned, InterfaceKeys> table{
        {0, {"DigitalInterface", "Undefined"}},
        {1, {"DVI", "Supported"}},
        {2, {"HDMIA", "Supported"}},
        {3, {"HDAMIB", "Supported"}},
        {4, {"MDDI", "Supported"}},
        {5, {"DisplayPort", "Supported"}},
    };
    return table;
}

/// Bits per primary colour, 14h bits 6-4 (digital input); 0 is undefined, 7 reserved.
const std::map<unsigned, const char*>& colorBitDepths() {
    static const std::map<unsigned, const char*> table{
        {1, "6"}, {2, "8"}, {3, "10"}, {4, "12"}, {5, "14"}, {6, "16"},
    };
    return table;
}

/// Supported colour encodings, 18h bits 4-3 (digital input).
const std::map<unsigned, const char*>& colorEncodings() {
    static const std::map<unsigned, const char*> table{
        {0, "RGB 4:4:4"},
        {1, "RGB 4:4:4 & YCbCr 4:4:4"},
        {2, "RGB 4:4:4 & YCbCr 4:2:2"},
        {3, "RGB 4:4:4 & YCbCr 4:4:4 & YCbCr 4:2:2"},
    };
    return table;
}

/// Display colour type label keys, 18h bits 4-3 (analog input).
const std::map<unsigned, const char*>& displayColorTypes() {
    static const std::map<unsigned, const char*> table{
        {0, "MonochromeGrayscale"}, {1, "RGBColor"}, {2, "NonRGBColor"}, {3, "Undefined"}};
    return table;
}

/// Video and sync signal levels in volts, 14h bits 6-5 (analog input).
struct SignalLevel {
    float video;
    float sync;
};
constexpr std::array<SignalLevel, 4> kSignalLevels{{
    {0.700f, 0.300f},
    {0.714f, 0.286f},
    {1.000f, 0.400f},
    {0.700f, 0.000f},
}};

/// The entry of `code`, or null when the table has none.
template <typename Value>
const Value* lookup(const std::map<unsigned, Value>& table, unsigned code) {
    const auto found = table.find(code);
    return found == table.end() ? nullptr : &found->second;
}

}  // namespace

void BasicVideoFeatureVerifier::verify() {
    const unsigned char input = baseBlock()[layout::kVideoInput];
    const bool digital = verifyInputType(input);
    if (digital) {
        verifyDigitalInput(input);
    } else {
        verifyAnalogInput(input);
    }
    verifyScreenSize();
    verifyGamma();
    verifyFeatures(digital);
}

bool BasicVideoFeatureVerifier::verifyInputType(unsigned char input) {
    const bool digital = (input & kDigitalInputBit) != 0;
    const qor::String type = detail::localized(digital ? "Digital" : "Analog");
    notifySysInfoProperty("MonitorSignalType", qor::QORValue(type));
    logMesgAndAppend(info("VideoInterfaceType", {{"type", type}}));
    return digital;
}

void BasicVideoFeatureVerifier::verifyDigitalInput(unsigned char input) {
    InterfaceKeys digitalInterface{"DigitalInterface", "UnknownReserved"};
    if (const InterfaceKeys* keys = lookup(digitalInterfaces(), input & 0x0Fu)) {
        digitalInterface = *keys;
    } else {
        reportUnknown("14h", detail::localized("DigitalInterface"));
    }
    LibEDIDLog standard =
        info("DVIStandardSupported", {{"type", detail::localized(digitalInterface.type)},
                                      {"state", detail::localized(digitalInterface.state)}});
    const qor::QORValue text(standard.getMesg());
    logMesgAndAppend(std::move(standard));
    notifySysInfoProperty("DVIStandardSupported", text);

    const unsigned depthCode = (input >> 4) & 0x07u;
    qor::String bits;
    if (depthCode == 0) {
        bits = detail::localized("Undefined");
    } else if (const char* const* known = lookup(colorBitDepths(), depthCode)) {
        bits = *known;
    } else {
        reportUnknown("14h", detail::localized("ColorBitDepth"));
        bits = detail::localized("UnknownReserved");
    }
    logAndNotifyTrimmed(info("ReportedColorBitDepth", {{"value", bits}}), "ReportedColorBitDepth");
}

void BasicVideoFeatureVerifier::verifyAnalogInput(unsigned char input) {
    reportFlags(kAnalogSyncFlags, input);

    // Bit 4: blank-to-black setup (pedestal) expected.
    reportValueProperty(
        "VideoSetup",
        detail::localized((input & 0x10u) != 0 ? "BlankLevelToBlack" : "BlankLevelEqualBlack"),
        "VideoSetup");

    const SignalLevel& level = kSignalLevels[(input >> 5) & 0x03u];
    LibEDIDLog record =
        info("SignalLevelStandard", {{"video", detail::fixedText(level.video, 3)},
                                     {"sync", detail::fixedText(level.sync, 3)},
                                     {"total", detail::fixedText(level.video + level.sync, 3)}});
    logAndNotifyTrimmed(std::move(record), "SignalLevelStandard");
}

void BasicVideoFeatureVerifier::verifyScreenSize() {
    // Sizes in cm; a single non-zero byte is an aspect ratio instead.
    const unsigned horizontal = baseBlock()[layout::kHorizontalSize];
    const unsigned vertical = baseBlock()[layout::kVerticalSize];
    if (horizontal != 0) {
        reportDimension(true, horizontal, vertical);
    }
    if (vertical != 0) {
        reportDimension(false, vertical, horizontal);
    }
    if (horizontal == 0 && vertical == 0) {
        reportUnknown("15h-16h",
                      detail::localized("ScreenSize") + ", " + detail::localized("AspectRatio"));
        reportValue("AspectRatio", detail::localized("Undefined"));
        reportValue("ScreenSize", detail::localized("Undefined"));
    }
}

void BasicVideoFeatureVerifier::reportDimension(bool horizontal, unsigned size,
                                                unsigned otherSize) {
    LibEDIDLog record;
    const char* property = nullptr;
    if (otherSize != 0) {
        record = info("ReportedScreenSize",
                      {{"orientation", detail::localized(horizontal ? "Horizontal" : "Vertical")},
                       {"size", detail::unsignedText(size)}});
        property = horizontal ? "MonitorHzScreenSize" : "MonitorVtScreenSize";
    } else {
        // The stored byte is (ratio x 100) - 99 of the landscape ratio, or of its inverse for
        // a portrait display.
        const float scaled = static_cast<float>(size) + 99.0f;
        const float ratio = horizontal ? scaled / 100.0f : 100.0f / scaled;
        record = info("ReportedAspectRatio",
                      {{"orientation", detail::localized(horizontal ? "Landscape" : "Portrait")},
                       {"ratio1", detail::fixedText(ratio, 2)},
                       {"ratio2", detail::fixedText(1.0f, 2)}});
        property = horizontal ? "ReportedAspectRatioLandscape" : "ReportedAspectRatioPortrait";
    }
    notifySysInfoProperty(property, qor::QORValue(record.getMesgTrimmed()));
    logMesgAndAppend(std::move(record));
}

void BasicVideoFeatureVerifier::verifyGamma() {
    const unsigned char gamma = baseBlock()[layout::kGamma];
    if (gamma == kGammaInExtension) {
        // From EDID 1.4 on, FFh means the gamma is in a display information extension.
        bool extensionPresent = false;
        for (const EDIDBlock& extension : extensionBlocks()) {
            extensionPresent = extensionPresent || extension[0] == kDisplayInformationTag;
        }
        if (layout::isRevision14OrLater(baseBlock()) && !extensionPresent) {
            logFinding("MissingExtBlock", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                       LibEDIDLog::LIBEDID_LOG_CAT_EXTENSION_BLOCK,
                       {{"type", detail::localized("DisplayInformationExtension")}});
        }
        reportValue("Gamma", detail::localized("InExtensionBlock"));
        return;
    }
    // Stored as (gamma x 100) - 100.
    const qor::String text = detail::fixedText(static_cast<float>(gamma + 100u) / 100.0f, 2);
    notifySysInfoProperty("GammaValue", qor::QORValue(text));
    reportValue("Gamma", text);
}

void BasicVideoFeatureVerifier::verifyFeatures(bool digital) {
    const unsigned char features = baseBlock()[layout::kFeatureSupport];
    reportFlags(kLeadingFeatureFlags, features);

    // Bits 4-3: colour encodings of a digital display, colour type of an analog one.
    const unsigned colorCode = (features >> 3) & 0x03u;
    const char* const item = digital ? "ColorEncodingFormats" : "DisplayColorType";
    LibEDIDLog record =
        info("ReportedValue",
             {{"type", detail::localized(item)},
              {"value", digital ? qor::String(colorEncodings().at(colorCode))
                                : detail::localized(displayColorTypes().at(colorCode))}});
    notifySysInfoProperty(item, qor::QORValue(record.getMesgTrimmed()));
    logMesgAndAppend(std::move(record));

    reportFlags(kPowerFeatureFlags, features);
}

void BasicVideoFeatureVerifier::reportFlags(std::span<const FlagReport> flags, unsigned char byte) {
    for (const FlagReport& flag : flags) {
        reportFlag(flag.key, flag.typeKey, (byte & flag.mask) != 0, flag.property);
    }
}

void BasicVideoFeatureVerifier::reportUnknown(const char* offset, const qor::String& type) {
    logFinding("EDIDValueUnknown", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
               LibEDIDLog::LIBEDID_LOG_CAT_VALUE_UNKNOWN, {{"offset", offset}, {"type", type}});
}

}  // namespace libEDID
