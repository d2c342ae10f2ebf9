#pragma once

#include <cstdint>
#include <cstring>

namespace libEDID::detail {

/// Copies `length` bytes at `offset` of the `size` bytes at `data` to `out`; false, copying
/// nothing, when the range does not lie inside. The end is computed in 64 bits, so an offset
/// near the top of the 32-bit range never wraps to a small one.
inline bool copyInside(const unsigned char* data, std::uint64_t size, unsigned offset,
                       unsigned length, void* out) {
    if (static_cast<std::uint64_t>(offset) + length > size) {
        return false;
    }
    if (length != 0) {
        std::memcpy(out, data + offset, length);
    }
    return true;
}

}  // namespace libEDID::detail
