#pragma once

// The VESA extension blocks of an E-EDID other than CTA-861 and DisplayID, as decoded by
// EDIDParser with extension decoding on: block maps (tag F0h), video timing blocks (10h),
// display information (40h), localized strings (50h) and digital packet video link (60h).

#include <array>
#include <cstdint>
#include <vector>

#include "libEDID/DisplayInfo.h"

namespace libEDID {

/// A block map (tag F0h). Bytes 1-7Eh hold the tags of the 126 blocks that follow the map: a
/// map in block 1 describes blocks 2-127, a map in block 128 blocks 129-254; 00h marks an
/// unused entry.
struct VESABlockMap {
    unsigned blockNumber = 0;  ///< 1 = the first extension block
    std::array<std::uint8_t, 126> tags{};

    /// The block that entry `index` (0 = byte 1) describes.
    unsigned describedBlock(unsigned index) const { return blockNumber + 1 + index; }
};

/// A CVT 3-byte timing code of a video timing block.
struct VESACVTCode {
    unsigned lines = 0;              ///< addressable lines: (12-bit value + 1) x 2
    unsigned width = 0;              ///< from the lines and the aspect ratio, a multiple of 8
    std::uint8_t aspect = 0;         ///< byte 1 bits 3-2: 4:3, 16:9, 16:10, 15:9
    std::uint8_t preferredRate = 0;  ///< byte 2 bits 6-5: 50, 60, 75, 85 Hz
    std::uint8_t rates = 0;          ///< byte 2 bits 4-0: 50, 60, 75, 85 Hz, 60 Hz reduced blanking
    bool reservedBitSet = false;     ///< byte 1 bits 1-0 or byte 2 bit 7

    bool operator==(const VESACVTCode&) const = default;
};

/// A 2-byte standard timing code of a video timing block.
struct VESAStandardTiming {
    bool valid = false;   ///< false for a first byte of 00h
    bool unused = false;  ///< 01h 01h
    unsigned width = 0;
    unsigned height = 0;
    unsigned refreshHz = 0;

