#include "model/DisplayInfoBuilder.h"

#include <algorithm>
#include <array>

#include "decode/base/BaseBlockDecoder.h"
#include "decode/base/BaseBlockLayout.h"
#include "decode/base/EstablishedTimings.h"
#include "decode/base/PnpIds.h"
#include "decode/cta/CTADecoder.h"
#include "decode/cta/VideoTimings.h"
#include "decode/displayid/DisplayIDDecode.h"
#include "decode/vesa/VESADecoder.h"
#include "model/Capabilities.h"
#include "model/ModeList.h"

namespace libEDID::model {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint8_t kTagCTA = 0x02;
constexpr std::uint8_t kTagDisplayID = 0x70;

// CVT 3-byte code rate bits 4-0: 50, 60, 75, 85 Hz and 60 Hz with reduced blanking.
constexpr std::array<unsigned, 5> kCVTRates{60, 85, 75, 60, 50};  // by bit, bit 0 first

void identity(const decode::BaseBlock& base, DisplayInfo& info) {
    info.manufacturerId.assign(base.manufacturerId.data(), 3);
    if (const std::string_view name = decode::pnpName(info.manufacturerId); !name.empty()) {
        info.manufacturerName.emplace(name);
    }
    info.productCode = base.productCode;
    if (base.serialNumber != 0) {
        info.serialNumber = base.serialNumber;
    }
    // Week FFh: the year is a model year; week 0: not given.
    if (base.week == 0xFF) {
        info.modelYear = base.year();
    } else {
        info.year = base.year();
        if (base.week != 0) {
            info.week = base.week;
        }
    }
    info.version = base.version;
    info.revision = base.revision;
}

void displayParameters(const decode::BaseBlock& base, DisplayInfo& info) {
    info.videoInput = base.videoInput;
    info.screenWidthCm = base.widthCm;
    info.screenHeightCm = base.heightCm;
    info.aspectRatio = base.aspectRatio;
    info.gamma = base.gamma;
    const auto& c = base.chromaticity;
    info.chromaticity = {c.redX.value(),  c.redY.value(),  c.greenX.value(), c.greenY.value(),
                         c.blueX.value(), c.blueY.value(), c.whiteX.value(), c.whiteY.value()};
    info.sRGBDefault = base.features.sRGBDefault;
    // Digital displays of EDID 1.4: bits 4-3 list YCbCr 4:4:4 (bit 3) and 4:2:2 (bit 4).
    if (base.videoInput.digital && base.isRevision14OrLater()) {
        info.ycbcr444 = (base.features.colorType & 0x01) != 0;
        info.ycbcr422 = (base.features.colorType & 0x02) != 0;
    }
}

/// The modes of one CVT 3-byte code: one per rate bit; a code of 0 lines is unused.
void cvtModes(unsigned width, unsigned lines, unsigned rates, ModeSource source, ModeList& modes) {
    for (unsigned bit = 0; lines != 0 && bit < kCVTRates.size(); ++bit) {
        if ((rates >> bit) & 1u) {
            modes.addNominal(width, lines, kCVTRates[bit], false, source);
        }
    }
}

void descriptorModes(const decode::Descriptor& d, bool preferred, ModeList& modes) {
    switch (d.kind) {
        case decode::DescriptorKind::DetailedTiming:
            modes.add(d.timing->timing, ModeSource::Detailed, {.preferred = preferred});
            break;
        case decode::DescriptorKind::EstablishedIII:
            for (unsigned i = 0; i < decode::kEstablishedIIIModes.size(); ++i) {
                const auto& m = decode::kEstablishedIIIModes[i];
                if (m.width != 0 && decode::establishedIIIBit(d.establishedIII, i)) {
                    modes.addNominal(m.width, m.height, m.refresh, false,
                                     ModeSource::EstablishedIII);
                }
            }
            break;
        case decode::DescriptorKind::CVT3Byte:
            for (const decode::CVT3ByteCode& code : d.cvt) {
                cvtModes(code.width, code.lines, code.rates, ModeSource::CVT3Byte, modes);
            }
            break;
        case decode::DescriptorKind::StandardTimingIds:
            for (const decode::StandardTiming& st : d.standardTimings) {
                if (st.kind == decode::StandardTiming::Kind::Mode) {
                    modes.addNominal(st.width, st.height, st.refresh, false, ModeSource::Standard);
                }
            }
            break;
        default:
            break;
    }
}

void baseModes(const decode::BaseBlock& base, ModeList& modes) {
    for (unsigned i = 0; i < base.descriptors.size(); ++i) {
        // Slot 0 holds the preferred timing.
        descriptorModes(base.descriptors[i], i == 0, modes);
    }
    for (unsigned i = 0; i < decode::kEstablishedModes.size(); ++i) {
        const auto& m = decode::kEstablishedModes[i];
        if (m.width != 0 && decode::establishedBit(base.establishedBits, i)) {
            modes.addNominal(m.width, m.height, m.refresh, m.interlaced, ModeSource::Established);
        }
    }
    for (const decode::StandardTiming& st : base.standardTimings) {
        if (st.kind == decode::StandardTiming::Kind::Mode) {
            modes.addNominal(st.width, st.height, st.refresh, false, ModeSource::Standard);
        }
    }
}

/// Whether short video descriptor `index` (counted over all video data blocks of the
/// collection) is also offered as YCbCr 4:2:0: bit i of map byte j is descriptor 8j + i; an
/// empty map means every descriptor.
bool inCapabilityMap(const CTADataBlockCollection& c, std::size_t index) {
    if (!c.ycbcr420CapabilityMap) {
        return false;
    }
    const auto& map = *c.ycbcr420CapabilityMap;
    return map.empty() || (index / 8 < map.size() && ((map[index / 8] >> (index % 8)) & 1u) != 0);
}

HDRCapabilities hdr(const CTAHDRStaticMetadata& m) {
    const auto bit = [&](unsigned b) { return ((m.transferFunctions >> b) & 1u) != 0; };
    return {bit(0),        bit(1), bit(2), bit(3), m.maxLuminance, m.maxFrameAverageLuminance,
            m.minLuminance};
}

ColorimetrySupport colorimetry(std::uint16_t bits) {
    const auto bit = [&](unsigned b) { return ((bits >> b) & 1u) != 0; };
    return {bit(0), bit(1), bit(2), bit(3), bit(4), bit(5), bit(6), bit(7), bit(8)};
}

AudioFormat audio(const CTAShortAudioDescriptor& d) {
    static constexpr std::array<unsigned, 7> kRates{32000, 44100,  48000, 88200,
                                                    96000, 176400, 192000};
    static constexpr std::array<unsigned, 3> kSizes{16, 20, 24};
    AudioFormat a;
    a.format = d.format;
    a.channels = d.channels;
    for (unsigned b = 0; b < kRates.size(); ++b) {
        if ((d.sampleRates >> b) & 1u) {
            a.sampleRatesHz.push_back(kRates[b]);
        }
    }
    for (unsigned b = 0; b < kSizes.size(); ++b) {
        if ((d.sampleSizes >> b) & 1u) {
            a.sampleSizesBits.push_back(kSizes[b]);
        }
    }
    a.maxBitRateKbps = d.maxBitRate;
    return a;
}

/// The capabilities of one data block collection (of a CTA-861 block or a DisplayID CTA data
/// block, `raw` its bytes); the first block of each kind wins over later ones.
void collection(Bytes raw, const CTADataBlockCollection& c, DisplayInfo& info, ModeList& modes) {
    for (std::size_t i = 0; i < c.videoFormats.size(); ++i) {
        const CTAShortVideoDescriptor& svd = c.videoFormats[i];
        if (const VideoTiming* t = cta::videoTiming(svd.vic)) {
            modes.add(
                *t, ModeSource::CTAVideo,
                {.vic = svd.vic, .native = svd.native, .ycbcr420Capable = inCapabilityMap(c, i)});
        }
    }
    for (const CTAShortVideoDescriptor& svd : c.ycbcr420OnlyFormats) {
        if (const VideoTiming* t = cta::videoTiming(svd.vic)) {
            modes.add(*t, ModeSource::CTAVideo,
                      {.vic = svd.vic, .native = svd.native, .ycbcr420Only = true});
        }
    }
    if (c.hdmi) {
        for (const std::uint8_t vic : c.hdmi->hdmiVICs) {
            if (const VideoTiming* t = cta::hdmiVideoTiming(vic)) {
                modes.add(*t, ModeSource::HDMIVideo);
            }
        }
    }
    info.audioFormats.reserve(info.audioFormats.size() + c.audioFormats.size());
    for (const CTAShortAudioDescriptor& d : c.audioFormats) {
        info.audioFormats.push_back(audio(d));
    }
    if (c.hdrStaticMetadata && !info.hdr) {
        info.hdr = hdr(*c.hdrStaticMetadata);
    }
    if (c.colorimetry && !info.colorimetry) {
        info.colorimetry = colorimetry(*c.colorimetry);
    }
    if (c.hdmi && !info.hdmi) {
        info.hdmi = hdmiInfo(*c.hdmi);
    }
    if (c.hdmiForum && !info.hdmiForum) {
        info.hdmiForum = hdmiForumInfo(*c.hdmiForum);
    }
    if (c.vrrRange) {
        offerVRR(info, {c.vrrRange->minimum, c.vrrRange->maximum,
                        c.vrrRange->fromAMD ? VRRSource::AMD : VRRSource::HDMIForum});
    }
    // Model-only facts of the further blocks.
    if (c.hfSCDB && !info.hdmiForum) {
        info.hdmiForum = hdmiForumInfo(*c.hfSCDB);
    }
    addDynamicHDR(c, info);
    addCTADisplayIDTimings(raw, c, modes);
}

// The VESA display device data block's native pixel format (bytes 7-10), when it gives one.
std::optional<Resolution> displayDeviceNative(const CTADataBlockCollection& c) {
    if (!c.vesaDisplayDevice || c.vesaDisplayDevice->nativeWidth == 0 ||
        c.vesaDisplayDevice->nativeHeight == 0) {
        return std::nullopt;
    }
    return Resolution{c.vesaDisplayDevice->nativeWidth, c.vesaDisplayDevice->nativeHeight};
}

void ctaBlock(Bytes block, unsigned number, DisplayInfo& info, ModeList& modes,
              std::optional<Resolution>& deviceNative) {
    const CTABlock cta = cta::decodeBlock(block, number);
    if (!deviceNative) {
        deviceNative = displayDeviceNative(cta.dataBlocks);
    }
    // Byte 3 bits 5-4: YCbCr 4:4:4 and 4:2:2 besides RGB.
    if (cta.flags) {
        info.ycbcr444 = info.ycbcr444 || (*cta.flags & 0x20) != 0;
        info.ycbcr422 = info.ycbcr422 || (*cta.flags & 0x10) != 0;
    }
    const Bytes raw = cta.dataBlocks.blocks.empty()
                          ? Bytes{}
                          : block.subspan(4, cta.dtdOffset - 4u);  // the collection's bytes
    collection(raw, cta.dataBlocks, info, modes);
    for (const auto& dtd : cta.detailedTimings) {
        if (const auto timing = decode::decodeDetailedTiming(dtd)) {
            modes.add(timing->timing, ModeSource::CTADetailed);
        }
    }
}

// Byte 0 bit 0 of a descriptor: the panel's native range, preferred over the others.
void offerAdaptiveSync(const std::vector<DisplayIDAdaptiveSync>& descriptors, DisplayInfo& info) {
    const DisplayIDAdaptiveSync* chosen = nullptr;
    for (const DisplayIDAdaptiveSync& d : descriptors) {
        if (chosen == nullptr || ((d.flags & 1u) != 0 && (chosen->flags & 1u) == 0)) {
            chosen = &d;
        }
    }
    if (chosen != nullptr) {
        offerVRR(info, {chosen->minRefresh, chosen->maxRefresh, VRRSource::AdaptiveSync});
    }
}

VideoTiming fromDisplayID(const DisplayIDTiming& t) {
    return {t.pixelClockKHz,
            t.hActive,
            t.hBlank,
            t.hFrontPorch,
            t.hSyncWidth,
            t.vActive,
            t.vBlank,
            t.vFrontPorch,
            t.vSyncWidth,
            t.hSyncPositive,
            t.vSyncPositive,
            t.interlaced,
            0};
}

// A detailed DisplayID timing; its preferred flag counts only while no mode is preferred yet.
void addDisplayIDTiming(const DisplayIDTiming& t, ModeList& modes) {
    modes.add(fromDisplayID(t), ModeSource::DisplayID,
              {.preferred = t.preferred && !modes.hasPreferred()});
}

/// The modes of the DisplayID timing kinds beyond types I and VII, and the video timing range
/// limits (09h) when the base block gives none.
void displayIDFurtherKind(const displayid::TagInfo& tag, const DisplayIDDataBlock& db,
                          Bytes payload, DisplayInfo& info, ModeList& modes) {
    const auto addDetailed = [&](const std::vector<DisplayIDTiming>& timings) {
        for (const DisplayIDTiming& t : timings) {
            addDisplayIDTiming(t, modes);
        }
    };
    switch (tag.kind) {
        case displayid::Kind::TimingTypeII:
            addDetailed(displayid::decodeTypeIITimings(payload).items);
            break;
        case displayid::Kind::TimingTypeVI:
            addDetailed(displayid::decodeTypeVITimings(payload).items);
            break;
        case displayid::Kind::FormulaTimings:
            for (const DisplayIDFormulaTiming& t :
                 displayid::decodeFormulaTimings(db.tag, db.revision, payload).items) {
                if (t.height != 0) {
                    modes.addNominal(t.width, t.height, t.refresh, t.interlaced,
                                     ModeSource::DisplayID);
                }
            }
            break;
        case displayid::Kind::TimingCodes:
            for (const DisplayIDTimingCode& c :
                 displayid::decodeTimingCodes(db.tag, db.revision, payload).items) {
                // VICs and HDMI VICs have full timings; DMT codes give the format.
                const VideoTiming* full =
                    c.type == DisplayIDTimingCode::Type::VIC       ? cta::videoTiming(c.code)
                    : c.type == DisplayIDTimingCode::Type::HDMIVIC ? cta::hdmiVideoTiming(c.code)
                                                                   : nullptr;
                if (full != nullptr) {
                    const auto vic = c.type == DisplayIDTimingCode::Type::VIC
                                         ? static_cast<std::uint8_t>(c.code)
                                         : std::uint8_t{0};
                    modes.add(*full, ModeSource::DisplayID, {.vic = vic});
                } else if (c.type == DisplayIDTimingCode::Type::DMT && c.width != 0) {
                    modes.addNominal(c.width, c.height, c.refresh, false, ModeSource::DisplayID);
                }
            }
            break;
        case displayid::Kind::RangeLimits:
            if (!info.rangeLimits) {
                const DisplayIDRangeLimits r = displayid::decodeRangeLimits(payload);
                info.rangeLimits = RangeLimits{r.minVerticalHz, r.maxVerticalHz, r.minHorizontalKHz,
                                               r.maxHorizontalKHz, r.maxPixelClockKHz};
            }
            break;
        default:
            break;
    }
}

void displayIDBlock(const EDIDBlock& block, DisplayInfo& info, ModeList& modes,
                    std::optional<Resolution>& native) {
    const displayid::SectionHeader header = displayid::decodeSectionHeader(block);
    if (!header.payloadFits) {
        return;
    }
    const Bytes bytes(block.data(), block.size());
    for (const DisplayIDDataBlock& db :
         displayid::walkDataBlocks(block, header.payloadEnd).blocks) {
        const displayid::TagInfo* tag = displayid::findTag(db.tag, header.family);
        if (tag == nullptr || db.length < tag->minLength) {
            continue;
        }
        const Bytes payload = bytes.subspan(db.offset + 3, db.length);
        switch (tag->kind) {
            case displayid::Kind::TimingTypeI:
            case displayid::Kind::TimingTypeVII:
                for (std::size_t at = 0; at + displayid::kTimingSize <= payload.size();
                     at += displayid::kTimingSize) {
                    const DisplayIDTiming t =
                        displayid::decodeTiming(payload.subspan(at).first<displayid::kTimingSize>(),
                                                tag->kind == displayid::Kind::TimingTypeI ? 10 : 1);
                    addDisplayIDTiming(t, modes);
                }
                break;
            case displayid::Kind::TiledTopology:
                if (!info.tiledTopology) {
                    const DisplayIDTiledTopology t = displayid::decodeTiledTopology(payload);
                    info.tiledTopology =
                        TiledTopology{t.horizontalTiles, t.verticalTiles, t.column, t.row,
                                      t.tileWidth,       t.tileHeight};
                }
                break;
            case displayid::Kind::DisplayParameters:
                if (!native) {
                    const auto p =
                        displayid::decodeDisplayParameters(payload, db.revision, header.family);
                    if (p.nativeWidth != 0 && p.nativeHeight != 0) {
                        native = Resolution{p.nativeWidth, p.nativeHeight};
                    }
                }
                break;
            case displayid::Kind::CTAData:
                collection(payload, cta::decodeCollection(payload), info, modes);
                break;
            case displayid::Kind::AdaptiveSync:
                offerAdaptiveSync(displayid::decodeAdaptiveSync(payload), info);
                break;
            case displayid::Kind::DynamicRange:
                if (const auto r = displayid::decodeDynamicRange(payload, db.revision);
                    r.minRefresh != 0 && r.maxRefresh > r.minRefresh) {
                    offerVRR(info, {r.minRefresh, r.maxRefresh, VRRSource::DynamicRange});
                }
                break;
            default:
                displayIDFurtherKind(*tag, db, payload, info, modes);
                break;
        }
    }
}

/// The modes of a VESA video timing block extension (tag 10h): its detailed timings, the rates
/// of its CVT codes and its standard timings.
void videoTimingBlock(Bytes block, ModeList& modes) {
    const VESAVideoTimingBlock vtb =
        vesa::decodeVideoTimingBlock(vesa::Block(block.data(), layout::kBlockSize), 0);
    for (const VideoTiming& timing : vtb.detailedTimings) {
        modes.add(timing, ModeSource::VideoTimingBlock);
    }
    for (const VESACVTCode& code : vtb.cvtCodes) {
        cvtModes(code.width, code.lines, code.rates, ModeSource::VideoTimingBlock, modes);
    }
    for (const VESAStandardTiming& st : vtb.standardTimings) {
        if (st.valid && !st.unused) {
            modes.addNominal(st.width, st.height, st.refreshHz, false,
                             ModeSource::VideoTimingBlock);
        }
    }
}

RangeLimits rangeLimits(const decode::RangeLimitsDescriptor& r) {
    RangeLimits out{r.minVerticalHz, r.maxVerticalHz, r.minHorizontalKHz, r.maxHorizontalKHz, {}};
    if (r.maxPixelClockCode != 0) {
        out.maxPixelClockKHz = r.maxPixelClockKHz();
    }
    return out;
}

/// The native resolution: DisplayID's native format when given; else the preferred timing when
/// the base block says it holds the native format (1.4) ; else the first native VIC.
std::optional<Resolution> nativeResolution(const DisplayInfo& info, const decode::BaseBlock& base) {
    const auto resolution = [](const VideoTiming& t) {
        return Resolution{t.hActive, t.vActive * (t.interlaced ? 2 : 1)};
    };
    const bool nativeBit = !base.isRevision14OrLater() || base.features.preferredTimingNative;
    if (info.preferredMode && nativeBit) {
        return resolution(info.preferredMode->timing);
    }
    for (const SupportedMode& mode : info.modes) {
        if (mode.native) {
            return resolution(mode.timing);
        }
    }
    return std::nullopt;
}

}  // namespace

