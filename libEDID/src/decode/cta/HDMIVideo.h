#pragma once

#include <cstdint>
#include <span>

#include "libEDID/DisplayInfo.h"

namespace libEDID::cta {

/// The HDMI VICs of an HDMI vendor-specific data block, from its payload (the bytes after the
/// tag byte). Empty when the block has no HDMI video fields.
FixedList<std::uint8_t, 7> decodeHDMIVICs(std::span<const std::uint8_t> payload);

}  // namespace libEDID::cta
