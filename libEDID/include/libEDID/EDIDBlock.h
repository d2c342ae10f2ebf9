#pragma once

#include <array>

namespace libEDID {

/// One 128-byte EDID block: the base block or one extension block.
using EDIDBlock = std::array<unsigned char, 128>;

}  // namespace libEDID
