#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "report/MessageBuilder.h"
#include "verifiers/vesa/VESAVerifier.h"

namespace libEDID {

namespace {

constexpr auto kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;
constexpr auto kError = LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR;
constexpr unsigned kKnownVersion = 1;

// Codes to labels, by code.
constexpr std::array<const char*, 11> kInterfaceTypes{
    "VESADIAnalog",        "VESADIDVI",         "VESADIDVISingle",      "VESADIDVIDualRes",
    "VESADIDVIDualColor",  "VESADIDVIConsumer", "VESADIPlugDisplay",    "VESADIDFP",
    "VESADIOpenLDISingle", "VESADIOpenLDIDual", "VESADIOpenLDIConsumer"};
constexpr std::array<const char*, 5> kSubpixelLayouts{"VESADINotDefined", "VESADILayoutRGB",
                                                      "VESADILayoutBGR", "VESADILayoutQuadLeft",
                                                      "VESADILayoutQuadRight"};
constexpr std::array<const char*, 5> kSubpixelConfigurations{
    "VESADINotDefined", "VESADIConfigDelta", "VESADIConfigStripe", "VESADIConfigStripeOffset",
    "VESADIConfigQuad"};
constexpr std::array<const char*, 6> kSubpixelShapes{"VESADINotDefined",  "VESADIShapeRound",
                                                     "VESADIShapeSquare", "VESADIShapeRectangular",
                                                     "VESADIShapeOval",   "VESADIShapeElliptical"};
constexpr std::array<const char*, 4> kStereo{"VESADIStereoNone", "VESADIStereoFieldSequential",
                                             "VESADIStereoColumns", "VESADIStereoLines"};
constexpr std::array<const char*, 10> kDefaultDecodings{
    "VESADINotDefined",    "VESADIDecodeBGR", "VESADIDecodeYCNTSC", "VESADIDecodeYCPAL",
    "VESADIDecodeYCSECAM", "VESADIDecode444", "VESADIDecode422",    "VESADIDecode420",
    "VESADIDecode260M",    "VESADIDecode240M"};
constexpr std::array<const char*, 5> kPreferredDecoders{"VESADIDecoderDefault", "VESADIDecodeBGR",
                                                        "VESADIDecoderYC", "VESADIDecoderYxx",
                                                        "VESADIDecoderMono"};

// A bit field's code to a label; a null label adds nothing.
struct Field {
    unsigned shift;
    unsigned mask;
    std::span<const char* const> keys;
};
constexpr std::array<const char*, 4> kDataEnable{nullptr, nullptr, "VESADIDataEnableLow",
                                                 "VESADIDataEnableHigh"};
constexpr std::array<const char*, 4> kShiftClock{nullptr, "VESADIShiftRising", "VESADIShiftFalling",
                                                 "VESADIShiftBoth"};
constexpr std::array<const char*, 2> kHDCP{nullptr, "VESADIHDCP"};
constexpr std::array<const char*, 2> kDoubleClocking{nullptr, "VESADIDoubleClocking"};
constexpr std::array<const char*, 2> kPacketized{nullptr, "VESADIPacketized"};
// Interface byte 7: bits 7-6 data enable (used, high), 5-4 shift clock edge, 3 HDCP, 2 double
// clocking, 1 packetized video.
constexpr std::array<Field, 5> kInterfaceFlags{{{6, 3, kDataEnable},
                                                {4, 3, kShiftClock},
                                                {3, 1, kHDCP},
                                                {2, 1, kDoubleClocking},
                                                {1, 1, kPacketized}}};
constexpr std::array<const char*, 2> kFixedFormat{nullptr, "VESADIFixedPixelFormat"};
constexpr std::array<const char*, 4> kView{nullptr, "VESADIViewDirect", "VESADIViewReflected",
                                           "VESADIViewBoth"};
constexpr std::array<const char*, 2> kTransparent{nullptr, "VESADITransparent"};
constexpr std::array<const char*, 4> kImplementation{nullptr, "VESADILargeImage", "VESADIDesktop",
                                                     "VESADIEyepiece"};
constexpr std::array<const char*, 2> kDDCCI{nullptr, "VESADIDDCCI"};
// Device byte 13h: bit 7 fixed pixel format, bits 6-5 view direction, bit 4 transparent
// background, bits 3-2 physical implementation, bit 1 DDC/CI.
constexpr std::array<Field, 5> kDeviceFlags{{{7, 1, kFixedFormat},
                                             {5, 3, kView},
                                             {4, 1, kTransparent},
                                             {2, 3, kImplementation},
                                             {1, 1, kDDCCI}}};
constexpr std::array<const char*, 2> kLegacy{nullptr, "VESADILegacyModes"};
constexpr std::array<const char*, 2> kScaler{nullptr, "VESADIScaler"};
constexpr std::array<const char*, 2> kCentering{nullptr, "VESADICentering"};
constexpr std::array<const char*, 2> kConditional{nullptr, "VESADIConditionalUpdate"};
constexpr std::array<const char*, 2> kInterlaced{nullptr, "DisplayIDInterlaced"};
// Capability byte 14h: bit 7 all VGA/DOS legacy modes, bits 6-4 stereo (reported apart),
// bit 3 scaler, bit 2 image centering, bit 1 conditional update, bit 0 interlaced video.
constexpr std::array<Field, 5> kCapabilityFlags{{{7, 1, kLegacy},
                                                 {3, 1, kScaler},
                                                 {2, 1, kCentering},
                                                 {1, 1, kConditional},
                                                 {0, 1, kInterlaced}}};
constexpr std::array<const char*, 4> kDefinition{"VESADINotDefined", "VESADIOrientationFixed",
                                                 "VESADIPivotDefault", "VESADIPivotCurrent"};
constexpr std::array<const char*, 2> kScreen{"VESADILandscape", "VESADIPortrait"};
constexpr std::array<const char*, 4> kScan{nullptr, "VESADIScanMajor", "VESADIScanMinor",
                                           "UnknownReserved"};
constexpr std::array<const char*, 2> kProjector{nullptr, "VESADIProjector"};
// Orientation byte 1Ah: bits 7-6 definition, 5 portrait, 4-3 zero pixel, 2-1 scan direction,
// 0 standalone projector.
constexpr std::array<Field, 5> kOrientation{{{6, 3, kDefinition},
                                             {5, 1, kScreen},
                                             {3, 3, kVESAZeroPixel},
                                             {1, 3, kScan},
                                             {0, 1, kProjector}}};
constexpr std::array<const char*, 4> kFrameRateConversion{
    "None", "VESADIConvertVertical", "VESADIConvertHorizontal", "VESADIConvertBoth"};
// Aspect ratio conversion byte 26h bits 7-4.
constexpr std::array<const char*, 2> kFull{nullptr, "VESADIAspectFull"};
constexpr std::array<const char*, 2> kZoom{nullptr, "VESADIAspectZoom"};
constexpr std::array<const char*, 2> kSqueeze{nullptr, "VESADIAspectSqueeze"};
constexpr std::array<const char*, 2> kVariable{nullptr, "VESADIAspectVariable"};
constexpr std::array<Field, 4> kAspectConversion{
    {{7, 1, kFull}, {6, 1, kZoom}, {5, 1, kSqueeze}, {4, 1, kVariable}}};
// Bits per sub-channel: 0 no information, 1-16 bits, higher codes reserved.
constexpr unsigned kMaxBitDepth = 16;
constexpr unsigned kGammaWhiteMax = 45;
constexpr unsigned kGammaChannelMax = 15;

// The labels of the set codes of `fields` in `byte`, separated by ", "; "None" when none.
template <std::size_t N>
qor::String fieldsText(const std::array<Field, N>& fields, unsigned byte) {
    std::string text;
    for (const Field& field : fields) {
        const char* key = field.keys[(byte >> field.shift) & field.mask];
        if (key == nullptr) {
            continue;
        }
        if (!text.empty()) {
            text += ", ";
        }
        text += detail::localized(key).str();
    }
    return text.empty() ? detail::localized("None") : qor::String(text);
}

// The revision letter of byte 4 as a character when it is printable ASCII, else its code.
qor::String letterText(std::uint8_t code) {
    constexpr std::uint8_t kFirstPrintable = 0x20;
    constexpr std::uint8_t kLastPrintable = 0x7E;
    if (code < kFirstPrintable || code > kLastPrintable) {
        return detail::hexByte(code);
    }
    return qor::String(std::string(1, static_cast<char>(code)));
}

}  // namespace

qor::String hundredthsText(unsigned value) {
    return detail::fixedText(value / 100.0, 2);
}

void VESADisplayInfoVerifier::verify() {
    VESADisplayInformation di = vesa::decodeDisplayInformation(bytes(), blockNumber);
    reportSection("VESAKindDisplayInformation");
    reportVersion(di.version, kKnownVersion, "VESADisplayInfoVersion");
    reportInterface(di.displayInterface);
    reportDevice(di);
    reportCapabilities(di);
    reportTransfer(di);
    results().displayInformation.push_back(std::move(di));
}

qor::String VESADisplayInfoVerifier::codeName(std::span<const char* const> keys, unsigned code,
                                              const char* field) {
    if (code < keys.size()) {
        return detail::localized(keys[code]);
    }
    logBlockFinding("VESAReservedValue", kWarning,
                    {{"field", detail::localized(field)}, {"value", detail::hexByte(code)}});
    return detail::localized("UnknownReserved") + " (" + detail::hexByte(code) + ")";
}

// Bytes 2-0Dh; an analog interface (type 00h) has no digital details.
void VESADisplayInfoVerifier::reportInterface(const VESADIInterface& link) {
    reportLine("VESADIInterface", codeName(kInterfaceTypes, link.type, "VESADIInterface"),
               "VESADisplayInfoInterface");
    if (link.type == 0) {
        return;
    }
    const auto& v = link.versionBytes;
    switch (link.versionKind) {
        case 1:
            reportLine(
                "VESADIInterfaceVersion",
                detail::filledText(
                    "VESADIVersionText",
                    {{"version",
                      detail::unsignedText(v[0] & 0x3Fu) + "." + detail::unsignedText(v[1])},
                     {"release", detail::unsignedText(v[2]) + "." + detail::unsignedText(v[3])}}));
            break;
        case 2:
            reportLine("VESADIInterfaceVersion",
                       detail::filledText("VESADILetterText", {{"letter", letterText(v[1])}}));
            break;
        case 3:
            reportLine(
                "VESADIInterfaceVersion",
                detail::filledText("VESADIDateText", {{"year", detail::unsignedText(1990u + v[1])},
                                                      {"week", detail::unsignedText(v[2])},
                                                      {"day", detail::unsignedText(v[3])}}));
            break;
        default:
            break;
    }
    reportLine("VESADIInterfaceFeatures", fieldsText(kInterfaceFlags, link.flags));
    // Byte 8: the data format codes 15h, 19h, 24h, 48h, 49h.
    struct Format {
        std::uint8_t code;
        const char* key;
    };
    static constexpr std::array<Format, 5> kFormats{{{0x15, "VESADIFormat8Over8"},
                                                     {0x19, "VESADIFormat12Over12"},
                                                     {0x24, "VESADIFormat24"},
                                                     {0x48, "VESADIFormat48Resolution"},
                                                     {0x49, "VESADIFormat48Color"}}};
    const auto* format = std::find_if(kFormats.begin(), kFormats.end(),
                                      [&](const Format& f) { return f.code == link.dataFormat; });
    if (format != kFormats.end()) {
        reportLine("VESADIDataFormat", detail::localized(format->key));
    } else if (link.dataFormat != 0) {
        reportLine("VESADIDataFormat", codeName({}, link.dataFormat, "VESADIDataFormat"));
    }
    // A crossover of 0 or FFFFh: the interface runs a single link only.
    const bool singleLink = link.crossoverMHz == 0 || link.crossoverMHz == 0xFFFF;
    const qor::String min = detail::unsignedText(link.minClockMHz);
    const qor::String max = detail::unsignedText(link.maxClockMHz);
    reportLine("VESADIPixelClock",
               singleLink
                   ? detail::filledText("VESADIClockSingleText", {{"min", min}, {"max", max}})
                   : detail::filledText("VESADIClockText",
                                        {{"min", min},
                                         {"max", max},
                                         {"crossover", detail::unsignedText(link.crossoverMHz)}}));
    if (link.maxClockMHz != 0 && link.minClockMHz > link.maxClockMHz) {
        logBlockFinding("VESADIClockRange", kError, {{"min", min}, {"max", max}});
    }
}

// Bytes 0Eh-13h.
void VESADisplayInfoVerifier::reportDevice(const VESADisplayInformation& di) {
    // One after the other, so that their findings come in byte order.
    const qor::String layout =
        codeName(kSubpixelLayouts, di.subpixelLayout, "VESADISubpixelLayout");
    const qor::String configuration =
        codeName(kSubpixelConfigurations, di.subpixelConfiguration, "VESADISubpixelConfiguration");
    const qor::String shape = codeName(kSubpixelShapes, di.subpixelShape, "VESADISubpixelShape");
    reportLine("VESADISubpixels", layout + ", " + configuration + ", " + shape);
    reportLine(
        "VESADIPixelPitch",
        hundredthsText(di.hPitchHundredthMm) + " x " + hundredthsText(di.vPitchHundredthMm) + " mm",
        "VESADisplayInfoPixelPitch");
    reportLine("VESADIDevice", fieldsText(kDeviceFlags, di.deviceFlags));
}

// Bytes 14h-26h.
void VESADisplayInfoVerifier::reportCapabilities(const VESADisplayInformation& di) {
    reportLine("VESADICapabilities", fieldsText(kCapabilityFlags, di.miscCapabilities));
    reportLine("VESADIStereo",
               codeName(kStereo, (di.miscCapabilities >> 4) & 0x07u, "VESADIStereo"));
    // Byte 15h: bit 7 frame lock, bits 6-5 what is converted; 16h-17h the vertical rate in
    // 0.01 Hz, 18h-19h the horizontal rate in 0.01 kHz.
    const unsigned conversion = (di.frameRateFlags >> 5) & 0x03u;
    qor::String frameRate = detail::localized(kFrameRateConversion[conversion]);
    if (conversion != 0) {
        frameRate += ", " + hundredthsText(di.vFrequencyHundredths) + " Hz, " +
                     hundredthsText(di.hFrequencyHundredths) + " kHz";
    }
    if ((di.frameRateFlags & 0x80u) != 0) {
        frameRate += ", " + detail::localized("VESADIFrameLock");
    }
    reportLine("VESADIFrameRate", frameRate);
    reportLine("VESADIOrientation", fieldsText(kOrientation, di.orientation),
               "VESADisplayInfoOrientation");
    const qor::String defaultDecoding =
        codeName(kDefaultDecodings, di.defaultDecoding, "VESADIDecoding");
    const qor::String preferredDecoding =
        codeName(kPreferredDecoders, di.preferredDecoding, "VESADIDecoding");
    reportLine("VESADIDecoding", defaultDecoding + ", " + preferredDecoding + ", " +
                                     detail::hexText(di.decodingCapabilities, 4, "h"));
    // Bytes 20h-25h: blue, green, red, then Cb, Y, Cr.
    std::string depths;
    for (std::size_t i = 0; i < di.bitDepths.size(); ++i) {
        depths += i == 0 ? "" : (i == 3 ? ", " : "/");
        if (di.bitDepths[i] > kMaxBitDepth) {
            logBlockFinding("VESAReservedValue", kWarning,
                            {{"field", detail::localized("VESADIBitDepths")},
                             {"value", detail::hexByte(di.bitDepths[i])}});
        }
        detail::appendUnsigned(depths, di.bitDepths[i]);
    }
    if ((di.depthFlags & 0x80u) != 0) {
        depths += ", ";
        depths += detail::localized("VESADIDithering").str();
    }
    reportLine("VESADIBitDepths", qor::String(depths));
    reportLine("VESADIAspectConversion", fieldsText(kAspectConversion, di.aspectConversion));
}

// Bytes 51h-7Eh: byte 51h bits 7-6 the kind, bits 5-0 the entries of each curve.
void VESADisplayInfoVerifier::reportTransfer(const VESADisplayInformation& di) {
    if (di.gammaKind == 0) {
        reportLine("VESADITransfer", detail::localized("None"));
        return;
    }
    if (di.gammaKind == 3) {
        reportLine("VESADITransfer", codeName({}, di.gammaKind, "VESADITransfer"));
        return;
    }
    std::string curves;
    for (const auto& curve : di.gammaCurves) {
        curves += curves.empty() ? "" : "; ";
        curves += detail::hexBytes(curve).str();
    }
    reportLine(
        "VESADITransfer",
        detail::filledText(
            di.gammaKind == 1 ? "VESADIWhiteCurveText" : "VESADIRGBCurvesText",
            {{"entries", detail::unsignedText(di.gammaEntries)}, {"values", qor::String(curves)}}));
    const unsigned max = di.gammaKind == 1 ? kGammaWhiteMax : kGammaChannelMax;
    if (di.gammaEntries > max) {
        logBlockFinding("VESADITransferTooLong", kError,
                        {{"entries", detail::unsignedText(di.gammaEntries)},
                         {"max", detail::unsignedText(max)}});
    }
}

}  // namespace libEDID
