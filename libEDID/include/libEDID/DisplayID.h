#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "libEDID/CTA861.h"

// What the parser decoded from the DisplayID extension blocks (tag 70h) of an EDID, filled when
// extension decoding is on (EDIDParser::setDecodeExtensions). Plain read-only data.
namespace libEDID {

/// A type I (tag 03h) or type VII (tag 22h) detailed timing. Sizes are in pixels and lines as
/// they are meant (the stored "minus one" values already corrected).
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
    unsigned aspectRatioCode = 0;  ///< bits 3-0 of the options byte
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
    std::vector<DisplayIDTiming> timings;        ///< type I and VII timings, in block order
    std::optional<DisplayIDProduct> product;
    std::optional<DisplayIDDisplayParameters> displayParameters;
    std::optional<DisplayIDTiledTopology> tiledTopology;
    /// The payloads of the CTA-861 DisplayID data blocks (tag 81h), each a CTA-861 data block
    /// collection.
    std::vector<CTADataBlockCollection> ctaData;
    bool checksumValid = false;  ///< the section's bytes sum to 00h (false when unreachable)
};

}  // namespace libEDID
