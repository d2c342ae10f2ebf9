#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Bounds-checked reads of data block payloads, shared by the CTA-861 decoders.
namespace libEDID::cta::bytes {

/// The byte at `index`, or 0 past the end.
inline std::uint8_t at(std::span<const std::uint8_t> bytes, std::size_t index) {
    return index < bytes.size() ? bytes[index] : 0;
}

/// An IEEE OUI stored least significant byte first at `index` (00-0C-03 as 03 0C 00); 0 when
/// the three bytes are not all there.
inline std::uint32_t ouiAt(std::span<const std::uint8_t> bytes, std::size_t index) {
    if (index + 3 > bytes.size()) {
        return 0;
    }
    return bytes[index] | (bytes[index + 1] << 8) |
           (static_cast<std::uint32_t>(bytes[index + 2]) << 16);
}

}  // namespace libEDID::cta::bytes
