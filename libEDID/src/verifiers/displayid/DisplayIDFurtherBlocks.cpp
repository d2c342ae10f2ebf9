#include <array>
#include <string>
#include <string_view>

#include "decode/cta/CTATables.h"
#include "report/MessageBuilder.h"
#include "verifiers/displayid/DisplayIDDataBlockVerifiers.h"

namespace libEDID {

namespace {

constexpr auto kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;

// The label keys of interface types 0-0Bh of the 1.x display interface block.
constexpr std::array<const char*, 12> kInterfaceTypeKeys{
    "DisplayIDIfAnalog",     "DisplayIDIfLVDS",        "DisplayIDIfTMDS",
    "DisplayIDIfRSDS",       "DisplayIDIfDVID",        "DisplayIDIfDVIAnalog",
    "DisplayIDIfDVIDigital", "DisplayIDIfHDMIA",       "DisplayIDIfHDMIB",
    "DisplayIDIfMDDI",       "DisplayIDIfDisplayPort", "DisplayIDIfProprietary"};
constexpr std::array<std::string_view, 4> kContentProtection{"", "HDCP", "DTCP", "DPCP"};
// The text keys of spread spectrum types 1 (down) and 2 (centre).
constexpr std::array<const char*, 3> kSpreadKeys{nullptr, "DisplayIDSpreadDown",
                                                 "DisplayIDSpreadCentre"};

// Bits per component of the depth bit sets, bit 0 first.
constexpr std::array<unsigned, 6> kDepthsFrom6{6, 8, 10, 12, 14, 16};
constexpr std::array<unsigned, 5> kDepthsFrom8{8, 10, 12, 14, 16};

template <std::size_t N>
void appendDepths(std::string& text, const char* label, unsigned bits,
                  const std::array<unsigned, N>& depths) {
    if (bits == 0) {
        return;
    }
    if (!text.empty()) {
        text += ", ";
    }
    text += label;
    char separator = ' ';
    for (std::size_t i = 0; i < N; ++i) {
        if ((bits >> i & 1u) != 0) {
            text += separator;
            detail::appendUnsigned(text, depths[i]);
            separator = '/';
        }
    }
    text += " bpc";
}

void appendPoint(std::string& text, const std::pair<double, double>& point) {
    text += '(';
    detail::appendFixed(text, point.first, 4);
    text += ", ";
    detail::appendFixed(text, point.second, 4);
    text += ')';
}

}  // namespace

void DisplayIDFurtherBlockVerifier::verify() {
    if (!payloadLongEnough()) {
        return;
    }
    DisplayIDSection& section = context.section;
    switch (context.info.kind) {
        case displayid::Kind::VESATimings:
        case displayid::Kind::CTATimings:
            verifyBitmap();
            break;
        case displayid::Kind::Serial:
            section.serialNumber = displayid::decodeText(context.payload);
            reportItemProperty("DisplayIDSerial", *section.serialNumber, "DisplayIDSerial");
            break;
        case displayid::Kind::String:
            section.strings.push_back(displayid::decodeText(context.payload));
            reportItemProperty("DisplayIDString", section.strings.back(), "DisplayIDString");
            break;
        case displayid::Kind::Interface:
            verifyInterface();
            break;
        case displayid::Kind::InterfaceFeatures:
            verifyInterfaceFeatures();
            break;
        case displayid::Kind::DynamicRange:
            verifyDynamicRange();
            break;
        case displayid::Kind::AdaptiveSync:
            verifyAdaptiveSync();
            break;
        case displayid::Kind::ColorCharacteristics:
            verifyColor();
            break;
        case displayid::Kind::Vendor: {
            const DisplayIDVendorBlock vendor = displayid::decodeVendor(context.payload);
            section.vendorBlocks.push_back(vendor);
            // Worded like the vendor-specific data blocks of CTA-861: OUI and payload length.
            reportItemProperty(
                "DisplayIDVendor",
                detail::filledText("CTAVendorBlock",
                                   {{"oui", detail::ouiText(vendor.oui)},
                                    {"length", detail::unsignedText(vendor.length)}}),
                "DisplayIDVendor");
            break;
        }
        case displayid::Kind::ContainerID: {
            std::array<std::uint8_t, 16> id{};
            std::copy_n(context.payload.begin(), id.size(), id.begin());
            section.containerID = id;
            // Written as a UUID: 8-4-4-4-12 hex digits.
            std::string text;
            for (std::size_t i = 0; i < id.size(); ++i) {
                if (i == 4 || i == 6 || i == 8 || i == 10) {
                    text += '-';
                }
                text += detail::hexText(id[i], 2).str();
            }
            reportItemProperty("DisplayIDContainerID", text, "DisplayIDContainerID");
            break;
        }
        default:
            break;
    }
}

void DisplayIDFurtherBlockVerifier::verifyBitmap() {
    detail::ModeList modes;
    if (context.info.kind == displayid::Kind::VESATimings) {
        for (const DisplayIDDMTTiming& timing : displayid::decodeVESATimings(context.payload)) {
            std::string text = "DMT " + detail::hexByte(timing.id).str() + ": ";
            detail::appendMode(text, timing.width, timing.height, timing.refresh);
            text += timing.reducedBlanking ? " RB" : timing.interlaced ? " (I)" : "";
            modes.add(std::string_view(text));
            reportItem("DisplayIDTiming", text);
            context.section.dmtTimings.push_back(timing);
        }
        notifyIndexed("DisplayIDDMTTimings", modes.values());
        return;
    }
    for (const std::uint8_t vic : displayid::decodeCTATimings(context.payload)) {
        std::string text = "VIC " + detail::unsignedText(vic).str() + ": ";
        if (const cta::VideoFormat* format = cta::videoFormat(vic)) {
            detail::appendMode(text, format->width, format->height, format->refresh);
        }
        modes.add(std::string_view(text));
        reportItem("DisplayIDTiming", text);
        context.section.ctaVICs.push_back(vic);
    }
    notifyIndexed("DisplayIDCTATimings", modes.values());
}

void DisplayIDFurtherBlockVerifier::verifyInterface() {
    const DisplayIDInterface& out =
        context.section.displayInterface.emplace(displayid::decodeInterface(context.payload));
    const bool knownType = out.type < kInterfaceTypeKeys.size();
    if (!knownType) {
        reportReserved("DisplayIDFieldInterfaceType", out.type);
    }
    std::string text =
        detail::filledText(
            "DisplayIDInterfaceText",
            {{"type",
              detail::localized(knownType ? kInterfaceTypeKeys[out.type] : "UnknownReserved")},
             {"links", detail::unsignedText(out.lanes)},
             {"version", qor::SprintfFormat("%u.%u", out.versionMajor, out.versionMinor)}})
            .str();
    std::string depths;
    appendDepths(depths, "RGB", out.rgbDepths, kDepthsFrom6);
    appendDepths(depths, "YCbCr 4:4:4", out.ycbcr444Depths, kDepthsFrom6);
    appendDepths(depths, "YCbCr 4:2:2", out.ycbcr422Depths, kDepthsFrom8);
    if (!depths.empty()) {
        text += ", " + depths;
    }
    if (out.contentProtection != 0 && out.contentProtection < kContentProtection.size()) {
        text += qor::SprintfFormat(", %s %u.%u", kContentProtection[out.contentProtection].data(),
                                   out.contentProtectionMajor, out.contentProtectionMinor)
                    .str();
    } else if (out.contentProtection >= kContentProtection.size()) {
        reportReserved("DisplayIDFieldContentProtection", out.contentProtection);
    }
    if (out.spreadType != 0 && out.spreadType < kSpreadKeys.size()) {
        text += ", ";
        text +=
            detail::filledText(kSpreadKeys[out.spreadType],
                               {{"amount", qor::SprintfFormat("%u.%u", out.spreadTenthPercent / 10,
                                                              out.spreadTenthPercent % 10)}})
                .str();
    }
    reportItemProperty("DisplayIDInterface", text, "DisplayIDInterface");
}

void DisplayIDFurtherBlockVerifier::verifyInterfaceFeatures() {
    const DisplayIDInterfaceFeatures& out = context.section.interfaceFeatures.emplace(
        displayid::decodeInterfaceFeatures(context.payload));
    std::string text;
    appendDepths(text, "RGB", out.rgbDepths, kDepthsFrom6);
    appendDepths(text, "YCbCr 4:4:4", out.ycbcr444Depths, kDepthsFrom6);
    appendDepths(text, "YCbCr 4:2:2", out.ycbcr422Depths, kDepthsFrom8);
    appendDepths(text, "YCbCr 4:2:0", out.ycbcr420Depths, kDepthsFrom8);
    if (out.ycbcr420Depths != 0 && out.min420PixelRateMHz != 0) {
        text += ' ';
        text += detail::filledText("DisplayID420MinRate",
                                   {{"rate", detail::unsignedText(out.min420PixelRateMHz)}})
                    .str();
    }
    if (out.audioRates != 0) {
        static constexpr std::array<std::string_view, 3> kRates{"48", "44.1", "32"};
        std::string rates;
        for (unsigned bit = 0; bit < kRates.size(); ++bit) {
            if ((out.audioRates >> bit & 1u) != 0) {
                rates += rates.empty() ? "" : "/";
                rates += kRates[bit];
            }
        }
        if (!text.empty()) {
            text += ", ";
        }
        text += detail::filledText("DisplayIDAudioRates", {{"rates", rates}}).str();
    }
    if (text.empty()) {
        text = detail::localized("None").str();
    }
    reportItemProperty("DisplayIDInterfaceFeatures", text, "DisplayIDInterfaceFeatures");
}

void DisplayIDFurtherBlockVerifier::verifyDynamicRange() {
    const DisplayIDDynamicRange& out = context.section.dynamicRange.emplace(
        displayid::decodeDynamicRange(context.payload, context.block.revision));
    qor::String text = qor::SprintfFormat("%u-%u kHz, %u-%u Hz", out.minPixelClockKHz,
                                          out.maxPixelClockKHz, out.minRefresh, out.maxRefresh);
    if (out.seamless) {
        text += ", " + detail::localized("DisplayIDSeamless");
    }
    reportItemProperty("DisplayIDDynamicRange", text, "DisplayIDDynamicRange");
    if (out.minPixelClockKHz > out.maxPixelClockKHz || out.minRefresh > out.maxRefresh) {
        logDataBlockFinding("DisplayIDRangeInverted", kWarning, context.block);
    }
}

void DisplayIDFurtherBlockVerifier::verifyAdaptiveSync() {
    if (context.payload.size() % 6 != 0) {
        reportBadSize("DisplayIDTimingBlockSize", 6);
    }
    detail::ModeList items;
    for (const DisplayIDAdaptiveSync& sync : displayid::decodeAdaptiveSync(context.payload)) {
        std::string text = qor::SprintfFormat("%u-%u Hz", sync.minRefresh, sync.maxRefresh).str();
        if ((sync.flags & 0x01) != 0) {
            text += ", ";
            text += detail::localized("DisplayIDNativePanelRange").str();
        }
        text += ", ";
        text += detail::filledText("DisplayIDFlagsByte", {{"value", detail::hexByte(sync.flags)}})
                    .str();
        reportItem("DisplayIDAdaptiveSync", text);
        items.add(std::string_view(text));
        if (sync.minRefresh > sync.maxRefresh) {
            logDataBlockFinding("DisplayIDRangeInverted", kWarning, context.block);
        }
        context.section.adaptiveSync.push_back(sync);
    }
    notifyIndexed("DisplayIDAdaptiveSync", items.values());
}

void DisplayIDFurtherBlockVerifier::verifyColor() {
    const DisplayIDColorCharacteristics& out = context.section.colorCharacteristics.emplace(
        displayid::decodeColorCharacteristics(context.payload));
    const unsigned announced = ((context.payload[0] >> 4) & 0x07u) + (context.payload[0] & 0x0Fu);
    if (out.primaries.size() + out.whitePoints.size() < announced) {
        reportBadSize("DisplayIDDataBlockSize", 1 + announced * 3);
    }
    std::string text =
        detail::localized(out.temporal ? "DisplayIDColorTemporal" : "DisplayIDColorSpatial").str();
    const auto appendPoints = [&](const char* labelKey,
                                  const std::vector<std::pair<double, double>>& points) {
        text += ", ";
        text += detail::localized(labelKey).str();
        for (const auto& point : points) {
            text += ' ';
            appendPoint(text, point);
        }
    };
    appendPoints("DisplayIDColorPrimaries", out.primaries);
    appendPoints("DisplayIDColorWhite", out.whitePoints);
    reportItemProperty("DisplayIDColor", text, "DisplayIDColor");
}

}  // namespace libEDID
