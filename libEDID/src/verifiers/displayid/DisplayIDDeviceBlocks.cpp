#include <array>
#include <string>

#include "report/MessageBuilder.h"
#include "verifiers/displayid/DisplayIDDataBlockVerifiers.h"

namespace libEDID {

namespace {

constexpr auto kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;

// Display device technologies by the high nibble of the code: 0 CRT, 1 LCD, 2 plasma, 3
// electroluminescent, 4 inorganic LED, 5 OLED, 6 FED, 7 electrophoretic, 8 electrochromic,
// 9 electromechanical, Ah electrowetting, Fh other; Bh-Eh are reserved.
constexpr std::array<const char*, 16> kTechnologyKeys{"DisplayIDTechCRT",
                                                      "DisplayIDTechLCD",
                                                      "DisplayIDTechPlasma",
                                                      "DisplayIDTechEL",
                                                      "DisplayIDTechLED",
                                                      "DisplayIDTechOLED",
                                                      "DisplayIDTechFED",
                                                      "DisplayIDTechEPaper",
                                                      "DisplayIDTechChromic",
                                                      "DisplayIDTechMechanical",
                                                      "DisplayIDTechWetting",
                                                      nullptr,
                                                      nullptr,
                                                      nullptr,
                                                      nullptr,
                                                      "DisplayIDTechOther"};

// Operating modes 0-Ch of byte 1 bits 7-4; Dh-Fh are reserved.
constexpr std::array<const char*, 13> kOperatingModeKeys{"DisplayIDModeReflectiveAmbient",
                                                         "DisplayIDModeReflectiveBoth",
                                                         "DisplayIDModeReflectiveSource",
                                                         "DisplayIDModeTransmissiveAmbient",
                                                         "DisplayIDModeTransmissiveBoth",
                                                         "DisplayIDModeTransmissiveSource",
                                                         "DisplayIDModeEmissive",
                                                         "DisplayIDModeTransflectiveOff",
                                                         "DisplayIDModeTransflectiveOn",
                                                         "DisplayIDModeTransparentAmbient",
                                                         "DisplayIDModeTransparentEmissive",
                                                         "DisplayIDModeProjectionReflective",
                                                         "DisplayIDModeProjectionTransmissive"};

// Stereo interface methods 0-5.
constexpr std::array<const char*, 6> kStereoMethodKeys{
    "DisplayIDStereoFieldSequential",  "DisplayIDStereoSideBySide",
    "DisplayIDStereoPixelInterleaved", "DisplayIDStereoDualInterface",
    "DisplayIDStereoMultiView",        "DisplayIDStereoProprietary"};

// "<whole>.<hundredths>" of a value in hundredths.
qor::String hundredthsText(unsigned value) {
    return detail::fixedText(value / 100.0, 2);
}

// The label of `code` in `keys`, or the localized "Unknown or reserved".
template <std::size_t N>
const qor::String& tableLabel(const std::array<const char*, N>& keys, unsigned code) {
    return detail::localized(code < N && keys[code] != nullptr ? keys[code] : "UnknownReserved");
}

template <std::size_t N>
bool reserved(const std::array<const char*, N>& keys, unsigned code) {
    return code >= N || keys[code] == nullptr;
}

}  // namespace

void DisplayIDDeviceBlockVerifier::verify() {
    if (!payloadLongEnough()) {
        return;
    }
    switch (context.info.kind) {
        case displayid::Kind::RangeLimits:
            verifyRangeLimits();
            break;
        case displayid::Kind::DeviceData:
            verifyDeviceData();
            break;
        case displayid::Kind::PowerSequencing:
            verifyPowerSequencing();
            break;
        case displayid::Kind::TransferCharacteristics:
            verifyTransfer();
            break;
        case displayid::Kind::StereoInterface:
            verifyStereo();
            break;
        default:
            break;
    }
}

void DisplayIDDeviceBlockVerifier::verifyRangeLimits() {
    const DisplayIDRangeLimits& r =
        context.section.rangeLimits.emplace(displayid::decodeRangeLimits(context.payload));
    qor::String text =
        detail::filledText("DisplayIDRangeLimitsText",
                           {{"minClock", detail::fixedText(r.minPixelClockKHz / 1000.0, 2)},
                            {"maxClock", detail::fixedText(r.maxPixelClockKHz / 1000.0, 2)},
                            {"minH", detail::unsignedText(r.minHorizontalKHz)},
                            {"maxH", detail::unsignedText(r.maxHorizontalKHz)},
                            {"minV", detail::unsignedText(r.minVerticalHz)},
                            {"maxV", detail::unsignedText(r.maxVerticalHz)},
                            {"hBlank", detail::unsignedText(r.minHorizontalBlank)},
                            {"vBlank", detail::unsignedText(r.minVerticalBlank)}});
    const std::array<std::pair<bool, const char*>, 4> flags{
        {{r.interlaced, "DisplayIDInterlaced"},
         {r.cvt, "DisplayIDBlankingCVT"},
         {r.cvtReduced, "DisplayIDBlankingCVTReduced"},
         {r.discreteFrequency, "DisplayIDDiscreteFrequency"}}};
    for (const auto& [set, key] : flags) {
        if (set) {
            text += ", " + detail::localized(key);
        }
    }
    reportItemProperty("DisplayIDRangeLimits", text, "DisplayIDRangeLimits");
    if (r.minPixelClockKHz > r.maxPixelClockKHz || r.minHorizontalKHz > r.maxHorizontalKHz ||
        r.minVerticalHz > r.maxVerticalHz) {
        logDataBlockFinding("DisplayIDRangeInverted", kWarning, context.block);
    }
}

void DisplayIDDeviceBlockVerifier::verifyDeviceData() {
    const DisplayIDDeviceData& d =
        context.section.deviceData.emplace(displayid::decodeDeviceData(context.payload));
    const unsigned family = d.technology >> 4;
    qor::String text = detail::filledText(
        "DisplayIDDeviceText",
        {{"technology", tableLabel(kTechnologyKeys, family)},
         {"code", detail::hexByte(d.technology)},
         {"mode", tableLabel(kOperatingModeKeys, d.operatingMode)},
         {"width", detail::unsignedText(d.nativeWidth)},
         {"height", detail::unsignedText(d.nativeHeight)},
         {"aspect", hundredthsText(d.aspectRatioHundredths)},
         {"orientation", detail::hexByte(d.orientation)},
         {"subpixels", detail::unsignedText(d.subpixelLayout)},
         {"pitchH", hundredthsText(d.pitchHundredthMmH)},
         {"pitchV", hundredthsText(d.pitchHundredthMmV)},
         {"depth", detail::unsignedText(d.colorDepth)},
         {"response", detail::unsignedText(d.responseTimeMs)},
         {"direction", detail::localized(d.responseWhiteToBlack ? "DisplayIDWhiteToBlack"
                                                                : "DisplayIDBlackToWhite")}});
    if (d.backlightSwitchable) {
        text += ", " + detail::localized("DisplayIDBacklightSwitchable");
    }
    if (d.backlightAdjustable) {
        text += ", " + detail::localized("DisplayIDBacklightAdjustable");
    }
    reportItemProperty("DisplayIDDevice", text, "DisplayIDDevice");
    if (reserved(kTechnologyKeys, family)) {
        reportReserved("DisplayIDFieldTechnology", d.technology);
    }
    if (reserved(kOperatingModeKeys, d.operatingMode)) {
        reportReserved("DisplayIDFieldOperatingMode", d.operatingMode);
    }
    // Scan direction 3 (bits 1-0 of the orientation byte) is reserved.
    if ((d.orientation & 0x03u) == 0x03u) {
        reportReserved("DisplayIDFieldScanDirection", 3);
    }
}

void DisplayIDDeviceBlockVerifier::verifyPowerSequencing() {
    const DisplayIDPowerSequencing& p =
        context.section.powerSequencing.emplace(displayid::decodePowerSequencing(context.payload));
    const qor::String text = detail::filledText(
        "DisplayIDPowerText", {{"t1min", detail::fixedText(p.t1MinTenthMs / 10.0, 1)},
                               {"t1max", detail::unsignedText(p.t1MaxMs)},
                               {"t2", detail::unsignedText(p.t2MaxMs)},
                               {"t3", detail::unsignedText(p.t3MaxMs)},
                               {"t4", detail::unsignedText(p.t4MinMs)},
                               {"t5", detail::unsignedText(p.t5MinMs)},
                               {"t6", detail::unsignedText(p.t6MinMs)}});
    reportItemProperty("DisplayIDPowerSequencing", text, "DisplayIDPowerSequencing");
}

void DisplayIDDeviceBlockVerifier::verifyTransfer() {
    const DisplayIDTransferCharacteristics& t = context.section.transferCharacteristics.emplace(
        displayid::decodeTransferCharacteristics(context.payload));
    std::string points;
    for (const std::uint8_t point : t.points) {
        if (!points.empty()) {
            points += ' ';
        }
        detail::appendUnsigned(points, point);
    }
    reportItemProperty("DisplayIDTransfer",
                       detail::filledText("DisplayIDTransferText",
                                          {{"flags", detail::hexByte(t.flags)},
                                           {"count", detail::unsignedText(t.points.size())},
                                           {"points", points}}),
                       "DisplayIDTransfer");
}

void DisplayIDDeviceBlockVerifier::verifyStereo() {
    const DisplayIDStereoInterface& s = context.section.stereoInterface.emplace(
        displayid::decodeStereoInterface(context.payload, context.block.revision));
    reportItemProperty("DisplayIDStereo",
                       detail::filledText("DisplayIDStereoText",
                                          {{"method", tableLabel(kStereoMethodKeys, s.method)},
                                           {"support", detail::unsignedText(s.timingSupport)},
                                           {"count", detail::unsignedText(s.parameters.size())}}),
                       "DisplayIDStereo");
    if (reserved(kStereoMethodKeys, s.method)) {
        reportReserved("DisplayIDFieldStereoMethod", s.method);
    }
    // Byte 0 counts the parameter bytes after the method byte.
    if (context.payload.size() != 2u + context.payload[0]) {
        logDataBlockFinding(
            "DisplayIDStereoLength", kWarning, context.block,
            {{"count", detail::unsignedText(context.payload[0])},
             {"length", detail::unsignedText(static_cast<unsigned>(context.payload.size() - 2))}});
    }
}

}  // namespace libEDID
