#pragma once

#include <cstdint>
#include <span>

#include "libEDID/DisplayInfo.h"

namespace libEDID::model {

/// Builds the display model of a whole EDID (base block and extension blocks) from the pure
/// decoders. An EDID shorter than its base block gives an empty model; extension blocks that
/// the bytes do not hold completely are left out.
DisplayInfo buildDisplayInfo(std::span<const std::uint8_t> edid);

}  // namespace libEDID::model
