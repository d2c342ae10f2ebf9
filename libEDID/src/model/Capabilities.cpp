#include "model/Capabilities.h"

#include "decode/cta/CTADecoder.h"
#include "decode/cta/CTATables.h"
#include "decode/displayid/DisplayIDDecode.h"

namespace libEDID::model {

namespace {

bool bit(unsigned byte, unsigned n) {
    return ((byte >> n) & 1u) != 0;
}

// Max_FRL_Rate and DSC_Max_FRL_Rate codes: 0 none, 1-6 the rates of FRLRate, 7-15 reserved.
FRLRate frl(unsigned code) {
    return code <= 6 ? static_cast<FRLRate>(code) : FRLRate::Reserved;
}

// HDMI Forum block bytes 11-13 (see CTAHDMIForumBlock).
std::optional<DSCInfo> dsc(const CTAHDMIForumBlock& b) {
    const unsigned flags = b.dscFlags.value_or(0);
    if (!bit(flags, 7)) {
        return std::nullopt;
    }
    DSCInfo d;
    d.bpc10 = bit(flags, 0);
    d.bpc12 = bit(flags, 1);
    d.bpc16 = bit(flags, 2);
    d.allBpp = bit(flags, 3);
    d.native420 = bit(flags, 6);
    if (const cta::DSCSlices* slices = cta::dscSlices(b.dscMaxSlices.value_or(0))) {
        d.maxSlices = slices->slices;
        d.maxPixelClockPerSliceMHz = slices->maxPixelRateMHz;
    }
    d.maxFRL = frl(b.dscMaxFRL.value_or(0));
    if (b.dscTotalChunk) {
        d.totalChunkBytes = 1024u * (1u + *b.dscTotalChunk);
    }
    return d;
}

// Low latency: interface code 1 of version 1, every code of version 2.
DolbyVisionInfo dolbyVision(const CTADolbyVision& v) {
    DolbyVisionInfo d;
    d.version = v.version;
    d.dmMajor = v.dmMajor;
    d.minLuminance = v.minLuminance;
    d.maxLuminance = v.maxLuminance;
    d.yuv422Bits12 = v.yuv422Bits12;
    d.supports2160p60 = v.supports2160p60;
    d.globalDimming = v.globalDimming;
    d.lowLatency = v.version == 2 || (v.version == 1 && v.interfaceKind == 1);
    d.rgbYUV444Bits = v.rgbYUV444 == 1 ? 10 : v.rgbYUV444 == 2 ? 12 : 0;
    return d;
}

}  // namespace

// Byte 6 (flags): bit 6 48-bit, 5 36-bit, 4 30-bit, 3 YCbCr 4:4:4. Byte 8: bits 3-0 content
// types CNC3 (game) to CNC0 (graphics). HDMI video byte: bit 7 3D_present.
HDMIInfo hdmiInfo(const CTAHDMIBlock& b) {
    const std::uint8_t f = b.flags.value_or(0);
    HDMIInfo h;
    h.physicalAddress = b.physicalAddress;
    h.maxTMDSClockMHz = b.maxTMDSClock;
    h.deepColor30 = bit(f, 4);
    h.deepColor36 = bit(f, 5);
    h.deepColor48 = bit(f, 6);
    h.deepColorYCbCr444 = bit(f, 3);
    const auto latency = [](const std::optional<std::uint8_t>& code) {
        return code ? cta::latencyMs(*code) : std::nullopt;
    };
    h.videoLatencyMs = latency(b.videoLatency);
    h.audioLatencyMs = latency(b.audioLatency);
    h.interlacedVideoLatencyMs = latency(b.interlacedVideoLatency);
    h.interlacedAudioLatencyMs = latency(b.interlacedAudioLatency);
    h.present3D = bit(b.hdmiVideo.value_or(0), 7);
    const std::uint8_t types = b.videoFlags.value_or(0);
    h.contentGraphics = bit(types, 0);
    h.contentPhoto = bit(types, 1);
    h.contentCinema = bit(types, 2);
    h.contentGame = bit(types, 3);
    return h;
}

// Byte 7 bits 2-0: DC_48bit_420, DC_36bit_420, DC_30bit_420; byte 8: bit 6 QMS, 4 CinemaVRR,
// 2 FVA, 1 ALLM.
HDMIForumInfo hdmiForumInfo(const CTAHDMIForumBlock& b) {
    HDMIForumInfo h;
    h.maxTMDSRateMHz = b.maxTMDSRate;
    h.scdc = b.scdc;
    h.maxFRL = frl(b.maxFRL.value_or(0));
    const std::uint8_t features = b.features.value_or(0);
    h.allm = bit(features, 1);
    h.fva = bit(features, 2);
    h.cinemaVRR = bit(features, 4);
    h.qms = bit(features, 6);
    h.deepColor420_30 = bit(b.deepColor420, 0);
    h.deepColor420_36 = bit(b.deepColor420, 1);
    h.deepColor420_48 = bit(b.deepColor420, 2);
    h.dsc = dsc(b);
    return h;
}

void addDynamicHDR(const CTADataBlockCollection& c, DisplayInfo& info) {
    const auto dynamic = [&info]() -> DynamicHDR& {
        return info.dynamicHDR ? *info.dynamicHDR : info.dynamicHDR.emplace();
    };
    // Metadata types 1-4 of the HDR dynamic metadata block.
    for (const CTAHDRDynamicType& t : c.hdrDynamicTypes) {
        DynamicHDR& d = dynamic();
        d.smpteST2094_10 = d.smpteST2094_10 || t.type == 1;
        d.etsiTS103433 = d.etsiTS103433 || t.type == 2;
        d.itutH265 = d.itutH265 || t.type == 3;
        d.smpteST2094_40 = d.smpteST2094_40 || t.type == 4;
    }
    for (const CTAVendorExtendedBlock& v : c.vendorExtendedBlocks) {
        if (v.audio || v.data.empty()) {
            continue;
        }
        if (v.oui == cta::kOuiDolby && v.dolbyVision && v.dolbyVision->lengthFits &&
            !(info.dynamicHDR && info.dynamicHDR->dolbyVision)) {
            dynamic().dolbyVision = dolbyVision(*v.dolbyVision);
        } else if (v.oui == cta::kOuiHDR10Plus &&
                   !(info.dynamicHDR && info.dynamicHDR->hdr10PlusVersion)) {
            dynamic().hdr10PlusVersion = v.version;
        }
    }
}

void offerVRR(DisplayInfo& info, const VRRRange& range) {
    if (!info.vrr || range.source < info.vrr->source) {
        info.vrr = range;
    }
}

// Extended tag 34: byte 1 the revision and options, then 20-byte type VII descriptors with the
// pixel clock in kHz.
void addCTADisplayIDTimings(std::span<const std::uint8_t> raw, const CTADataBlockCollection& c,
                            ModeList& modes) {
    constexpr std::uint8_t kTypeVII = 34;
    for (const CTADataBlockInfo& info : c.blocks) {
        if (info.kind != CTADataBlockKind::DisplayIDTiming || info.extendedTag != kTypeVII ||
            info.length < 2) {
            continue;
        }
        const auto payload = raw.subspan(info.offset + 3, info.length - 2u);
        for (std::size_t at = 0; at + displayid::kTimingSize <= payload.size();
             at += displayid::kTimingSize) {
            const DisplayIDTiming t =
                displayid::decodeTiming(payload.subspan(at).first<displayid::kTimingSize>(), 1);
            modes.add({t.pixelClockKHz, t.hActive, t.hBlank, t.hFrontPorch, t.hSyncWidth, t.vActive,
                       t.vBlank, t.vFrontPorch, t.vSyncWidth, t.hSyncPositive, t.vSyncPositive,
                       t.interlaced, 0},
                      ModeSource::DisplayID, {.preferred = t.preferred && !modes.hasPreferred()});
        }
    }
}

}  // namespace libEDID::model
