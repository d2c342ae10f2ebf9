#include "verifiers/cta/CTAHDMIVerifier.h"

#include <array>
#include <string_view>

#include "decode/cta/CTADecoder.h"
#include "decode/cta/CTATables.h"

namespace libEDID {

namespace {

constexpr auto kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;

// Byte 8 bits 3-0: the content types, CNC0 first.
constexpr std::array<std::string_view, 4> kContentTypes{"graphics", "photo", "cinema", "game"};
// The 3D structures of 3D_Structure_ALL and 2D_VIC_order entries, by bit or code.
constexpr std::array<std::string_view, 9> kStructures3D{
    "frame packing",      "field alternative",
    "line alternative",   "side-by-side (full)",
    "L + depth",          "L + depth + graphics + graphics-depth",
    "top-and-bottom",     "",
    "side-by-side (half)"};
// Image_Size, bits 4-3 of the HDMI video byte.
constexpr std::array<const char*, 4> kImageSizes{"HDMIImageSizeNone", "HDMIImageSizeRatio",
                                                 "HDMIImageSizeRounded", "HDMIImageSizeDivided"};
qor::String latencyText(std::uint8_t code) {
    if (const auto ms = cta::latencyMs(code)) {
        return detail::unsignedText(*ms) + " ms";
    }
    return detail::localized(code == 0     ? "HDMILatencyUnknown"
                             : code == 255 ? "HDMILatencyNoOutput"
                                           : "UnknownReserved");
}

qor::String hdmiVICText(std::uint8_t vic) {
    std::string text = "HDMI VIC ";
    detail::appendUnsigned(text, vic);
    text += ": ";
    if (const cta::HDMIVideoFormat* format = cta::hdmiVideoFormat(vic)) {
        detail::appendMode(text, format->format.width, format->format.height,
                           format->format.refresh);
    } else {
        text += detail::localized("CTAReservedFormat").str();
    }
    return text;
}

qor::String structureText(unsigned code) {
    return code < kStructures3D.size() && !kStructures3D[code].empty()
               ? qor::String(std::string(kStructures3D[code]))
               : detail::localized("UnknownReserved");
}

}  // namespace

void CTAHDMIVerifier::verify() {
    // OUI and physical address: 5 payload bytes at least.
    checkMinimumLength(CTADataBlockKind::HDMI, 5, "CTABlockHDMI");
    if (!collection.hdmi) {
        return;
    }
    const CTAHDMIBlock& hdmi = *collection.hdmi;
    const unsigned address = hdmi.physicalAddress;
    reportProperty("HDMIPhysicalAddress",
                   qor::SprintfFormat("%u.%u.%u.%u", address >> 12, address >> 8 & 0xFu,
                                      address >> 4 & 0xFu, address & 0xFu));
    if (hdmi.flags) {
        // Deep colour bits 6-3 of the flags byte, reported from bit 6 down.
        static constexpr std::array<std::string_view, 4> kDeepColor{"DC_48bit", "DC_36bit",
                                                                    "DC_30bit", "DC_Y444"};
        detail::ItemList items(kCTAItemIndent);
        for (unsigned i = 0; i < kDeepColor.size(); ++i) {
            if ((*hdmi.flags >> (6 - i) & 1u) != 0) {
                items.add(kDeepColor[i]);
            }
        }
        reportList("HDMIDeepColor", items);
        reportProperty("HDMISupportsAI", detail::yesNo((*hdmi.flags & 0x80) != 0));
        reportProperty("HDMIDVIDual", detail::yesNo((*hdmi.flags & 0x01) != 0));
    }
    if (hdmi.maxTMDSClock != 0) {
        reportProperty("HDMIMaxTMDSClock", detail::unsignedText(hdmi.maxTMDSClock) + " MHz");
    }
    verifyVideoFlags(hdmi);
    verifyHDMIVideo(hdmi);
    if (hdmi.truncated) {
        logCTAFinding("CTAHDMIFieldsBeyondBlock", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR);
    }
}

void CTAHDMIVerifier::verifyVideoFlags(const CTAHDMIBlock& hdmi) {
    if (!hdmi.videoFlags) {
        return;
    }
    reportBits("HDMIContentTypes", *hdmi.videoFlags & 0x0Fu, kContentTypes);
    const auto latency = [&](const char* name, const std::optional<std::uint8_t>& code) {
        if (!code) {
            return;
        }
        reportProperty(name, latencyText(*code));
        if (*code > 251 && *code < 255) {
            logCTAFinding(
                "CTAHDMIReservedLatency", kWarning,
                {{"type", detail::localized(name)}, {"code", detail::unsignedText(*code)}});
        }
    };
    latency("HDMIVideoLatency", hdmi.videoLatency);
    latency("HDMIAudioLatency", hdmi.audioLatency);
    latency("HDMIInterlacedVideoLatency", hdmi.interlacedVideoLatency);
    latency("HDMIInterlacedAudioLatency", hdmi.interlacedAudioLatency);
    // Interlaced latencies come only after the progressive ones.
    if ((*hdmi.videoFlags & 0xC0) == 0x40) {
        logCTAFinding("CTAHDMIInterlacedLatencyAlone", kWarning);
    }
}

void CTAHDMIVerifier::verifyHDMIVideo(const CTAHDMIBlock& hdmi) {
    if (!hdmi.hdmiVideo) {
        return;
    }
    const unsigned video = *hdmi.hdmiVideo;
    reportProperty("HDMI3DPresent", detail::yesNo((video & 0x80) != 0));
    reportProperty("HDMIImageSize", detail::localized(kImageSizes[(video >> 3) & 3u]));
    detail::ItemList vics(kCTAItemIndent);
    for (const std::uint8_t vic : hdmi.hdmiVICs) {
        vics.add(hdmiVICText(vic));
        if (cta::hdmiVideoFormat(vic) == nullptr) {
            logCTAFinding("CTAHDMIUnknownVIC", kWarning, {{"vic", detail::unsignedText(vic)}});
        }
    }
    reportList("HDMIVICs", vics);
    if (hdmi.structureAll) {
        reportBits("HDMI3DStructures", *hdmi.structureAll, kStructures3D);
    }
    if (hdmi.mask3D) {
        reportProperty("HDMI3DMask", detail::hexText(*hdmi.mask3D, 4, "h"));
    }
    const auto formats = static_cast<unsigned>(collection.videoFormats.size());
    detail::ItemList entries(kCTAItemIndent);
    for (const CTAHDMI3DFormat& format : hdmi.formats3D) {
        entries.add(qor::SprintfFormat("%u: ", format.vicIndex + 1u) +
                    structureText(format.structure));
        if (format.vicIndex >= formats) {
            logCTAFinding("CTAHDMI3DFormatBeyondFormats", kWarning,
                          {{"index", detail::unsignedText(format.vicIndex + 1u)},
                           {"count", detail::unsignedText(formats)}});
        }
    }
    if (!hdmi.formats3D.empty()) {
        reportList("HDMI3DFormats", entries);
    }
}

}  // namespace libEDID
