#pragma once

#include "decode/displayid/DisplayIDDecode.h"
#include "libEDID/DisplayID.h"
#include "qor/String.h"

// The texts of decoded DisplayID values, as reports and properties show them.
namespace libEDID::displayid {

/// "1.3", "2.0".
qor::String versionText(const SectionHeader& header);

/// The label key of the product type (1.x) or primary use case (2.x) code.
const char* productTypeKey(Family family, unsigned code);

/// "22h, 20 bytes".
qor::String dataBlockText(const DisplayIDDataBlock& block);

/// "1920 x 1080 @ 143.84Hz, 632.01 MHz", then ", interlaced" and ", preferred" where they apply.
qor::String timingText(const DisplayIDTiming& timing);

/// "ABC, product 04B6h, serial 0000002Ah, week 12 of 2019", then ", \"name\"" when named;
/// "model year 2019" for week FFh, the year alone for week 0.
qor::String productText(const DisplayIDProduct& product);

/// "699.4 x 393.4 mm, 6016 x 3384 pixels".
qor::String displayParametersText(const DisplayIDDisplayParameters& parameters);

/// "2 x 1 tiles of 1920 x 2160 at 0, 0".
qor::String tiledTopologyText(const DisplayIDTiledTopology& tiled);

}  // namespace libEDID::displayid
