#pragma once

// Read-only results of decoding CTA-861 extension blocks (tag 02h): plain numbers, no texts.
// EDIDParser::getCTABlocks() returns them after a parse with extension decoding on.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "libEDID/VESAExtensions.h"

namespace libEDID {

/// The kinds of data block the decoder tells apart, by tag (byte 0 bits 7-5), extended tag
/// (byte 1 when the tag is 7) or vendor OUI (bytes 1-3 of a tag-3 block).
enum class CTADataBlockKind : std::uint8_t {
    Audio,                       ///< tag 1
    Video,                       ///< tag 2
    VendorSpecific,              ///< tag 3, an OUI other than HDMI and HDMI Forum
    HDMI,                        ///< tag 3, OUI 00-0C-03
    HDMIForum,                   ///< tag 3, OUI C4-5D-D8
    SpeakerAllocation,           ///< tag 4
    VideoCapability,             ///< extended tag 0
    Colorimetry,                 ///< extended tag 5
    HDRStaticMetadata,           ///< extended tag 6
    YCbCr420Video,               ///< extended tag 14
    YCbCr420CapabilityMap,       ///< extended tag 15
    Other,                       ///< any other tag or extended tag
    VendorVideo,                 ///< extended tag 1 (vendor-specific video, OUI in bytes 2-4)
    HDRDynamicMetadata,          ///< extended tag 7
    FormatPreference,            ///< extended tag 13
    VendorAudio,                 ///< extended tag 17
    HDMIAudio,                   ///< extended tag 18
    RoomConfiguration,           ///< extended tag 19
    SpeakerLocation,             ///< extended tag 20
    InfoFrame,                   ///< extended tag 32
    DisplayIDTiming,             ///< extended tags 34, 35, 42: DisplayID type VII, VIII, X timings
    HFEEODB,                     ///< extended tag 120: HDMI Forum EDID extension override
    HFSCDB,                      ///< extended tag 121: HDMI Forum sink capability
    VESADisplayDevice,           ///< extended tag 2: VESA display device data block
    VESAVideoTimingBlock,        ///< extended tag 3: VESA video timing block extension
    VESATransferCharacteristic,  ///< tag 5: VESA display transfer characteristic data block
    NativeResolution,            ///< extended tag 8: native video resolution
};

/// Where one data block sits in its collection.
struct CTADataBlockInfo {
    CTADataBlockKind kind = CTADataBlockKind::Other;
    std::uint8_t tag = 0;
    std::uint8_t extendedTag = 0;  ///< valid when tag is 7 and length is at least 1
    std::uint8_t length = 0;       ///< payload bytes after the tag byte (0-31)
    unsigned offset = 0;           ///< of the tag byte, from the start of the collection
};

/// One short video descriptor: a VIC, and whether the display calls it native.
struct CTAShortVideoDescriptor {
    std::uint8_t vic = 0;
    bool native = false;
};

/// One short audio descriptor (3 bytes).
struct CTAShortAudioDescriptor {
    std::uint8_t format = 0;         ///< audio format code, byte 0 bits 6-3
    std::uint8_t channels = 0;       ///< byte 0 bits 2-0 plus 1
    std::uint8_t sampleRates = 0;    ///< byte 1: bit 0 32 kHz, 44.1, 48, 88.2, 96, 176.4, 192
    std::uint8_t sampleSizes = 0;    ///< Linear PCM only, byte 2: bit 0 16 bits, 20, 24
    unsigned maxBitRate = 0;         ///< formats 2-8 only, in kbit/s (byte 2 x 8)
    std::uint8_t extensionType = 0;  ///< format 15 only, byte 2 bits 7-3
};

/// A vendor-specific data block: its IEEE OUI (as written 00-0C-03 = 000C03h).
struct CTAVendorBlock {
    std::uint32_t oui = 0;
    std::uint8_t length = 0;
};

/// One 3D format of the HDMI block: the index of a 2D video format (in the order of the video
/// data blocks), its 3D structure (0 frame packing ... 8 side-by-side half, 15 reserved) and,
/// for structures 8 and above, the 3D detail (bits 7-4 of the second byte).
struct CTAHDMI3DFormat {
    std::uint8_t vicIndex = 0;
    std::uint8_t structure = 0;
    std::optional<std::uint8_t> detail;
};

/// The HDMI vendor-specific data block (OUI 00-0C-03). Latency codes as stored: 0 unknown,
/// 1-251 (code - 1) x 2 ms, 255 no video or audio output; see cta::latencyMs.
struct CTAHDMIBlock {
    std::uint16_t physicalAddress = 0;  ///< A.B.C.D as nibbles, A in bits 15-12
    /// Byte 6: bit 7 Supports_AI, 6 DC_48bit, 5 DC_36bit, 4 DC_30bit, 3 DC_Y444, 0 DVI_Dual.
    std::optional<std::uint8_t> flags;
    unsigned maxTMDSClock = 0;  ///< MHz (byte 7 x 5); 0 when absent or not given
    /// Byte 8: bit 7 latency fields, 6 interlaced latency fields, 5 HDMI_Video_present,
    /// bits 3-0 content types CNC3-CNC0 (game, cinema, photo, graphics).
    std::optional<std::uint8_t> videoFlags;
    std::optional<std::uint8_t> videoLatency;
    std::optional<std::uint8_t> audioLatency;
    std::optional<std::uint8_t> interlacedVideoLatency;
    std::optional<std::uint8_t> interlacedAudioLatency;
    /// The byte after the latencies, when HDMI_Video_present: bit 7 3D_present, bits 6-5
    /// 3D_Multi_present, bits 4-3 Image_Size.
    std::optional<std::uint8_t> hdmiVideo;
    std::vector<std::uint8_t> hdmiVICs;         ///< HDMI VICs 1-4 (see cta::hdmiVideoFormat)
    std::optional<std::uint16_t> structureAll;  ///< 3D_Structure_ALL_15..0
    std::optional<std::uint16_t> mask3D;        ///< 3D_MASK_15..0: video formats 1-16
    std::vector<CTAHDMI3DFormat> formats3D;
    /// The HDMI VIC or 3D lengths announce more bytes than the block holds.
    bool truncated = false;
};

/// The HDMI Forum sink capability fields (vendor block C4-5D-D8, or extended tag 121), as
/// bytes: index 0 is the version byte.
struct CTAHDMIForumBlock {
    std::uint8_t version = 0;
    unsigned maxTMDSRate = 0;  ///< MHz (byte 5 x 5); 0 when above 340 MHz is not supported
    bool scdc = false;         ///< byte 6 bit 7: SCDC present
    std::optional<std::uint8_t> maxFRL;  ///< byte 7 bits 7-4, when the byte is there
    /// Byte 6: bit 7 SCDC_Present, 6 RR_Capable, 5 CABLE_STATUS, 4 CCBPCI,
    /// 3 LTE_340Mcsc_scramble, 2 3D_Independent_View, 1 3D_Dual_View, 0 3D_OSD_Disparity.
    std::uint8_t flags = 0;
    /// Byte 7 bits 3-0: UHD_VIC, DC_48bit_420, DC_36bit_420, DC_30bit_420.
    std::uint8_t deepColor420 = 0;
    /// Byte 8: bit 7 FAPA_End_Extended, 6 QMS, 5 M_delta, 4 CinemaVRR, 3 CNMVRR, 2 FVA,
    /// 1 ALLM, 0 FAPA_start_location.
    std::optional<std::uint8_t> features;
    /// Byte 11: bit 7 DSC_1p2, 6 DSC_Native_420, 5 QMS_TFRmax, 4 QMS_TFRmin, 3 DSC_All_bpp,
    /// 2 DSC_16bpc, 1 DSC_12bpc, 0 DSC_10bpc.
    std::optional<std::uint8_t> dscFlags;
    std::optional<std::uint8_t> dscMaxFRL;     ///< byte 12 bits 7-4 (codes of maxFRL)
    std::optional<std::uint8_t> dscMaxSlices;  ///< byte 12 bits 3-0 (see cta::dscSlices)
    /// Byte 13 bits 5-0: DSC_TotalChunkKBytes; the bytes are 1024 x (1 + code).
    std::optional<std::uint8_t> dscTotalChunk;
    bool fromSCDB = false;  ///< read from an HF-SCDB (extended tag 121)
};

/// The Dolby Vision vendor-specific video data block (extended tag 1, OUI 00-D0-46), decoded by
/// the layout of its version. Bytes are counted from the tag byte: byte 1 is the extended tag,
/// bytes 2-4 the OUI, byte 5 holds the version in bits 7-5. Chromaticities are CIE 1931 x, y.
struct CTADolbyVision {
    std::uint8_t version = 0;  ///< byte 5 bits 7-5: 0, 1, 2; 3-7 reserved
    /// The block has a length that its version defines (bytes after the tag byte): 25 for
    /// version 0, 11 or 14 for version 1, 11 for version 2. When false only `version` is set.
    bool lengthFits = false;
    /// Version 1 in 11 bytes: the primaries packed into bytes 8-11 (see below).
    bool packedPrimaries = false;
    /// Display management version: version 0 byte 21 bits 7-4 and 3-0; versions 1 and 2 byte 5
    /// bits 4-2 plus 2 (the minor number is not given there).
    std::uint8_t dmMajor = 0;
    std::optional<std::uint8_t> dmMinor;
    bool yuv422Bits12 = false;      ///< byte 5 bit 0: YUV 4:2:2 at 12 bits
    bool supports2160p60 = false;   ///< versions 0 and 1: byte 5 bit 1
    bool globalDimming = false;     ///< version 0: byte 5 bit 2; 1: byte 6 bit 0; 2: byte 6 bit 2
    bool backlightControl = false;  ///< version 2: byte 5 bit 1
    /// Version 2, byte 6 bits 1-0: the backlight's minimum luminance, 25 x (code + 1) cd/m2.
    std::uint8_t backlightMinLuma = 0;
    std::optional<bool> colorimetryP3;  ///< version 1, byte 7 bit 0: P3-D65, else BT.709
    /// Interface: version 1, byte 8 bits 1-0 (0 standard, 1 standard and low latency, 2-3
    /// reserved); version 2, byte 7 bits 1-0 (0 low latency, 1 low latency and low latency over
    /// HDMI, 2 standard and low latency, 3 all three).
    std::uint8_t interfaceKind = 0;
    /// Version 2, byte 8 bit 0 (high) and byte 9 bit 0 (low): RGB and YUV 4:4:4 at 0 not
    /// supported, 1 10 bits, 2 12 bits, 3 reserved.
    std::uint8_t rgbYUV444 = 0;
    /// Versions 0 and 2: the target luminances as 12-bit PQ codes (SMPTE ST 2084).
    std::optional<std::uint16_t> targetMinPQ;
    std::optional<std::uint16_t> targetMaxPQ;
    double minLuminance = 0;                     ///< cd/m2, from the PQ code or the version 1 code
    double maxLuminance = 0;                     ///< cd/m2
    std::array<double, 6> primaries{};           ///< red x, y, green x, y, blue x, y
    std::optional<std::array<double, 2>> white;  ///< version 0 only
};

/// A vendor-specific video or audio data block (extended tags 1 and 17): the OUI and, for the
/// layouts that are public, what they carry.
struct CTAVendorExtendedBlock {
    bool audio = false;
    std::uint32_t oui = 0;
    std::uint8_t length = 0;   ///< payload bytes after the extended tag
    std::uint8_t version = 0;  ///< Dolby: byte 5 bits 7-5; HDR10+: byte 5 bits 1-0
    /// Dolby Vision: the payload after the OUI (bytes 5-), as stored.
    std::vector<std::uint8_t> data;
    /// Dolby Vision (a video block with at least one byte after the OUI), decoded.
    std::optional<CTADolbyVision> dolbyVision;
};

/// One entry of the video format preference data block (extended tag 13): a short video
/// reference: 1-127 and 193-253 VICs, 129-144 the Nth detailed timing, 145-160 the Nth
/// DisplayID type VII timing, 161-175 the Nth type X timing.
struct CTAFormatPreference {
    std::uint8_t code = 0;
};

/// The HF-EEODB (extended tag 120): how many extension blocks the EDID has, overriding 7Eh.
struct CTAEEODB {
    std::uint8_t extensionCount = 0;
};

/// The InfoFrame data block (extended tag 32): the InfoFrame types the sink can take besides
/// the mandatory ones, and how many vendor-specific InfoFrames it can take at once.
struct CTAInfoFrames {
    unsigned vendorInfoFrames = 0;          ///< byte 3
    std::vector<std::uint8_t> types;        ///< InfoFrame type codes, in order
    std::vector<std::uint32_t> vendorOUIs;  ///< OUIs of vendor-specific InfoFrame descriptors
};

/// The room configuration data block (extended tag 19).
struct CTARoomConfiguration {
    bool display = false;            ///< byte 2 bit 7
    bool speakerCountValid = false;  ///< byte 2 bit 6
    bool locationsValid = false;     ///< byte 2 bit 5 (SLD)
    unsigned speakerCount = 0;       ///< byte 2 bits 4-0, + 1
    std::uint32_t speakers = 0;      ///< bytes 3-5, the speaker presence mask
};

/// One speaker location descriptor (extended tag 20).
struct CTASpeakerLocation {
    std::uint8_t channel = 0;                                ///< byte 0 bits 4-0
    bool active = false;                                     ///< byte 0 bit 5
    std::uint8_t speaker = 0;                                ///< byte 1 bits 4-0
    std::optional<std::array<std::uint8_t, 3>> coordinates;  ///< X, Y, Z when byte 0 bit 6
};

/// The HDMI audio data block (extended tag 18).
struct CTAHDMIAudio {
    unsigned maxStreams = 0;           ///< byte 2 bits 1-0, plus 1
    bool multiStreamNonMixed = false;  ///< byte 2 bit 2
    unsigned descriptors3D = 0;        ///< byte 3 bits 2-0
};

/// One HDR dynamic metadata type (extended tag 7): its type code and version.
struct CTAHDRDynamicType {
    std::uint16_t type = 0;
    std::uint8_t version = 0;
};

/// A DisplayID timing carried in a CTA data block (extended tags 34, 35, 42): the type and
/// the number of descriptors or codes.
struct CTADisplayIDTimings {
    std::uint8_t extendedTag = 0;
    unsigned count = 0;
};

/// The VESA display device data block (extended tag 2). Byte numbers count from the tag byte:
/// byte 1 is the extended tag, bytes 2-31 the fixed payload. Bit fields are kept as stored.
struct CTAVESADisplayDevice {
    std::uint8_t length = 0;             ///< the block's length field; the layout has 31
    std::uint8_t interfaceType = 0;      ///< byte 2 bits 7-4: 0 analog, 1 LVDS ... 0Ch M1 digital
    std::uint8_t interfaceLinks = 0;     ///< byte 2 bits 3-0: lanes or channels; analog: subtype
    std::uint8_t interfaceVersion = 0;   ///< byte 3 bits 7-4
    std::uint8_t interfaceRelease = 0;   ///< byte 3 bits 3-0
    std::uint8_t contentProtection = 0;  ///< byte 4: 0 none, 1 HDCP, 2 DTCP, 3 DPCP
    unsigned minClockMHz = 0;            ///< byte 5 bits 7-2
    unsigned maxClockMHz = 0;            ///< byte 5 bits 1-0 (bits 9-8) and byte 6
    unsigned nativeWidth = 0;            ///< bytes 7-8, least significant first
    unsigned nativeHeight = 0;           ///< bytes 9-10
    std::uint8_t aspectRatio = 0;        ///< byte 11: (long axis / short axis - 1) x 100
    /// Byte 12: bits 7-6 default orientation, 5-4 rotation, 3-2 zero pixel, 1-0 scan direction.
    std::uint8_t orientation = 0;
    std::uint8_t subpixelLayout = 0;  ///< byte 13: 0 not defined ... 0Ch, higher reserved
    unsigned hPitchHundredthMm = 0;   ///< byte 14
    unsigned vPitchHundredthMm = 0;   ///< byte 15
    /// Byte 16: bits 7-6 dithering, 5 direct drive, 4 overdrive not recommended,
    /// 3 deinterlacing, 2-0 reserved.
    std::uint8_t miscellaneous = 0;
    /// Byte 17: bit 7 audio over the video interface, 6 separate audio inputs, 5 audio input
    /// override, 4-0 reserved.
    std::uint8_t audioFlags = 0;
    std::uint8_t audioDelay = 0;  ///< byte 18: bit 7 sign (1 audio later), bits 6-0 in 2 ms
    /// Byte 19: bits 7-6 frame rate conversion, bits 5-0 the frame rate range in Hz.
    std::uint8_t frameRateConversion = 0;
    std::uint8_t nativeFrameRate = 0;  ///< byte 20, Hz
    std::uint8_t colorDepth = 0;       ///< byte 21: bits 7-4 interface, 3-0 device, minus one
    std::uint8_t additionalPrimaryCount = 0;  ///< byte 23 bits 1-0
    /// x and y of primaries 4, 5 and 6 in 1/1024: bits 9-2 in bytes 24-29, bits 1-0 in byte 22
    /// (primaries 4 and 5) and byte 23 bits 7-4 (primary 6).
    std::array<std::uint16_t, 6> additionalPrimaries{};
    std::uint8_t responseTime = 0;  ///< byte 30: bit 7 white to black, bits 6-0 ms
    std::uint8_t overscan = 0;      ///< byte 31: bits 7-4 horizontal, 3-0 vertical, percent
};

/// The VESA display transfer characteristic data block (tag 5): the luminance of one primary
/// or of white at 8, 16 or 32 evenly spaced input levels, from black to full, in 1/1023 of
/// the full luminance.
struct CTAVESATransferCharacteristic {
    std::uint8_t length = 0;  ///< the block's length field: 7, 15 or 31 in the layout
    std::uint8_t usage = 0;   ///< byte 1 bits 7-6: 0 white, 1 red, 2 green, 3 blue
    /// Byte 1 bits 5-0 the first point (the black level); each further byte adds to the point
    /// before it; the last point, 1023, is implied. As many points as the length plus one
    /// (none for an empty block); sums are kept as they come, even past 1023.
    std::vector<std::uint16_t> points;
};

/// The native video resolution data block (extended tag 8). Byte 2 is a short video reference
/// with the codes of the video format preference block; what follows it is kept as stored.
struct CTANativeResolution {
    std::uint8_t length = 0;                 ///< the block's length field, 2 at least
    std::uint8_t reference = 0;              ///< byte 2
    std::vector<std::uint8_t> furtherBytes;  ///< bytes 3 on, as stored
};

/// A variable refresh range in Hz.
struct CTAVRRRange {
    unsigned minimum = 0;
    unsigned maximum = 0;
    bool fromAMD = false;  ///< read from the AMD vendor block, not the HDMI Forum one
};

/// Video capability data block: quantization range selectability and scan behaviours
/// (0 not supported or no data, 1 always overscanned, 2 always underscanned, 3 both).
struct CTAVideoCapability {
    bool quantizationYCC = false;    ///< QY
    bool quantizationRGB = false;    ///< QS
    std::uint8_t preferredScan = 0;  ///< PT
    std::uint8_t itScan = 0;         ///< IT
    std::uint8_t ceScan = 0;         ///< CE
};

/// HDR static metadata data block. Luminances in cd/m2, each present when its byte is.
struct CTAHDRStaticMetadata {
    std::uint8_t transferFunctions = 0;  ///< bit 0 SDR gamma, 1 HDR gamma, 2 SMPTE ST 2084, 3 HLG
    std::uint8_t metadataTypes = 0;
    std::optional<double> maxLuminance;
    std::optional<double> maxFrameAverageLuminance;
    std::optional<double> minLuminance;
};

/// Everything decoded from one CTA-861 data block collection. Where a kind may appear once,
/// the first block of that kind is kept.
struct CTADataBlockCollection {
    std::vector<CTADataBlockInfo> blocks;  ///< every complete data block, in order
    /// Set when a data block runs past the end of the collection; decoding stopped there.
    std::optional<unsigned> overrunOffset;
    std::vector<CTAShortVideoDescriptor> videoFormats;  ///< all video data blocks concatenated
    std::vector<CTAShortAudioDescriptor> audioFormats;
    /// Bits 0-7: byte 1 (FL/FR ... FLw/FRw), 8-15: byte 2, 16-23: byte 3.
    std::optional<std::uint32_t> speakerAllocation;
    std::vector<CTAVendorBlock> vendorBlocks;
    std::optional<CTAHDMIBlock> hdmi;
    std::optional<CTAHDMIForumBlock> hdmiForum;
    /// From the HDMI Forum block's VRRmin/VRRmax when given, else from the AMD block.
    std::optional<CTAVRRRange> vrrRange;
    std::optional<CTAVideoCapability> videoCapability;
    /// Bits 0-7: xvYCC601 ... BT2020RGB (byte 2), bit 8: DCI-P3 (byte 3 bit 7).
    std::optional<std::uint16_t> colorimetry;
    std::optional<CTAHDRStaticMetadata> hdrStaticMetadata;
    std::vector<CTAShortVideoDescriptor> ycbcr420OnlyFormats;
    /// The capability map's bytes (bit i of byte j: video format 8j + i); empty bytes when the
    /// block is 1 byte long, which means every video format.
    std::optional<std::vector<std::uint8_t>> ycbcr420CapabilityMap;
    /// The HF-SCDB (extended tag 121), decoded like the HDMI Forum block.
    std::optional<CTAHDMIForumBlock> hfSCDB;
    std::optional<CTAEEODB> eeodb;
    std::vector<CTAVendorExtendedBlock> vendorExtendedBlocks;
    std::vector<CTAFormatPreference> formatPreferences;
    std::optional<CTAInfoFrames> infoFrames;
    std::optional<CTARoomConfiguration> roomConfiguration;
    std::vector<CTASpeakerLocation> speakerLocations;
    std::optional<CTAHDMIAudio> hdmiAudio;
    std::vector<CTAHDRDynamicType> hdrDynamicTypes;
    std::vector<CTADisplayIDTimings> displayIDTimings;
    std::optional<CTAVESADisplayDevice> vesaDisplayDevice;
    /// Extended tag 3: bytes 2-5 and the descriptors of a video timing block extension.
    std::optional<VESAVideoTimingBlock> vesaVideoTimingBlock;
    /// Every tag-5 block in order: one per primary, or one for white.
    std::vector<CTAVESATransferCharacteristic> vesaTransferCharacteristics;
    std::optional<CTANativeResolution> nativeResolution;
};

/// One CTA-861 extension block.
struct CTABlock {
    unsigned blockNumber = 0;  ///< 1 = the first extension block
    std::uint8_t revision = 0;
    std::uint8_t dtdOffset = 0;  ///< byte 2
    /// Byte 3, revision 2 and later: bit 7 underscan, 6 basic audio, 5 YCbCr 4:4:4,
    /// 4 YCbCr 4:2:2, bits 3-0 number of native detailed timings.
    std::optional<std::uint8_t> flags;
    CTADataBlockCollection dataBlocks;
    /// The detailed timing descriptors after the collection, in order.
    std::vector<std::array<std::uint8_t, 18>> detailedTimings;
};

}  // namespace libEDID
