// The Dolby Vision vendor-specific video data block: its values as messages and properties, and
// the rules of its layouts (a version that is reserved, a length no layout of the version has,
// reserved codes).

#include <array>

#include "verifiers/cta/CTAExtendedBlocksVerifier.h"

namespace libEDID {

namespace {

constexpr auto kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;
constexpr auto kError = LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR;

// Interface codes (2 bits) by version; null: reserved.
constexpr std::array<const char*, 4> kInterfacesVersion1{
    "DolbyVisionInterfaceStandard", "DolbyVisionInterfaceStandardLowLatency", nullptr, nullptr};
constexpr std::array<const char*, 4> kInterfacesVersion2{
    "DolbyVisionInterfaceLowLatency", "DolbyVisionInterfaceLowLatencyHDMI",
    "DolbyVisionInterfaceStandardLowLatency", "DolbyVisionInterfaceAll"};

// RGB and YUV 4:4:4 depth codes of version 2; null: reserved.
constexpr std::array<const char*, 4> kDepths444{"DolbyVision444None", "DolbyVision444Bits10",
                                                "DolbyVision444Bits12", nullptr};

// The lengths (bytes after the tag byte) that each version defines, as the finding names them.
constexpr std::array<const char*, 3> kLengths{"25", "11, 14", "11"};

qor::String luminanceText(double value) {
    // Target minimums go down to 0.00006 cd/m2.
    const int decimals = value < 1 ? 6 : 2;
    return detail::filledText("Luminance", {{"value", detail::fixedText(value, decimals)}});
}

qor::String chromaticityText(double x, double y) {
    std::string text;
    detail::appendFixed(text, x, 4);
    text += ", ";
    detail::appendFixed(text, y, 4);
    return qor::String(text);
}

}  // namespace

void CTAExtendedBlocksVerifier::verifyDolbyVision(const CTADolbyVision& vision) {
    if (vision.version > 2) {
        logCTAFinding("CTADolbyVisionReservedVersion", kWarning,
                      {{"version", detail::unsignedText(vision.version)}});
        return;
    }
    if (!vision.lengthFits) {
        logCTAFinding("CTADolbyVisionLength", kError,
                      {{"version", detail::unsignedText(vision.version)},
                       {"lengths", kLengths[vision.version]}});
        return;
    }
    std::string dm;
    detail::appendUnsigned(dm, vision.dmMajor);
    dm += '.';
    if (vision.dmMinor) {
        detail::appendUnsigned(dm, *vision.dmMinor);
    } else {
        dm += 'x';
    }
    reportProperty("DolbyVisionDMVersion", qor::String(dm));
    reportProperty("DolbyVisionMinLuminance", luminanceText(vision.minLuminance));
    reportProperty("DolbyVisionMaxLuminance", luminanceText(vision.maxLuminance));

    detail::ItemList features(kCTAItemIndent);
    const std::array<std::pair<bool, const char*>, 4> flags{{
        {vision.yuv422Bits12, "DolbyVisionYUV422Bits12"},
        {vision.supports2160p60, "DolbyVision2160p60"},
        {vision.globalDimming, "DolbyVisionGlobalDimming"},
        {vision.backlightControl, "DolbyVisionBacklightControl"},
    }};
    for (const auto& [set, key] : flags) {
        if (set) {
            features.add(detail::localized(key));
        }
    }
    reportList("DolbyVisionFeatures", features);

    if (vision.colorimetryP3) {
        reportProperty("DolbyVisionColorimetry", *vision.colorimetryP3 ? "P3-D65" : "BT.709");
    }
    if (vision.version != 0) {
        const auto& interfaces = vision.version == 1 ? kInterfacesVersion1 : kInterfacesVersion2;
        if (const char* key = interfaces[vision.interfaceKind]) {
            reportProperty("DolbyVisionInterface", detail::localized(key));
        } else {
            logCTAFinding("CTADolbyVisionReservedCode", kWarning,
                          {{"field", detail::localized("DolbyVisionInterface")},
                           {"code", detail::unsignedText(vision.interfaceKind)}});
        }
    }
    if (vision.version == 2) {
        reportProperty("DolbyVisionBacklightMinLuminance",
                       luminanceText(25.0 * (vision.backlightMinLuma + 1)));
        if (const char* key = kDepths444[vision.rgbYUV444]) {
            reportProperty("DolbyVision444", detail::localized(key));
        } else {
            logCTAFinding("CTADolbyVisionReservedCode", kWarning,
                          {{"field", detail::localized("DolbyVision444")},
                           {"code", detail::unsignedText(vision.rgbYUV444)}});
        }
    }
    const auto& p = vision.primaries;
    reportProperty("DolbyVisionRed", chromaticityText(p[0], p[1]));
    reportProperty("DolbyVisionGreen", chromaticityText(p[2], p[3]));
    reportProperty("DolbyVisionBlue", chromaticityText(p[4], p[5]));
    if (vision.white) {
        reportProperty("DolbyVisionWhite",
                       chromaticityText((*vision.white)[0], (*vision.white)[1]));
    }
}

}  // namespace libEDID