    bool operator==(const VESAStandardTiming&) const = default;
};

/// A video timing block extension (tag 10h): byte 1 the version, bytes 2-4 the counts of
/// detailed timings (18 bytes each), CVT codes (3 bytes) and standard timings (2 bytes), which
/// follow in that order from byte 5 and share the 122 bytes up to the checksum.
struct VESAVideoTimingBlock {
    unsigned blockNumber = 0;
    std::uint8_t version = 0;
    std::uint8_t detailedCount = 0;
    std::uint8_t cvtCount = 0;
    std::uint8_t standardCount = 0;
    /// The counts need more than the 122 bytes: only the descriptors that fit are decoded.
    bool countsOverflow = false;
    /// Detailed timings in order; one whose pixel clock is 0 is counted in invalidDetailed.
    std::vector<VideoTiming> detailedTimings;
    unsigned invalidDetailed = 0;
    std::vector<VESACVTCode> cvtCodes;
    std::vector<VESAStandardTiming> standardTimings;
    /// The offset of the first non-zero byte after the descriptors, 0 when all are 00h.
    unsigned nonZeroPadding = 0;
};

/// The interface section of a display information block (bytes 2-0Dh).
struct VESADIInterface {
    std::uint8_t type = 0;  ///< byte 2: 00h analog, 01h-0Ah the digital interfaces
    /// Byte 3 bits 7-6: 0 none, 1 version and release (bits 5-0 and byte 4; bytes 5-6),
    /// 2 letter designation (byte 4), 3 date code (bytes 4-6: year - 1990, week, day).
    std::uint8_t versionKind = 0;
    std::array<std::uint8_t, 4> versionBytes{};  ///< bytes 3-6 as stored
    std::uint8_t flags = 0;                      ///< byte 7, see VESADisplayInformation
    std::uint8_t dataFormat = 0;                 ///< byte 8: 15h, 19h, 24h, 48h, 49h
    unsigned minClockMHz = 0;                    ///< byte 9
    unsigned maxClockMHz = 0;                    ///< bytes 0Ah-0Bh, little-endian
    unsigned crossoverMHz = 0;                   ///< bytes 0Ch-0Dh; 0 or FFFFh: single link only
};

/// A display information extension (tag 40h), version 1.
struct VESADisplayInformation {
    unsigned blockNumber = 0;
    std::uint8_t version = 0;  ///< byte 1
    VESADIInterface displayInterface;
    // Display device, bytes 0Eh-13h.
    std::uint8_t subpixelLayout = 0;         ///< 0Eh: 1 RGB, 2 BGR, 3-4 quad pixel
    std::uint8_t subpixelConfiguration = 0;  ///< 0Fh: 1 delta, 2 stripe, 3 stripe offset, 4 quad
    std::uint8_t subpixelShape = 0;  ///< 10h: 1 round, 2 square, 3 rectangular, 4 oval, 5 ellipse
    unsigned hPitchHundredthMm = 0;  ///< 11h
    unsigned vPitchHundredthMm = 0;  ///< 12h
    std::uint8_t deviceFlags = 0;    ///< 13h, see docs
    // Capabilities, bytes 14h-26h.
    std::uint8_t miscCapabilities = 0;        ///< 14h
    std::uint8_t frameRateFlags = 0;          ///< 15h: bit 7 frame lock, bits 6-5 conversion
    unsigned vFrequencyHundredths = 0;        ///< 16h-17h
    unsigned hFrequencyHundredths = 0;        ///< 18h-19h
    std::uint8_t orientation = 0;             ///< 1Ah
    std::uint8_t defaultDecoding = 0;         ///< 1Bh
    std::uint8_t preferredDecoding = 0;       ///< 1Ch
    std::uint16_t decodingCapabilities = 0;   ///< 1Dh-1Eh as stored, kept as bits
    std::uint8_t depthFlags = 0;              ///< 1Fh: bit 7 dithering
    std::array<std::uint8_t, 6> bitDepths{};  ///< 20h-25h: blue, green, red, Cb, Y, Cr
    std::uint8_t aspectConversion = 0;        ///< 26h bits 7-4: full, zoom, squeeze, variable
    std::array<std::uint8_t, 42> unused{};    ///< 27h-50h, kept as stored
    // Transfer characteristic, bytes 51h-7Eh.
    std::uint8_t gammaKind = 0;     ///< 51h bits 7-6: 0 none, 1 white curve, 2 three curves
    std::uint8_t gammaEntries = 0;  ///< 51h bits 5-0: entries per curve
    /// The curves' entries: one white curve, or blue, green and red of up to 15 each.
    std::vector<std::vector<std::uint8_t>> gammaCurves;
};

/// A localized string extension (tag 50h): the header is decoded, the string sets are kept as
/// stored.
struct VESALocalizedStrings {
    unsigned blockNumber = 0;
    std::uint8_t version = 0;              ///< byte 1
    std::uint8_t revision = 0;             ///< byte 2
    std::array<std::uint8_t, 124> data{};  ///< bytes 3-7Eh
};

/// A digital packet video link extension (tag 60h): the version is decoded, the rest is kept as
/// stored.
struct VESAPacketVideoLink {
    unsigned blockNumber = 0;
    std::uint8_t version = 0;              ///< byte 1
    std::array<std::uint8_t, 125> data{};  ///< bytes 2-7Eh
};

/// Every VESA extension block decoded by a parse, each list in block order.
struct VESAExtensionBlocks {
    std::vector<VESABlockMap> blockMaps;
    std::vector<VESAVideoTimingBlock> videoTimingBlocks;
    std::vector<VESADisplayInformation> displayInformation;
    std::vector<VESALocalizedStrings> localizedStrings;
    std::vector<VESAPacketVideoLink> packetVideoLinks;

    bool empty() const {
        return blockMaps.empty() && videoTimingBlocks.empty() && displayInformation.empty() &&
               localizedStrings.empty() && packetVideoLinks.empty();
    }
};

}  // namespace libEDID
