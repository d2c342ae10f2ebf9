#pragma once

// Read-only results of decoding CTA-861 extension blocks (tag 02h): plain numbers, no texts.
// EDIDParser::getCTABlocks() returns them after a parse with extension decoding on.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace libEDID {

/// The kinds of data block the decoder tells apart, by tag (byte 0 bits 7-5), extended tag
/// (byte 1 when the tag is 7) or vendor OUI (bytes 1-3 of a tag-3 block).
enum class CTADataBlockKind : std::uint8_t {
    Audio,                  ///< tag 1
    Video,                  ///< tag 2
    VendorSpecific,         ///< tag 3, an OUI other than HDMI and HDMI Forum
    HDMI,                   ///< tag 3, OUI 00-0C-03
    HDMIForum,              ///< tag 3, OUI C4-5D-D8
    SpeakerAllocation,      ///< tag 4
    VideoCapability,        ///< extended tag 0
    Colorimetry,            ///< extended tag 5
    HDRStaticMetadata,      ///< extended tag 6
    YCbCr420Video,          ///< extended tag 14
    YCbCr420CapabilityMap,  ///< extended tag 15
    Other,                  ///< any other tag or extended tag
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

/// The HDMI vendor-specific data block (OUI 00-0C-03).
struct CTAHDMIBlock {
    std::uint16_t physicalAddress = 0;  ///< A.B.C.D as nibbles, A in bits 15-12
    std::optional<std::uint8_t>
        flags;                  ///< byte 6: bit 6 DC_48bit, 5 DC_36bit, 4 DC_30bit, 3 DC_Y444
    unsigned maxTMDSClock = 0;  ///< MHz (byte 7 x 5); 0 when absent or not given
};

/// The HDMI Forum vendor-specific data block (OUI C4-5D-D8).
struct CTAHDMIForumBlock {
    std::uint8_t version = 0;
    unsigned maxTMDSRate = 0;  ///< MHz (byte 5 x 5); 0 when above 340 MHz is not supported
    bool scdc = false;         ///< byte 6 bit 7: SCDC present
    std::optional<std::uint8_t> maxFRL;  ///< byte 7 bits 7-4, when the byte is there
};

/// A variable refresh range in Hz.
struct CTAVRRRange {
    unsigned minimum = 0;
    unsigned maximum = 0;
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
