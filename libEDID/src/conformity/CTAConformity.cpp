#include "conformity/CTAConformity.h"

#include <algorithm>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "conformity/ConformityTables.h"
#include "decode/base/BaseBlockLayout.h"
#include "decode/base/DetailedTimingDecoder.h"
#include "libEDID/DisplayInfo.h"

namespace libEDID::conformity {

namespace {

constexpr auto kCategory = LibEDIDLog::LIBEDID_LOG_CAT_CTA_EXTENSION;
// The data block collection of a CTA-861 extension block starts after its 4-byte header.
constexpr unsigned kCollectionOffset = 4;

}  // namespace

void CTAConformity::verify() {
    for (const CTABlock& block : ctaBlocks()) {
        checkQuantization(block);
        checkHeaderFlags(block);
        checkColorimetry(block);
        checkHDMI(block);
        checkYCbCr420Map(block);
    }
    checkNativeFormats();
}

void CTAConformity::logCTA(const char* key, Level level, const CTABlock& block,
                           Variables variables) {
    logBlockFinding(key, level, kCategory, block.blockNumber, variables);
}

// CTA-861-H 7.5.6: a sink that accepts both RGB quantization ranges says so with QS = 1 in a
// video capability block; without it a source cannot tell which range the sink expects.
void CTAConformity::checkQuantization(const CTABlock& block) {
    const auto& capability = block.dataBlocks.videoCapability;
    if (!capability) {
        logCTA("ConfCTANoVideoCapability", kWarning, block);
    } else if (!capability->quantizationRGB) {
        logCTA("ConfCTARGBNotSelectable", kWarning, block);
    }
}

// Byte 3: the underscan flag states how IT formats are shown by default and must agree with
// the video capability block's IT behaviour; a sink with any audio supports basic audio
// (CTA-861-H 7.3 and 7.5.2).
void CTAConformity::checkHeaderFlags(const CTABlock& block) {
    if (!block.flags) {
        return;
    }
    const bool underscan = (*block.flags & tables::kUnderscanBit) != 0;
    if (const auto& capability = block.dataBlocks.videoCapability) {
        if ((capability->itScan == tables::kScanUnderscanned && !underscan) ||
            (capability->itScan == tables::kScanOverscanned && underscan)) {
            logCTA("ConfCTAUnderscanConflict", kWarning, block,
                   {{"it", detail::text(capability->itScan == tables::kScanUnderscanned
                                            ? "CTAScanUnderscanned"
                                            : "CTAScanOverscanned")},
                    {"flag", detail::unsignedText(underscan ? 1 : 0)}});
        }
    }
    const bool audio =
        !block.dataBlocks.audioFormats.empty() || block.dataBlocks.speakerAllocation.has_value();
    if (audio && (*block.flags & tables::kBasicAudioBit) == 0) {
        logCTA("ConfCTAAudioWithoutBasicAudio", kError, block);
    }
}

// CTA-861-H 7.5.5: bits MD3-MD0 of the colorimetry block are reserved and 0.
void CTAConformity::checkColorimetry(const CTABlock& block) {
    const EDIDBlock& bytes = extensionBlocks()[block.blockNumber - 1];
    for (const CTADataBlockInfo& info : block.dataBlocks.blocks) {
        if (info.kind != CTADataBlockKind::Colorimetry ||
            info.length <= tables::kColorimetryMetadataByte) {
            continue;
        }
        // Tag byte, extended tag byte, then the payload.
        const unsigned at = kCollectionOffset + info.offset + 1 + tables::kColorimetryMetadataByte;
        const unsigned bits = bytes[at] & tables::kColorimetryMetadataBits;
        if (bits != 0) {
            logCTA("ConfCTAColorimetryReserved", kWarning, block,
                   {{"offset", detail::hexByte(at)}, {"value", detail::hexByte(bits)}});
        }
    }
}

// HDMI 1.4b 8.3.2 asks for an E-EDID 1.3 structure. HDMI 2.1 10.3.2: Max_TMDS_Clock of the
// HDMI block covers up to 340 MHz; higher rates are given in the HDMI Forum block.
void CTAConformity::checkHDMI(const CTABlock& block) {
    const auto& hdmi = block.dataBlocks.hdmi;
    if (!hdmi) {
        return;
    }
    const unsigned revision = baseBlock()[layout::kRevision];
    if (baseBlock()[layout::kVersion] == 1 && revision != 3) {
        logCTA("ConfHDMIEDIDRevision", kWarning, block,
               {{"revision", detail::unsignedText(revision)}});
    }
    if (hdmi->maxTMDSClock > tables::kHDMIMaxTMDSClockMHz) {
        logCTA("ConfHDMITMDSAbove340", kError, block,
               {{"clock", detail::unsignedText(hdmi->maxTMDSClock)},
                {"max", detail::unsignedText(tables::kHDMIMaxTMDSClockMHz)}});
    }
}

// CTA-861-H 7.5.11: a capability map whose bits are all 0 marks no format; a 1-byte block
// (no map bytes) stands for every format and is not empty.
void CTAConformity::checkYCbCr420Map(const CTABlock& block) {
    const auto& map = block.dataBlocks.ycbcr420CapabilityMap;
    if (map && !map->empty() &&
        std::all_of(map->begin(), map->end(), [](std::uint8_t byte) { return byte == 0; })) {
        logCTA("ConfCTAEmptyYCbCr420Map", kWarning, block,
               {{"bytes", detail::unsignedText(static_cast<unsigned>(map->size()))}});
    }
}

// CTA-861-H: the native formats are the first N detailed timings of the E-EDID (N in byte 3
// bits 3-0 of the CTA-861 block; the base block's timings first) and the VICs marked native.
// A display has one native resolution, so its progressive native formats share it.
void CTAConformity::checkNativeFormats() {
    if (ctaBlocks().empty() || !ctaBlocks().front().flags) {
        return;
    }
    const unsigned nativeTimings = *ctaBlocks().front().flags & tables::kNativeTimingCountBits;
    std::vector<std::pair<unsigned, unsigned>> sizes;
    auto add = [&sizes](const VideoTiming& timing) {
        const std::pair<unsigned, unsigned> size{timing.hActive, timing.vActive};
        if (!timing.interlaced && std::find(sizes.begin(), sizes.end(), size) == sizes.end()) {
            sizes.push_back(size);
        }
    };
    unsigned timings = 0;
    auto addDetailed = [&](std::span<const std::uint8_t, layout::kDescriptorSize> bytes) {
        if (timings < nativeTimings) {
            if (const auto dtd = decode::decodeDetailedTiming(bytes)) {
                ++timings;
                add(dtd->timing);
            }
        }
    };
    for (const std::size_t slot : layout::kDescriptorSlots) {
        addDetailed(std::span(baseBlock()).subspan(slot).first<layout::kDescriptorSize>());
    }
    for (const CTABlock& block : ctaBlocks()) {
        for (const auto& dtd : block.detailedTimings) {
            addDetailed(dtd);
        }
        for (const CTAShortVideoDescriptor& svd : block.dataBlocks.videoFormats) {
            const VideoTiming* timing = svd.native ? ctaVideoFormat(svd.vic) : nullptr;
            if (timing != nullptr) {
                add(*timing);
            }
        }
    }
    if (sizes.size() > 1) {
        std::string list;
        for (const auto& [width, height] : sizes) {
            list += list.empty() ? "" : ", ";
            list += std::to_string(width) + " x " + std::to_string(height);
        }
        logCTA("ConfCTANativeMix", kWarning, ctaBlocks().front(), {{"sizes", list.c_str()}});
    }
}

}  // namespace libEDID::conformity
