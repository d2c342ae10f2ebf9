#include "decode/cta/CTADecoder.h"

#include <algorithm>
#include <cmath>

#include "decode/cta/PayloadBytes.h"

namespace libEDID::cta {

namespace {

// Data block header byte: bits 7-5 tag, bits 4-0 length of the payload.
constexpr unsigned kTagAudio = 1;
constexpr unsigned kTagVideo = 2;
constexpr unsigned kTagVendor = 3;
constexpr unsigned kTagSpeakers = 4;
constexpr unsigned kTagVESATransfer = 5;
constexpr unsigned kTagExtended = 7;

struct ExtendedKind {
    std::uint8_t extendedTag;
    CTADataBlockKind kind;
};
constexpr ExtendedKind kExtendedKinds[] = {
    {0, CTADataBlockKind::VideoCapability},
    {1, CTADataBlockKind::VendorVideo},
    {2, CTADataBlockKind::VESADisplayDevice},
    {3, CTADataBlockKind::VESAVideoTimingBlock},
    {5, CTADataBlockKind::Colorimetry},
    {6, CTADataBlockKind::HDRStaticMetadata},
    {7, CTADataBlockKind::HDRDynamicMetadata},
    {8, CTADataBlockKind::NativeResolution},
    {13, CTADataBlockKind::FormatPreference},
    {14, CTADataBlockKind::YCbCr420Video},
    {15, CTADataBlockKind::YCbCr420CapabilityMap},
    {17, CTADataBlockKind::VendorAudio},
    {18, CTADataBlockKind::HDMIAudio},
    {19, CTADataBlockKind::RoomConfiguration},
    {20, CTADataBlockKind::SpeakerLocation},
    {32, CTADataBlockKind::InfoFrame},
    {34, CTADataBlockKind::DisplayIDTiming},
    {35, CTADataBlockKind::DisplayIDTiming},
    {42, CTADataBlockKind::DisplayIDTiming},
    {kExtendedTagEEODB, CTADataBlockKind::HFEEODB},
    {kExtendedTagSCDB, CTADataBlockKind::HFSCDB},
};

// Header bytes of the extension block.
constexpr unsigned kHeaderSize = 4;
constexpr unsigned kChecksumOffset = 127;
constexpr unsigned kDTDSize = 18;

using bytes::at;

std::uint32_t oui(Bytes payload) {
    return bytes::ouiAt(payload, 0);
}

CTADataBlockKind kindOf(unsigned tag, Bytes payload) {
    switch (tag) {
        case kTagAudio:
            return CTADataBlockKind::Audio;
        case kTagVideo:
            return CTADataBlockKind::Video;
        case kTagSpeakers:
            return CTADataBlockKind::SpeakerAllocation;
        case kTagVESATransfer:
            return CTADataBlockKind::VESATransferCharacteristic;
        case kTagVendor:
            switch (oui(payload)) {
                case kOuiHDMI:
                    return CTADataBlockKind::HDMI;
                case kOuiHDMIForum:
                    return CTADataBlockKind::HDMIForum;
                default:
                    return CTADataBlockKind::VendorSpecific;
            }
        case kTagExtended:
            for (const ExtendedKind& entry : kExtendedKinds) {
                if (!payload.empty() && payload[0] == entry.extendedTag) {
                    return entry.kind;
                }
            }
            return CTADataBlockKind::Other;
        default:
            return CTADataBlockKind::Other;
    }
}

// Speaker allocation: three payload bytes, the third holding bits 16-23.
std::uint32_t speakerBits(Bytes payload) {
    return at(payload, 0) | (at(payload, 1) << 8) | (at(payload, 2) << 16);
}

// Video capability (extended tag 0), byte 1: bit 7 QY, bit 6 QS, bits 5-4 PT, 3-2 IT, 1-0 CE.
CTAVideoCapability videoCapability(Bytes payload) {
    const unsigned b = at(payload, 1);
    return {(b & 0x80) != 0, (b & 0x40) != 0, static_cast<std::uint8_t>((b >> 4) & 3),
            static_cast<std::uint8_t>((b >> 2) & 3), static_cast<std::uint8_t>(b & 3)};
}

// Colorimetry (extended tag 5): byte 1 the eight colorimetries, byte 2 bit 7 DCI-P3.
std::uint16_t colorimetryBits(Bytes payload) {
    return static_cast<std::uint16_t>(at(payload, 1) | ((at(payload, 2) & 0x80) << 1));
}

// AMD block: OUI, version, feature flags, then minimum and maximum refresh rate in Hz.
std::optional<CTAVRRRange> amdRange(Bytes payload) {
    if (payload.size() < 7) {
        return std::nullopt;
    }
    return CTAVRRRange{payload[5], payload[6], true};
}

// HDMI Forum block payload bytes 8-9: VRRmin in bits 5-0, VRRmax bits 9-8 in bits 7-6 of
// byte 8 and bits 7-0 in byte 9. A VRRmin of 0 means no variable refresh.
std::optional<CTAVRRRange> hdmiForumRange(Bytes payload) {
    if (payload.size() < 10 || (payload[8] & 0x3F) == 0) {
        return std::nullopt;
    }
    return CTAVRRRange{payload[8] & 0x3Fu, ((payload[8] & 0xC0u) << 2) | payload[9]};
}

// A display descriptor (bytes 0-2 00h, byte 3 its tag), which some blocks put among their
// timings: a dummy (tag 10h) or, in some TVs, one of the tags F7h-FFh (a serial number, a
// name). Other tags are reserved there: such a slot is padding.
bool isDisplayDescriptor(Bytes slot) {
    constexpr std::uint8_t kTagDummy = 0x10;
    constexpr std::uint8_t kFirstDefinedTag = 0xF7;
    return slot[2] == 0 && (slot[3] == kTagDummy || slot[3] >= kFirstDefinedTag);
}

// Calls `onTiming` with each detailed timing from `first` on, up to the checksum; a zero pixel
// clock (bytes 0-1) ends them unless the slot is a display descriptor, which is passed over.
// Returns where they end.
template <typename OnTiming>
unsigned forEachTiming(Bytes block, unsigned first, OnTiming&& onTiming) {
    unsigned pos = first;
    for (; pos + kDTDSize <= kChecksumOffset; pos += kDTDSize) {
        const Bytes slot = block.subspan(pos, kDTDSize);
        if (slot[0] != 0 || slot[1] != 0) {
            onTiming(slot);
        } else if (!isDisplayDescriptor(slot)) {
            break;
        }
    }
    return pos;
}

template <typename T>
void keepFirst(std::optional<T>& slot, const T& value) {
    if (!slot) {
        slot = value;
    }
}

// The kinds of extended tag added with HDMI 2.x and CTA-861-G and later.
void decodeExtendedPayload(const CTADataBlockInfo& info, Bytes payload,
                           CTADataBlockCollection& out) {
    switch (info.kind) {
        case CTADataBlockKind::HFSCDB:
            // Extended tag and two reserved bytes, then the version: 4 bytes at least.
            if (payload.size() >= 4 && !out.hfSCDB) {
                out.hfSCDB = decodeHDMIForum(payload);
                out.hfSCDB->fromSCDB = true;
                if (!out.vrrRange) {
                    out.vrrRange = hdmiForumRange(payload);
                }
            }
            break;
        case CTADataBlockKind::HFEEODB:
            if (payload.size() >= 2) {
                keepFirst(out.eeodb, CTAEEODB{payload[1]});
            }
            break;
        case CTADataBlockKind::VendorVideo:
        case CTADataBlockKind::VendorAudio:
            // Extended tag and OUI: 4 bytes at least.
            if (payload.size() >= 4) {
                out.vendorExtendedBlocks.push_back(decodeVendorExtended(payload));
            }
            break;
        case CTADataBlockKind::FormatPreference:
            for (const std::uint8_t code : payload.subspan(1)) {
                out.formatPreferences.push_back({code});
            }
            break;
        case CTADataBlockKind::InfoFrame:
            keepFirst(out.infoFrames, decodeInfoFrames(payload));
            break;
        case CTADataBlockKind::NativeResolution:
            // Extended tag and the reference; later bytes are kept as they are.
            if (payload.size() >= 2 && !out.nativeResolution) {
                out.nativeResolution = CTANativeResolution{
                    static_cast<std::uint8_t>(payload.size()), payload[1],
                    std::vector<std::uint8_t>(payload.begin() + 2, payload.end())};
            }
            break;
        case CTADataBlockKind::RoomConfiguration:
            keepFirst(out.roomConfiguration, decodeRoomConfiguration(payload));
            break;
        case CTADataBlockKind::SpeakerLocation:
            decodeSpeakerLocations(payload, out.speakerLocations);
            break;
        case CTADataBlockKind::HDMIAudio:
            keepFirst(out.hdmiAudio, decodeHDMIAudio(payload));
            break;
        case CTADataBlockKind::HDRDynamicMetadata:
            decodeHDRDynamicTypes(payload, out.hdrDynamicTypes);
            break;
        case CTADataBlockKind::DisplayIDTiming:
            out.displayIDTimings.push_back(decodeDisplayIDTimings(payload));
            break;
        case CTADataBlockKind::VESADisplayDevice:
            keepFirst(out.vesaDisplayDevice, decodeVESADisplayDevice(payload));
            break;
        case CTADataBlockKind::VESAVideoTimingBlock:
            keepFirst(out.vesaVideoTimingBlock, decodeVESAVideoTimingBlock(payload));
            break;
        default:
            break;
    }
}

void decodeBlockPayload(const CTADataBlockInfo& info, Bytes payload, CTADataBlockCollection& out,
                        std::optional<CTAVRRRange>& amd) {
    switch (info.kind) {
        case CTADataBlockKind::Audio:
            decodeAudioDescriptors(payload, out.audioFormats);
            break;
        case CTADataBlockKind::Video:
            decodeVideoDescriptors(payload, out.videoFormats);
            break;
        case CTADataBlockKind::SpeakerAllocation:
            keepFirst(out.speakerAllocation, speakerBits(payload));
            break;
        case CTADataBlockKind::VESATransferCharacteristic:
            out.vesaTransferCharacteristics.push_back(decodeVESATransferCharacteristic(payload));
            break;
        case CTADataBlockKind::HDMI:
            // Physical address (payload bytes 3-4) is the least an HDMI block carries.
            if (payload.size() >= 5) {
                keepFirst(out.hdmi, decodeHDMI(payload));
            }
            break;
        case CTADataBlockKind::HDMIForum:
            if (!out.hdmiForum) {
                out.hdmiForum = decodeHDMIForum(payload);
                out.vrrRange = hdmiForumRange(payload);
            }
            break;
        case CTADataBlockKind::VendorSpecific:
            if (oui(payload) == kOuiAMD && !amd) {
                amd = amdRange(payload);
            }
            break;
        case CTADataBlockKind::VideoCapability:
            keepFirst(out.videoCapability, videoCapability(payload));
            break;
        case CTADataBlockKind::Colorimetry:
            keepFirst(out.colorimetry, colorimetryBits(payload));
            break;
        case CTADataBlockKind::HDRStaticMetadata:
            // Extended tag, transfer functions and metadata types are the least it carries.
            if (payload.size() >= 3) {
                keepFirst(out.hdrStaticMetadata, decodeHDRStaticMetadata(payload));
            }
            break;
        case CTADataBlockKind::YCbCr420Video:
            decodeVideoDescriptors(payload.subspan(1), out.ycbcr420OnlyFormats);
            break;
        case CTADataBlockKind::YCbCr420CapabilityMap:
            if (!out.ycbcr420CapabilityMap) {
                out.ycbcr420CapabilityMap.emplace(payload.begin() + 1, payload.end());
            }
            break;
        default:
            decodeExtendedPayload(info, payload, out);
            break;
    }
}

}  // namespace

void decodeVideoDescriptors(Bytes payload, std::vector<CTAShortVideoDescriptor>& out) {
    // Bytes 129-192 are native formats with VIC = byte & 7Fh; every other byte is the VIC.
    for (const std::uint8_t svd : payload) {
        const bool native = svd >= 129 && svd <= 192;
        out.push_back({static_cast<std::uint8_t>(native ? svd & 0x7F : svd), native});
    }
}

void decodeAudioDescriptors(Bytes payload, std::vector<CTAShortAudioDescriptor>& out) {
    for (std::size_t i = 0; i + 3 <= payload.size(); i += 3) {
        CTAShortAudioDescriptor sad;
        sad.format = (payload[i] >> 3) & 0x0F;
        sad.channels = static_cast<std::uint8_t>((payload[i] & 0x07) + 1);
        sad.sampleRates = payload[i + 1] & 0x7F;
        const std::uint8_t third = payload[i + 2];
        if (sad.format == 1) {
            sad.sampleSizes = third & 0x07;
        } else if (sad.format >= 2 && sad.format <= 8) {
            sad.maxBitRate = third * 8u;
        } else if (sad.format == 15) {
            sad.extensionType = third >> 3;
        }
        out.push_back(sad);
    }
}

namespace {

// The optional byte at `pos` when the payload holds it; `pos` moves past it either way.
std::optional<std::uint8_t> next(Bytes payload, std::size_t& pos) {
    const std::size_t index = pos++;
    return index < payload.size() ? std::optional<std::uint8_t>(payload[index]) : std::nullopt;
}

// The 3D part of the HDMI block, `length` bytes from `pos`: 3D_Structure_ALL (2 bytes) when
// 3D_Multi_present is 1 or 2, 3D_MASK (2 bytes) when it is 2, then the 2D_VIC_order entries:
// bits 7-4 the index of a video format, bits 3-0 its 3D structure; structures 8 and above
// add a byte with the 3D detail in bits 7-4.
void decodeHDMI3D(Bytes payload, std::size_t pos, std::size_t length, CTAHDMIBlock& hdmi) {
    const std::size_t end = pos + length;
    const unsigned multi = (*hdmi.hdmiVideo >> 5) & 3u;
    const auto word = [&](std::size_t at16) {
        return static_cast<std::uint16_t>((payload[at16] << 8) | payload[at16 + 1]);
    };
    if ((multi == 1 || multi == 2) && pos + 2 <= end) {
        hdmi.structureAll = word(pos);
        pos += 2;
    }
    if (multi == 2 && pos + 2 <= end) {
        hdmi.mask3D = word(pos);
        pos += 2;
    }
    while (pos < end) {
        CTAHDMI3DFormat format;
        format.vicIndex = payload[pos] >> 4;
        format.structure = payload[pos] & 0x0F;
        if (format.structure >= 8) {
            if (pos + 1 >= end) {
                hdmi.truncated = true;
                break;
            }
            format.detail = static_cast<std::uint8_t>(payload[pos + 1] >> 4);
            ++pos;
        }
        ++pos;
        hdmi.formats3D.push_back(format);
    }
}

}  // namespace

// Payload: OUI (0-2), physical address A.B.C.D (3-4), flags (5), max TMDS clock / 5 MHz (6),
// then, each when the byte before says so, the latency and HDMI video fields (see CTAHDMIBlock).
CTAHDMIBlock decodeHDMI(Bytes payload) {
    CTAHDMIBlock hdmi;
    hdmi.physicalAddress = static_cast<std::uint16_t>((at(payload, 3) << 8) | at(payload, 4));
    if (payload.size() > 5) {
        hdmi.flags = payload[5];
    }
    hdmi.maxTMDSClock = at(payload, 6) * 5u;
    std::size_t pos = 7;
    hdmi.videoFlags = next(payload, pos);
    if (!hdmi.videoFlags) {
        return hdmi;
    }
    const std::uint8_t flags = *hdmi.videoFlags;
    if ((flags & 0x80) != 0) {
        hdmi.videoLatency = next(payload, pos);
        hdmi.audioLatency = next(payload, pos);
    }
    if ((flags & 0x40) != 0) {
        hdmi.interlacedVideoLatency = next(payload, pos);
        hdmi.interlacedAudioLatency = next(payload, pos);
    }
    if ((flags & 0x20) == 0) {
        hdmi.truncated = pos > payload.size();
        return hdmi;
    }
    hdmi.hdmiVideo = next(payload, pos);
    const std::optional<std::uint8_t> lengths = next(payload, pos);
    if (!hdmi.hdmiVideo || !lengths) {
        hdmi.hdmiVideo.reset();
        hdmi.truncated = true;
        return hdmi;
    }
    // HDMI_VIC_LEN in bits 7-5, HDMI_3D_LEN in bits 4-0.
    const std::size_t vicLength = *lengths >> 5;
    const std::size_t length3D = *lengths & 0x1Fu;
    const std::size_t vicEnd = std::min(pos + vicLength, payload.size());
    hdmi.hdmiVICs.assign(payload.begin() + static_cast<std::ptrdiff_t>(std::min(pos, vicEnd)),
                         payload.begin() + static_cast<std::ptrdiff_t>(vicEnd));
    pos += vicLength;
    hdmi.truncated = pos + length3D > payload.size();
    if (pos < payload.size()) {
        decodeHDMI3D(payload, pos, std::min(length3D, payload.size() - pos), hdmi);
    }
    return hdmi;
}

// Payload: OUI (0-2; an HF-SCDB has its extended tag and two reserved bytes there), version
// (3), max TMDS character rate / 5 MHz (4), flags (5), max FRL rate and 4:2:0 deep colour (6),
// features (7), VRR range (8-9), DSC flags (10), DSC FRL rate and slices (11), DSC total chunk
// (12); see CTAHDMIForumBlock.
CTAHDMIForumBlock decodeHDMIForum(Bytes payload) {
    CTAHDMIForumBlock forum;
    forum.version = at(payload, 3);
    forum.maxTMDSRate = at(payload, 4) * 5u;
    forum.flags = at(payload, 5);
    forum.scdc = (forum.flags & 0x80) != 0;
    std::size_t pos = 6;
    if (const auto frl = next(payload, pos)) {
        forum.maxFRL = static_cast<std::uint8_t>(*frl >> 4);
        forum.deepColor420 = *frl & 0x0F;
    }
    forum.features = next(payload, pos);
    pos = 10;
    forum.dscFlags = next(payload, pos);
    if (const auto dsc = next(payload, pos)) {
        forum.dscMaxFRL = static_cast<std::uint8_t>(*dsc >> 4);
        forum.dscMaxSlices = static_cast<std::uint8_t>(*dsc & 0x0F);
    }
    if (const auto chunk = next(payload, pos)) {
        forum.dscTotalChunk = static_cast<std::uint8_t>(*chunk & 0x3F);
    }
    return forum;
}

// Payload: extended tag (0), transfer functions (1), metadata types (2), then the optional
// luminance code values: max (3) and max frame average (4) give 50 x 2^(CV/32) cd/m2, min (5)
// gives max x (CV/255)^2 / 100 cd/m2.
CTAHDRStaticMetadata decodeHDRStaticMetadata(Bytes payload) {
    CTAHDRStaticMetadata hdr;
    hdr.transferFunctions = at(payload, 1);
    hdr.metadataTypes = at(payload, 2);
    const auto luminance = [](unsigned code) { return 50.0 * std::pow(2.0, code / 32.0); };
    if (payload.size() > 3) {
        hdr.maxLuminance = luminance(payload[3]);
    }
    if (payload.size() > 4) {
        hdr.maxFrameAverageLuminance = luminance(payload[4]);
    }
    if (payload.size() > 5) {
        const double ratio = payload[5] / 255.0;
        hdr.minLuminance = *hdr.maxLuminance * ratio * ratio / 100.0;
    }
    return hdr;
}

namespace {

// Counts the data blocks, short video and audio descriptors, vendor blocks and YCbCr 4:2:0
// video descriptors first, so that each of those lists takes one allocation at most.
void reserveLists(Bytes collection, CTADataBlockCollection& out) {
    std::size_t blocks = 0;
    std::size_t videos = 0;
    std::size_t audios = 0;
    std::size_t vendors = 0;
    std::size_t ycbcr420 = 0;
    for (std::size_t offset = 0; offset < collection.size();
         offset += 1 + (collection[offset] & 0x1Fu)) {
        const unsigned tag = collection[offset] >> 5;
        const unsigned length = collection[offset] & 0x1Fu;
        ++blocks;
        videos += tag == kTagVideo ? length : 0;
        audios += tag == kTagAudio ? length / 3 : 0;
        vendors += tag == kTagVendor ? 1 : 0;
        const bool only420 = tag == kTagExtended && length > 0 && offset + 1 < collection.size() &&
                             collection[offset + 1] == 14;  // YCbCr 4:2:0 video data block
        ycbcr420 += only420 ? length - 1 : 0;
    }
    out.ycbcr420OnlyFormats.reserve(ycbcr420);
    out.blocks.reserve(blocks);
    out.videoFormats.reserve(videos);
    out.audioFormats.reserve(audios);
    out.vendorBlocks.reserve(vendors);
}

}  // namespace

CTADataBlockCollection decodeCollection(Bytes collection) {
    CTADataBlockCollection out;
    reserveLists(collection, out);
    std::optional<CTAVRRRange> amd;
    for (std::size_t offset = 0; offset < collection.size();) {
        const unsigned tag = collection[offset] >> 5;
        const unsigned length = collection[offset] & 0x1F;
        if (offset + 1 + length > collection.size()) {
            out.overrunOffset = static_cast<unsigned>(offset);
            break;
        }
        const Bytes payload = collection.subspan(offset + 1, length);
        CTADataBlockInfo info;
        info.kind = kindOf(tag, payload);
        info.tag = static_cast<std::uint8_t>(tag);
        info.extendedTag = tag == kTagExtended ? at(payload, 0) : 0;
        info.length = static_cast<std::uint8_t>(length);
        info.offset = static_cast<unsigned>(offset);
        out.blocks.push_back(info);
        if (tag == kTagVendor) {
            out.vendorBlocks.push_back({oui(payload), info.length});
        }
        decodeBlockPayload(info, payload, out, amd);
        offset += 1 + length;
    }
    if (!out.vrrRange) {
        out.vrrRange = amd;
    }
    return out;
}

std::optional<std::uint8_t> eeodbExtensionCount(Bytes block) {
    // Revision 3 and later carry data blocks from byte 4; the HF-EEODB must come first.
    if (block.size() < 7 || block[0] != 0x02 || block[1] < 3 || block[2] < 7) {
        return std::nullopt;
    }
    const unsigned header = block[4];
    if (header >> 5 != kTagExtended || (header & 0x1F) < 2 || block[5] != kExtendedTagEEODB) {
        return std::nullopt;
    }
    return block[6];
}

bool validDTDOffset(std::uint8_t offset) {
    return offset == 0 || (offset >= kHeaderSize && offset < kChecksumOffset + 1);
}

unsigned paddingOffset(Bytes block) {
    const std::uint8_t dtdOffset = at(block, 2);
    return dtdOffset == 0 ? kHeaderSize : forEachTiming(block, dtdOffset, [](Bytes) {});
}

CTABlock decodeBlock(Bytes block, unsigned blockNumber) {
    CTABlock out;
    out.blockNumber = blockNumber;
    out.revision = at(block, 1);
    out.dtdOffset = at(block, 2);
    if (out.revision != 1) {
        out.flags = at(block, 3);
    }
    if (!validDTDOffset(out.dtdOffset) || out.dtdOffset == 0) {
        return out;
    }
    // Revisions 1 and 2 carry no data blocks.
    if (out.revision > 2 || out.revision == 0) {
        out.dataBlocks = decodeCollection(block.subspan(kHeaderSize, out.dtdOffset - kHeaderSize));
    }
    out.detailedTimings.reserve((kChecksumOffset - out.dtdOffset) / kDTDSize);
    forEachTiming(block, out.dtdOffset, [&](Bytes timing) {
        std::array<std::uint8_t, kDTDSize> dtd{};
        std::copy_n(timing.begin(), kDTDSize, dtd.begin());
        out.detailedTimings.push_back(dtd);
    });
    return out;
}

}  // namespace libEDID::cta
