#include "verifiers/cta/CTAVESABlocksVerifier.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "decode/cta/CTADecoder.h"
#include "verifiers/vesa/VESAVerifier.h"

namespace libEDID {

namespace {

constexpr auto kError = LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR;
constexpr auto kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;

// The display device data block's length field: the extended tag and bytes 2-31.
constexpr unsigned kDisplayDeviceLength = 31;

// Display transfer characteristic, byte 1 bits 7-6.
constexpr std::array<const char*, 4> kTransferUsage{"CTAVESATransferWhite", "CTAVESATransferRed",
                                                    "CTAVESATransferGreen", "CTAVESATransferBlue"};
// Lengths of 8, 16 and 32 points: byte 1 and one increase for each point but the first and the
// implied last.
constexpr std::array<unsigned, 3> kTransferLengths{7, 15, 31};

// Byte 2 bits 7-4, by code; bits 3-0 count lanes or channels, except for analog (code 0),
// where they name the connector.
constexpr std::array<const char*, 13> kInterfaceTypes{
    "CTAVESAAnalog",      "CTAVESALVDS",     "CTAVESARSDS",     "CTAVESADVID", "CTAVESADVIIAnalog",
    "CTAVESADVIIDigital", "CTAVESAHDMIA",    "CTAVESAHDMIB",    "CTAVESAMDDI", "CTAVESADisplayPort",
    "CTAVESAIEEE1394",    "CTAVESAM1Analog", "CTAVESAM1Digital"};
constexpr std::array<const char*, 3> kAnalogConnectors{"CTAVESAAnalog15HD", "CTAVESANaviV",
                                                       "CTAVESANaviD"};
// Byte 4.
constexpr std::array<const char*, 4> kContentProtection{"None", "CTAVESAHDCP", "CTAVESADTCP",
                                                        "CTAVESADPCP"};
// Byte 12 bits 7-6, 5-4 and 1-0 (bits 3-2, the zero pixel, share the display information
// extension's codes).
constexpr std::array<const char*, 4> kDefaultOrientation{"VESADILandscape", "VESADIPortrait",
                                                         "CTAVESAOrientationNotFixed",
                                                         "CTAVESAOrientationUndefined"};
constexpr std::array<const char*, 4> kRotation{"CTAVESARotationNone", "CTAVESARotationClockwise",
                                               "CTAVESARotationCounterclockwise",
                                               "CTAVESARotationBoth"};
constexpr std::array<const char*, 3> kScanDirection{"VESADINotDefined", "VESADIScanMajor",
                                                    "VESADIScanMinor"};
// Byte 13.
constexpr std::array<const char*, 13> kSubpixelLayouts{"VESADINotDefined",
                                                       "CTAVESASubpixelRGBVertical",
                                                       "CTAVESASubpixelRGBHorizontal",
                                                       "CTAVESASubpixelVertical",
                                                       "CTAVESASubpixelHorizontal",
                                                       "CTAVESASubpixelQuadRedTop",
                                                       "CTAVESASubpixelQuadRedBottom",
                                                       "CTAVESASubpixelDelta",
                                                       "CTAVESASubpixelMosaic",
                                                       "CTAVESASubpixelQuadExtra",
                                                       "CTAVESASubpixelFive",
                                                       "CTAVESASubpixelSix",
                                                       "CTAVESASubpixelPenTile"};
// Byte 16 bits 7-6.
constexpr std::array<const char*, 4> kDithering{"None", "CTAVESADitherSpatial",
                                                "CTAVESADitherTemporal", "CTAVESADitherBoth"};
// Byte 19 bits 7-6.
constexpr std::array<const char*, 4> kFrameRateConversion{
    "None", "CTAVESAConvertSingle", "CTAVESAConvertDouble", "CTAVESAConvertAdvanced"};

struct Flag {
    std::uint8_t mask;
    const char* property;
};
// Byte 16 bits 5-3.
constexpr std::array<Flag, 3> kDisplayFlags{{{0x20, "CTAVESADirectDrive"},
                                             {0x10, "CTAVESAOverdriveNotRecommended"},
                                             {0x08, "CTAVESADeinterlacing"}}};
// Byte 17 bits 7-5.
constexpr std::array<Flag, 3> kAudioFlags{{{0x80, "CTAVESAAudioOnInterface"},
                                           {0x40, "CTAVESASeparateAudioInputs"},
                                           {0x20, "CTAVESAAudioInputOverride"}}};

// "0.1348, 0.2012" of two chromaticities in 1/1024.
std::string chromaticityText(unsigned x, unsigned y) {
    std::string text;
    detail::appendFixed(text, x / 1024.0, 4);
    text += ", ";
    detail::appendFixed(text, y / 1024.0, 4);
    return text;
}

}  // namespace

void CTAVESABlocksVerifier::verify() {
    checkDisplayDeviceLength();
    if (collection.vesaDisplayDevice) {
        const CTAVESADisplayDevice& device = *collection.vesaDisplayDevice;
        verifyInterface(device);
        verifyGeometry(device);
        verifyCapabilities(device);
        verifyColor(device);
    }
    if (collection.vesaVideoTimingBlock) {
        verifyVideoTimingBlock(*collection.vesaVideoTimingBlock);
    }
    verifyTransferCharacteristics();
}

// The layout fills the largest length a data block can have; a shorter block lacks fields,
// which read as 0.
void CTAVESABlocksVerifier::checkDisplayDeviceLength() {
    for (const CTADataBlockInfo& block : collection.blocks) {
        if (block.kind == CTADataBlockKind::VESADisplayDevice &&
            block.length < kDisplayDeviceLength) {
            logCTAFinding("CTAVESADisplayDeviceLength", kError,
                          {{"offset", detail::hexByte(firstOffset + block.offset)},
                           {"length", detail::unsignedText(block.length)},
                           {"expected", detail::unsignedText(kDisplayDeviceLength)}});
        }
    }
}

qor::String CTAVESABlocksVerifier::codeName(std::span<const char* const> keys, unsigned code,
                                            const char* field) {
    if (code < keys.size()) {
        return detail::localized(keys[code]);
    }
    logCTAFinding("CTAVESAReservedValue", kWarning,
                  {{"field", detail::localized(field)}, {"value", detail::hexByte(code)}});
    return detail::localized("UnknownReserved") + " (" + detail::hexByte(code) + ")";
}

// Bytes 2-6.
void CTAVESABlocksVerifier::verifyInterface(const CTAVESADisplayDevice& device) {
    qor::String type = codeName(kInterfaceTypes, device.interfaceType, "CTAVESAInterface");
    if (device.interfaceType == 0) {
        type += ", " + codeName(kAnalogConnectors, device.interfaceLinks, "CTAVESAInterface");
    } else if (device.interfaceType < kInterfaceTypes.size()) {
        type += ", " + detail::filledText("CTAVESALinksText",
                                          {{"count", detail::unsignedText(device.interfaceLinks)}});
    }
    reportProperty("CTAVESAInterface", type);
    reportProperty("CTAVESAInterfaceVersion", detail::unsignedText(device.interfaceVersion) + "." +
                                                  detail::unsignedText(device.interfaceRelease));
    reportProperty(
        "CTAVESAContentProtection",
        codeName(kContentProtection, device.contentProtection, "CTAVESAContentProtection"));
    const qor::String min = detail::unsignedText(device.minClockMHz);
    const qor::String max = detail::unsignedText(device.maxClockMHz);
    reportProperty("CTAVESAPixelClock",
                   detail::filledText("CTAVESAClockText", {{"min", min}, {"max", max}}));
    if (device.minClockMHz > device.maxClockMHz) {
        logCTAFinding("CTAVESAClockRange", kError, {{"min", min}, {"max", max}});
    }
}

// Bytes 7-15.
void CTAVESABlocksVerifier::verifyGeometry(const CTAVESADisplayDevice& device) {
    reportProperty("CTAVESANativePixels", detail::unsignedText(device.nativeWidth) + " x " +
                                              detail::unsignedText(device.nativeHeight));
    reportProperty("CTAVESAAspectRatio", hundredthsText(100u + device.aspectRatio));
    const unsigned o = device.orientation;
    const qor::String orientation = codeName(kDefaultOrientation, o >> 6, "CTAVESAOrientation");
    const qor::String rotation = codeName(kRotation, (o >> 4) & 0x03u, "CTAVESAOrientation");
    const qor::String zero = codeName(kVESAZeroPixel, (o >> 2) & 0x03u, "CTAVESAOrientation");
    const qor::String scan = codeName(kScanDirection, o & 0x03u, "CTAVESAOrientation");
    reportProperty("CTAVESAOrientation", orientation + ", " + rotation + ", " + zero + ", " + scan);
    reportProperty("CTAVESASubpixelLayout",
                   codeName(kSubpixelLayouts, device.subpixelLayout, "CTAVESASubpixelLayout"));
    reportProperty("CTAVESAPixelPitch", hundredthsText(device.hPitchHundredthMm) + " x " +
                                            hundredthsText(device.vPitchHundredthMm) + " mm");
}

// Bytes 16-20.
void CTAVESABlocksVerifier::verifyCapabilities(const CTAVESADisplayDevice& device) {
    reportProperty("CTAVESADithering", detail::localized(kDithering[device.miscellaneous >> 6]));
    for (const Flag& flag : kDisplayFlags) {
        reportProperty(flag.property, detail::yesNo((device.miscellaneous & flag.mask) != 0));
    }
    for (const Flag& flag : kAudioFlags) {
        reportProperty(flag.property, detail::yesNo((device.audioFlags & flag.mask) != 0));
    }
    // Byte 18: 0 gives no delay; bit 7 set means audio comes after the video.
    const unsigned delayMs = (device.audioDelay & 0x7Fu) * 2;
    if (delayMs != 0) {
        const bool later = (device.audioDelay & 0x80u) != 0;
        reportProperty("CTAVESAAudioDelay",
                       qor::String(later ? "" : "-") + detail::unsignedText(delayMs) + " ms");
    }
    reportProperty("CTAVESAFrameRateConversion",
                   detail::localized(kFrameRateConversion[device.frameRateConversion >> 6]));
    reportProperty(
        "CTAVESAFrameRate",
        detail::filledText("CTAVESAFrameRateText",
                           {{"rate", detail::unsignedText(device.nativeFrameRate)},
                            {"range", detail::unsignedText(device.frameRateConversion & 0x3Fu)}}));
}

// Bytes 21-31.
void CTAVESABlocksVerifier::verifyColor(const CTAVESADisplayDevice& device) {
    reportProperty(
        "CTAVESAColorDepth",
        detail::filledText("CTAVESAColorDepthText",
                           {{"interface", detail::unsignedText((device.colorDepth >> 4) + 1u)},
                            {"device", detail::unsignedText((device.colorDepth & 0x0Fu) + 1u)}}));
    if (device.additionalPrimaryCount > 0) {
        detail::ItemList items(kCTAItemIndent);
        for (unsigned i = 0; i < device.additionalPrimaryCount; ++i) {
            items.add(chromaticityText(device.additionalPrimaries[2 * i],
                                       device.additionalPrimaries[2 * i + 1]));
        }
        reportList("CTAVESAAdditionalPrimaries", items);
    }
    const bool whiteToBlack = (device.responseTime & 0x80u) != 0;
    reportProperty(
        "CTAVESAResponseTime",
        detail::filledText(whiteToBlack ? "CTAVESAWhiteToBlackText" : "CTAVESABlackToWhiteText",
                           {{"ms", detail::unsignedText(device.responseTime & 0x7Fu)}}));
    reportProperty("CTAVESAOverscan", detail::unsignedText(device.overscan >> 4) + " % x " +
                                          detail::unsignedText(device.overscan & 0x0Fu) + " %");
}

// Bytes 2-5 and the descriptors of a video timing block extension.
void CTAVESABlocksVerifier::verifyVideoTimingBlock(const VESAVideoTimingBlock& vtb) {
    reportProperty("CTAVESAVideoTimingVersion", detail::unsignedText(vtb.version));
    reportProperty("CTAVESAVideoTimingCounts",
                   detail::filledText("VESAVideoTimingCountsText",
                                      {{"detailed", detail::unsignedText(vtb.detailedCount)},
                                       {"cvt", detail::unsignedText(vtb.cvtCount)},
                                       {"standard", detail::unsignedText(vtb.standardCount)}}));
    const detail::ModeList modes = videoTimingModes(vtb);
    if (!modes.isEmpty()) {
        reportValue("CTAVESAVideoTimingModes", modes.text());
        notifySysInfoProperty(detail::indexedPropertyName("CTAVESAVideoTimingModes", suffix),
                              modes.values());
    }
    if (vtb.countsOverflow) {
        logCTAFinding("CTAVESAVideoTimingOverflow", kError,
                      {{"bytes", detail::unsignedText(vesa::vtbDescriptorBytes(
                                     vtb.detailedCount, vtb.cvtCount, vtb.standardCount))}});
    }
    if (vtb.invalidDetailed > 0) {
        logCTAFinding("CTAVESAVideoTimingInvalidDetailed", kError,
                      {{"count", detail::unsignedText(vtb.invalidDetailed)}});
    }
}

// One item per tag-5 block, in the order of the collection.
void CTAVESABlocksVerifier::verifyTransferCharacteristics() {
    const std::vector<CTAVESATransferCharacteristic>& decoded =
        collection.vesaTransferCharacteristics;
    if (decoded.empty()) {
        return;
    }
    detail::ItemList items(kCTAItemIndent);
    std::size_t index = 0;
    for (const CTADataBlockInfo& block : collection.blocks) {
        if (block.kind != CTADataBlockKind::VESATransferCharacteristic || index >= decoded.size()) {
            continue;
        }
        const CTAVESATransferCharacteristic& transfer = decoded[index++];
        items.add(transferText(transfer));
        checkTransfer(transfer, firstOffset + block.offset);
    }
    reportList("CTAVESATransfer", items);
}

qor::String CTAVESABlocksVerifier::transferText(const CTAVESATransferCharacteristic& transfer) {
    if (transfer.points.empty()) {
        return detail::localized("None");
    }
    std::string points;
    for (const std::uint16_t point : transfer.points) {
        if (!points.empty()) {
            points += ", ";
        }
        detail::appendUnsigned(points, point);
    }
    return detail::filledText(
        "CTAVESATransferText",
        {{"usage", detail::localized(kTransferUsage[transfer.usage & 0x03u])},
         {"count", detail::unsignedText(static_cast<unsigned>(transfer.points.size()))},
         {"points", qor::String(points)}});
}

// The length gives 8, 16 or 32 points; the increases may not climb past full luminance, which
// the implied last point is.
void CTAVESABlocksVerifier::checkTransfer(const CTAVESATransferCharacteristic& transfer,
                                          unsigned offset) {
    const qor::String at = detail::hexByte(offset);
    if (std::find(kTransferLengths.begin(), kTransferLengths.end(), transfer.length) ==
        kTransferLengths.end()) {
        logCTAFinding("CTAVESATransferLength", kError,
                      {{"offset", at}, {"length", detail::unsignedText(transfer.length)}});
    }
    if (transfer.points.size() >= 2) {
        const unsigned highest = transfer.points[transfer.points.size() - 2];
        if (highest > cta::kTransferFullLuminance) {
            logCTAFinding("CTAVESATransferOverflow", kError,
                          {{"offset", at}, {"value", detail::unsignedText(highest)}});
        }
    }
}

}  // namespace libEDID
