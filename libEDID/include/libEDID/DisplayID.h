#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "libEDID/CTA861.h"

// What the parser decoded from the DisplayID extension blocks (tag 70h) of an EDID, filled when
// extension decoding is on (EDIDParser::setDecodeExtensions). Plain read-only data.
namespace libEDID {

/// A detailed timing of type I (tag 03h), II (04h), VI (13h) or VII (22h). Sizes are in pixels
/// and lines as they are meant (the stored "minus one" values already corrected).
struct DisplayIDTiming {
    std::uint32_t pixelClockKHz = 0;
    unsigned hActive = 0;
    unsigned hBlank = 0;
    unsigned hFrontPorch = 0;
    unsigned hSyncWidth = 0;
    unsigned vActive = 0;
    unsigned vBlank = 0;
    unsigned vFrontPorch = 0;
    unsigned vSyncWidth = 0;
    bool hSyncPositive = false;
    bool vSyncPositive = false;
    bool interlaced = false;
    bool preferred = false;
    unsigned aspectRatioCode = 0;  ///< bits 3-0 of the options byte (types I and VII)
    unsigned stereoCode = 0;       ///< bits 6-5 of the options byte

    /// Pixel clock / (total pixels x total lines); 0 when the totals are 0.
    double refreshHz() const {
        const double total = static_cast<double>(hActive + hBlank) * (vActive + vBlank);
        return total > 0 ? pixelClockKHz * 1000.0 / total : 0.0;
    }
};

/// The product identification block (tag 00h in 1.x, 20h in 2.x).
struct DisplayIDProduct {
    std::string manufacturer;  ///< 3 letters (1.x) or the IEEE OUI as "XX-XX-XX" (2.x)
    unsigned productCode = 0;
    std::uint32_t serialNumber = 0;
    unsigned week = 0;  ///< 0: not given; 1-54: week; 255: `year` is a model year
    unsigned year = 0;  ///< 2000 and later
    std::string name;
};

/// The image size and native format of the display parameters block (tag 01h or 21h).
struct DisplayIDDisplayParameters {
    unsigned imageWidthTenthMm = 0;  ///< 0.1 mm units
    unsigned imageHeightTenthMm = 0;
    unsigned nativeWidth = 0;  ///< pixels
    unsigned nativeHeight = 0;
};

/// The tiled display topology block (tag 12h or 28h): this tile's place in the tiled display.
struct DisplayIDTiledTopology {
    unsigned horizontalTiles = 0;
    unsigned verticalTiles = 0;
    unsigned column = 0;  ///< 0 = leftmost
    unsigned row = 0;     ///< 0 = top
    unsigned tileWidth = 0;
    unsigned tileHeight = 0;
    bool singleEnclosure = false;
};

/// A VESA DMT timing of the VESA timing bitmap (tag 07h): its DMT ID and format.
struct DisplayIDDMTTiming {
    std::uint8_t id = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned refresh = 0;  ///< Hz, rounded
    bool reducedBlanking = false;
    bool interlaced = false;
};

/// The display interface block of 1.x (tag 0Fh). Colour depths are bit sets: RGB and 4:4:4
/// bit 0 6 bpc, 1 8, 2 10, 3 12, 4 14, 5 16; 4:2:2 bit 0 8 bpc, 1 10, 2 12, 3 14, 4 16.
struct DisplayIDInterface {
    unsigned type = 0;   ///< byte 0 bits 7-4: 0 analog ... 0Ah DisplayPort, 0Bh proprietary
    unsigned lanes = 0;  ///< byte 0 bits 3-0: links or channels
    unsigned versionMajor = 0;
    unsigned versionMinor = 0;
    std::uint8_t rgbDepths = 0;
    std::uint8_t ycbcr444Depths = 0;
    std::uint8_t ycbcr422Depths = 0;
    unsigned contentProtection = 0;  ///< 0 none, 1 HDCP, 2 DTCP, 3 DPCP
    unsigned contentProtectionMajor = 0;
    unsigned contentProtectionMinor = 0;
    unsigned spreadType = 0;          ///< byte 7 bits 7-6: 0 none, 1 down, 2 centre
    unsigned spreadTenthPercent = 0;  ///< byte 7 bits 3-0
};

/// The display interface features block of 2.x (tag 26h). Depth bit sets as in
/// DisplayIDInterface (4:2:0 like 4:2:2).
struct DisplayIDInterfaceFeatures {
    std::uint8_t rgbDepths = 0;
    std::uint8_t ycbcr444Depths = 0;
    std::uint8_t ycbcr422Depths = 0;
    std::uint8_t ycbcr420Depths = 0;
    unsigned min420PixelRateMHz = 0;      ///< byte 4 x 74.25, rounded down; 0: every rate
    std::uint8_t audioRates = 0;          ///< byte 5 bits 7-5: 32, 44.1, 48 kHz
    std::uint8_t colorSpaces = 0;         ///< byte 6: colour space and EOTF combinations
    unsigned additionalCombinations = 0;  ///< byte 8
};

/// The dynamic video timing range limits block (tag 25h).
struct DisplayIDDynamicRange {
    std::uint32_t minPixelClockKHz = 0;
    std::uint32_t maxPixelClockKHz = 0;
    unsigned minRefresh = 0;  ///< Hz
    unsigned maxRefresh = 0;  ///< Hz (bits 9-8 in byte 8 from block revision 1)
    bool seamless = false;    ///< byte 8 bit 7: seamless dynamic video timing change
};

/// One descriptor of the adaptive sync block (tag 2Bh).
struct DisplayIDAdaptiveSync {
    std::uint8_t flags = 0;        ///< byte 0: bit 0 native panel range, the others as stored
    unsigned minRefresh = 0;       ///< Hz
    unsigned maxRefresh = 0;       ///< Hz
    std::uint8_t maxIncrease = 0;  ///< byte 1: maximum single frame duration increase
    std::uint8_t maxDecrease = 0;  ///< byte 5: maximum single frame duration decrease
};

/// The colour characteristics block of 1.x (tag 02h): CIE 1931 x, y of the primaries and
/// white points (12-bit values / 4096).
struct DisplayIDColorCharacteristics {
    bool temporal = false;
    std::vector<std::pair<double, double>> primaries;
    std::vector<std::pair<double, double>> whitePoints;
};

/// A vendor-specific block (tag 7Fh in 1.x, 7Eh in 2.x): the vendor's IEEE OUI.
struct DisplayIDVendorBlock {
    std::uint32_t oui = 0;  ///< stored least significant byte first
    unsigned length = 0;
};

/// How a formula-based timing is to be computed: the CVT blanking variant.
enum class DisplayIDBlanking : std::uint8_t {
    CVT,           ///< CVT standard blanking
    CVTReduced,    ///< CVT reduced blanking
    CVTReducedV2,  ///< CVT reduced blanking version 2
    CVTReducedV3,  ///< CVT reduced blanking version 3
    Reserved,      ///< a reserved formula code
};

/// A formula-based timing: type III (tag 05h) and V (11h) short timings of 1.x, type IX (24h)
/// and X (2Ah) of 2.x. Only the format is stored; the timing follows from the CVT formula.
struct DisplayIDFormulaTiming {
    std::uint8_t tag = 0;  ///< the data block's tag
    unsigned width = 0;
    unsigned height = 0;   ///< type III: from the width and the aspect ratio
    unsigned refresh = 0;  ///< Hz
    DisplayIDBlanking blanking = DisplayIDBlanking::CVT;
    unsigned formula = 0;          ///< the formula code as stored
    unsigned aspectRatioCode = 0;  ///< type III: 0 1:1, 1 5:4, 2 4:3, 3 15:9, 4 16:9, 5 16:10,
                                   ///< 6 64:27, 7 256:135
    unsigned stereoCode = 0;       ///< types V, IX: bits 6-5 of the options byte
    bool preferred = false;
    bool interlaced = false;      ///< type III only
    bool fractionalRate = false;  ///< the rate x 1000/1001 too (types V, IX, X)
};

/// A timing given by code: type IV (tag 06h, 1.x) and type VIII (23h, 2.x).
struct DisplayIDTimingCode {
    enum class Type : std::uint8_t { DMT, VIC, HDMIVIC, Reserved };
    std::uint8_t tag = 0;
    Type type = Type::DMT;  ///< bits 7-6 of the block's revision byte
    unsigned code = 0;      ///< DMT ID, VIC or HDMI VIC; 2-byte codes byte 0 | byte 1 << 8
    bool twoByte = false;   ///< type VIII with 2-byte codes (for DMT: the DMT's standard 2-byte
                            ///< code, its first byte in byte 0)
    /// The format of the code; 0 when the code has none.
    unsigned width = 0;
    unsigned height = 0;
    unsigned refresh = 0;          ///< Hz, rounded
    bool reducedBlanking = false;  ///< a DMT format with reduced blanking
    bool interlaced = false;
};

/// The video timing range limits block of 1.x (tag 09h).
struct DisplayIDRangeLimits {
    std::uint32_t minPixelClockKHz = 0;
    std::uint32_t maxPixelClockKHz = 0;
    unsigned minHorizontalKHz = 0;
    unsigned maxHorizontalKHz = 0;
    unsigned minHorizontalBlank = 0;  ///< pixels
    unsigned minVerticalHz = 0;
    unsigned maxVerticalHz = 0;
    unsigned minVerticalBlank = 0;   ///< lines
    bool interlaced = false;         ///< byte 14 bit 7
    bool cvt = false;                ///< bit 6: CVT standard blanking
    bool cvtReduced = false;         ///< bit 5: CVT reduced blanking
    bool discreteFrequency = false;  ///< bit 4: a discrete frequency display device
};

/// The display device data block of 1.x (tag 0Ch).
struct DisplayIDDeviceData {
    std::uint8_t technology = 0;         ///< byte 0: 00h-02h CRT, 10h-1Fh LCD, 20h-21h plasma, ...
    unsigned operatingMode = 0;          ///< byte 1 bits 7-4
    bool backlightSwitchable = false;    ///< byte 1 bit 3
    bool backlightAdjustable = false;    ///< byte 1 bit 2: intensity control
    unsigned nativeWidth = 0;            ///< pixels
    unsigned nativeHeight = 0;           ///< lines
    unsigned aspectRatioHundredths = 0;  ///< long axis / short axis x 100 (byte 6 + 100)
    std::uint8_t orientation = 0;  ///< byte 7: default orientation (7-6), rotation (5-4), zero
                                   ///< pixel (3-2), scan direction (1-0)
    std::uint8_t subpixelLayout = 0;
    unsigned pitchHundredthMmH = 0;  ///< 0.01 mm
    unsigned pitchHundredthMmV = 0;
    unsigned colorDepth = 0;  ///< bits per primary (byte 11 bits 3-0)
    unsigned responseTimeMs = 0;
    bool responseWhiteToBlack = false;  ///< byte 12 bit 7; else black to white
};

/// The interface power sequencing block of 1.x (tag 0Dh), the delays T1-T6 in ms.
struct DisplayIDPowerSequencing {
    unsigned t1MinTenthMs = 0;  ///< 0.1 ms
    unsigned t1MaxMs = 0;
    unsigned t2MaxMs = 0;
    unsigned t3MaxMs = 0;
    unsigned t4MinMs = 0;
    unsigned t5MinMs = 0;
    unsigned t6MinMs = 0;
};

/// The transfer characteristics block of 1.x (tag 0Eh): its first byte and the curve points
/// that follow, as stored.
struct DisplayIDTransferCharacteristics {
    std::uint8_t flags = 0;
    std::vector<std::uint8_t> points;
};

/// The stereo display interface block (tag 10h in 1.x, 27h in 2.x).
struct DisplayIDStereoInterface {
    unsigned timingSupport = 0;  ///< bits 7-6 of the block's revision byte
    unsigned method = 0;  ///< 0 field sequential, 1 side by side, 2 pixel interleaved, 3 dual
                          ///< interface, 4 multi-view, 5 proprietary
    std::vector<std::uint8_t> parameters;  ///< the method's parameter bytes
};

/// One data block of a section: its tag, its revision byte and payload length, and the offset
/// of its tag byte in the EDID block.
struct DisplayIDDataBlock {
    std::uint8_t tag = 0;
    std::uint8_t revision = 0;
    unsigned length = 0;
    unsigned offset = 0;
};

/// One DisplayID extension block: the section that starts at its byte 1.
struct DisplayIDSection {
    unsigned blockNumber = 0;  ///< 1 = the first extension block
    unsigned version = 0;      ///< 1 or 2
    unsigned revision = 0;
    unsigned payloadLength = 0;  ///< as stored (byte 2 of the block)
    unsigned productType = 0;    ///< product type (1.x) or primary use case (2.x)
    unsigned extensionCount = 0;
    std::vector<DisplayIDDataBlock> dataBlocks;  ///< the blocks that fit in the payload
    std::vector<DisplayIDTiming> timings;        ///< type I, II, VI and VII timings, in block order
    std::optional<DisplayIDProduct> product;
    std::optional<DisplayIDDisplayParameters> displayParameters;
    std::optional<DisplayIDTiledTopology> tiledTopology;
    std::vector<DisplayIDDMTTiming> dmtTimings;  ///< from the VESA timing bitmap (07h)
    std::vector<std::uint8_t> ctaVICs;           ///< from the CTA-861 timing bitmap (08h)
    std::optional<DisplayIDInterface> displayInterface;
    std::optional<DisplayIDInterfaceFeatures> interfaceFeatures;
    std::optional<DisplayIDDynamicRange> dynamicRange;
    std::vector<DisplayIDAdaptiveSync> adaptiveSync;
    std::optional<DisplayIDColorCharacteristics> colorCharacteristics;
    std::vector<DisplayIDVendorBlock> vendorBlocks;
    std::optional<std::string> serialNumber;                  ///< tag 0Ah
    std::vector<std::string> strings;                         ///< tag 0Bh
    std::optional<std::array<std::uint8_t, 16>> containerID;  ///< tag 29h
    std::vector<DisplayIDFormulaTiming> formulaTimings;       ///< types III, V, IX and X
    std::vector<DisplayIDTimingCode> timingCodes;             ///< types IV and VIII
    std::optional<DisplayIDRangeLimits> rangeLimits;
    std::optional<DisplayIDDeviceData> deviceData;
    std::optional<DisplayIDPowerSequencing> powerSequencing;
    std::optional<DisplayIDTransferCharacteristics> transferCharacteristics;
    std::optional<DisplayIDStereoInterface> stereoInterface;
    /// The payloads of the CTA-861 DisplayID data blocks (tag 81h), each a CTA-861 data block
    /// collection.
    std::vector<CTADataBlockCollection> ctaData;
    bool checksumValid = false;  ///< the section's bytes sum to 00h (false when unreachable)
};

}  // namespace libEDID
