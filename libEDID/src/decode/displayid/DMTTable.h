#pragma once

#include <cstdint>

// The VESA DMT IDs 01h-58h: the formats that DisplayID's VESA timing bitmap and other blocks
// refer to by ID.
namespace libEDID::displayid {

struct DMTFormat {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t refresh = 0;  ///< Hz, rounded
    bool reducedBlanking = false;
    bool interlaced = false;
};

/// The format of DMT ID `id`, or null when the ID has none.
const DMTFormat* dmtFormat(unsigned id);

}  // namespace libEDID::displayid
