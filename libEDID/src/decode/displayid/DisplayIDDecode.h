#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "libEDID/DisplayID.h"
#include "libEDID/EDIDBlock.h"

// Pure decoders of DisplayID sections and data blocks: bytes in, plain structs out.
namespace libEDID::displayid {

/// The data-block tag set that a section's version selects: 1.x tags 00h-13h and 7Fh, 2.x tags
/// 20h-2Dh and 7Eh; 81h (CTA-861 data) in both.
enum class Family { V1, V2, Unknown };

/// What the library decodes of a data block.
enum class Kind {
    Other,
    Product,
    DisplayParameters,
    TimingTypeI,
    TimingTypeVII,
    TiledTopology,
    CTAData,
    VESATimings,
    CTATimings,
    Serial,
    String,
    Interface,
    ColorCharacteristics,
    Vendor,
    DynamicRange,
    InterfaceFeatures,
    AdaptiveSync,
    ContainerID,
    TimingTypeII,
    TimingTypeVI,
    FormulaTimings,  ///< types III, V, IX, X
    TimingCodes,     ///< types IV, VIII
    RangeLimits,
    DeviceData,
    PowerSequencing,
    TransferCharacteristics,
    StereoInterface
};

struct TagInfo {
    std::uint8_t tag;
    const char* nameKey;  ///< label of the block's kind
    Family family;        ///< Unknown: defined in both families
    Kind kind;
    unsigned minLength;  ///< the payload length the decoded fields need
};

/// The entry of `tag` among the tags of `family`; nullptr when the tag is reserved there. A
/// section of an unknown version accepts every tag of both families.
const TagInfo* findTag(std::uint8_t tag, Family family);

/// The section header, bytes 1-4 of a DisplayID extension block.
struct SectionHeader {
    unsigned version = 0;   ///< byte 1 bits 7-4
    unsigned revision = 0;  ///< byte 1 bits 3-0
    unsigned payloadLength = 0;
    unsigned productType = 0;
    unsigned extensionCount = 0;
    Family family = Family::Unknown;
    bool knownVersion = false;  ///< 1.0-1.3 or 2.0-2.1
    bool payloadFits = false;   ///< header, payload and checksum fit before the EDID checksum
    unsigned payloadEnd = 0;    ///< offset after the last payload byte inside the block
};

/// The section's payload starts here, after the tag byte and the 4-byte header.
constexpr unsigned kPayloadOffset = 5;
/// The largest payload: bytes 5-125, the section checksum at 126, the EDID checksum at 127.
constexpr unsigned kMaxPayloadLength = 121;

SectionHeader decodeSectionHeader(const EDIDBlock& block);

/// The section's bytes (1 to its checksum byte) sum to 00h. False when the payload does not fit.
bool sectionChecksumValid(const EDIDBlock& block, const SectionHeader& header);

/// The data blocks of the payload, in order. The walk ends at the payload's end, at filler (a
/// block header of 00h bytes: no data block has tag 00h and no payload), or at a block whose
/// header or payload runs past the end: that one is returned as `overrun`. Filler is 00h to
/// the payload's end; the offset of its first other byte is returned as `nonZeroFiller`.
struct DataBlockWalk {
    std::vector<DisplayIDDataBlock> blocks;
    std::optional<DisplayIDDataBlock> overrun;
    std::optional<unsigned> nonZeroFiller;
};
DataBlockWalk walkDataBlocks(const EDIDBlock& block, unsigned payloadEnd);

/// The size of one type I / type VII timing descriptor.
constexpr unsigned kTimingSize = 20;

/// One 20-byte timing descriptor; `clockUnitKHz`: 10 (type I) or 1 (type VII).
DisplayIDTiming decodeTiming(std::span<const unsigned char, kTimingSize> bytes,
                             unsigned clockUnitKHz);

/// The product identification payload (at least 12 bytes).
DisplayIDProduct decodeProduct(std::span<const unsigned char> payload, Family family);

/// The display parameters payload (at least 8 bytes); `revision` is the block's revision byte
/// (2.x: bit 7 set means image sizes in 1 mm units instead of 0.1 mm).
DisplayIDDisplayParameters decodeDisplayParameters(std::span<const unsigned char> payload,
                                                   std::uint8_t revision, Family family);

/// The tiled display topology payload (at least 8 bytes).
DisplayIDTiledTopology decodeTiledTopology(std::span<const unsigned char> payload);

// Decoders of the further kinds; each reads at most the block's minimum length (TagInfo)
// unless the comment says otherwise.
using Payload = std::span<const unsigned char>;
/// Every set bit of the bitmap, bit 0 of byte 0 first, as DMT IDs from 01h; IDs the DMT table
/// lacks are skipped (see dmtFormat).
std::vector<DisplayIDDMTTiming> decodeVESATimings(Payload payload);
/// Every set bit as a VIC from 1.
std::vector<std::uint8_t> decodeCTATimings(Payload payload);
DisplayIDInterface decodeInterface(Payload payload);
DisplayIDInterfaceFeatures decodeInterfaceFeatures(Payload payload);
/// `revision`: the block's revision byte; from revision 1 byte 8 adds maximum refresh bits.
DisplayIDDynamicRange decodeDynamicRange(Payload payload, std::uint8_t revision);
/// Every whole 6-byte descriptor.
std::vector<DisplayIDAdaptiveSync> decodeAdaptiveSync(Payload payload);
/// The points that byte 0 announces, as far as the payload holds them.
DisplayIDColorCharacteristics decodeColorCharacteristics(Payload payload);
DisplayIDVendorBlock decodeVendor(Payload payload);
/// The printable text of the whole payload.
std::string decodeText(Payload payload);

// Decoders of the timing kinds beyond types I and VII (DisplayIDTimingBlocks.cpp). A
// descriptor that the payload holds only in part is not decoded.

/// The whole descriptors of a timing block and the bytes left after them (a payload that is not
/// a multiple of `size`).
template <typename T>
struct Descriptors {
    std::vector<T> items;
    unsigned size = 0;  ///< the descriptor size (type VI: without the image size)
    unsigned leftover = 0;
};
/// Type II detailed timings: 11 bytes each, horizontal sizes in 8-pixel character cells.
Descriptors<DisplayIDTiming> decodeTypeIITimings(Payload payload);
/// Type VI detailed timings: 1 kHz clock, 14 bytes each, 17 when bit 6 of byte 2 adds the image
/// size (skipped).
Descriptors<DisplayIDTiming> decodeTypeVITimings(Payload payload);
/// Type III (3 bytes), V (7), IX (6) and X (6, or 7 when bits 6-4 of the revision byte are 1)
/// short timings; `tag` selects the layout.
Descriptors<DisplayIDFormulaTiming> decodeFormulaTimings(std::uint8_t tag, std::uint8_t revision,
                                                         Payload payload);
/// Type IV (1 byte) and VIII (1, or 2 when bit 3 of the revision byte is set) timing codes,
/// with the formats of the DMT, VIC and HDMI VIC tables.
Descriptors<DisplayIDTimingCode> decodeTimingCodes(std::uint8_t tag, std::uint8_t revision,
                                                   Payload payload);

// Decoders of the device blocks of 1.x and the stereo interface (DisplayIDDeviceBlocks.cpp);
// each reads at most the block's minimum length unless the comment says otherwise.
DisplayIDRangeLimits decodeRangeLimits(Payload payload);
DisplayIDDeviceData decodeDeviceData(Payload payload);
DisplayIDPowerSequencing decodePowerSequencing(Payload payload);
/// Byte 0 and every byte after it as a point.
DisplayIDTransferCharacteristics decodeTransferCharacteristics(Payload payload);
/// `revision`: the block's revision byte (bits 7-6: which timings carry stereo).
DisplayIDStereoInterface decodeStereoInterface(Payload payload, std::uint8_t revision);

}  // namespace libEDID::displayid