DisplayInfo buildDisplayInfo(std::span<const std::uint8_t> edid) {
    DisplayInfo info;
    if (edid.size() < layout::kBlockSize) {
        return info;
    }
    const decode::BaseBlock base = decode::decodeBaseBlock(edid.first<layout::kBlockSize>());
    identity(base, info);
    displayParameters(base, info);
    for (const decode::Descriptor& d : base.descriptors) {
        if (d.kind == decode::DescriptorKind::ProductName && info.productName.empty()) {
            info.productName = d.text;
        } else if (d.kind == decode::DescriptorKind::SerialNumber && info.serialText.empty()) {
            info.serialText = d.text;
        } else if (d.kind == decode::DescriptorKind::RangeLimits && !info.rangeLimits) {
            info.rangeLimits = rangeLimits(*d.range);
        }
    }

    // EDID 1.4 feature bit 0: the display takes any timing inside the range limits. Analog
    // multi-sync monitors set it too; only a digital input counts as a variable refresh range.
    if (info.rangeLimits && base.isRevision14OrLater() && base.features.continuousFrequency &&
        base.videoInput.digital) {
        offerVRR(info, {info.rangeLimits->minVerticalHz, info.rangeLimits->maxVerticalHz,
                        VRRSource::RangeLimits});
    }
    ModeList modes(info.modes);
    baseModes(base, modes);
    std::optional<Resolution> displayIDNative;
    std::optional<Resolution> deviceNative;
    const std::size_t blocks = std::min<std::size_t>(base.extensionCount, edid.size() / 128 - 1);
    info.extensionBlocks.reserve(blocks);
    for (std::size_t n = 1; n <= blocks; ++n) {
        const Bytes block = edid.subspan(n * layout::kBlockSize, layout::kBlockSize);
        info.extensionBlocks.push_back({static_cast<unsigned>(n), block[0]});
        if (block[0] == kTagCTA) {
            ctaBlock(block, static_cast<unsigned>(n), info, modes, deviceNative);
        } else if (block[0] == kTagDisplayID) {
            EDIDBlock copy;
            std::copy(block.begin(), block.end(), copy.begin());
            displayIDBlock(copy, info, modes, displayIDNative);
        } else if (block[0] == vesa::kTagVideoTimingBlock) {
            videoTimingBlock(block, modes);
        }
    }
    modes.finish();
    if (!info.modes.empty() && info.modes.front().preferred) {
        info.preferredMode = info.modes.front();
    }
    info.nativeResolution = displayIDNative ? displayIDNative : nativeResolution(info, base);
    // The display device data block comes last: the others describe the timings themselves.
    if (!info.nativeResolution) {
        info.nativeResolution = deviceNative;
    }
    if (info.nativeResolution) {
        for (SupportedMode& mode : info.modes) {
            const unsigned lines = mode.timing.vActive * (mode.timing.interlaced ? 2 : 1);
            mode.native =
                mode.native || (mode.timing.hActive == info.nativeResolution->width &&
                                lines == info.nativeResolution->height && !mode.timing.interlaced);
        }
        if (info.preferredMode) {
            info.preferredMode->native = info.modes.front().native;
        }
    }
    return info;
}

}  // namespace libEDID::model

namespace libEDID {

DisplayInfo decodeDisplayInfo(std::span<const std::uint8_t> edid) {
    return model::buildDisplayInfo(edid);
}

const VideoTiming* ctaVideoFormat(std::uint8_t vic) {
    return cta::videoTiming(vic);
}

const VideoTiming* hdmiVideoFormat(std::uint8_t hdmiVic) {
    return cta::hdmiVideoTiming(hdmiVic);
}

}  // namespace libEDID
