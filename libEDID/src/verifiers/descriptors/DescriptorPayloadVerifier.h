#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

#include "decode/base/BaseBlockLayout.h"
#include "report/EDIDVerifier.h"

namespace libEDID {

namespace detail {

/// One display descriptor: bytes 0-1 zero, 2 reserved, 3 tag, 4 range-limit offsets (FDh) or
/// reserved, 5-17 payload.
using DisplayDescriptorBytes = std::array<unsigned char, layout::kDescriptorSize>;
/// Descriptor bytes 5 to 17, handed to the verifier of a tag.
using DescriptorPayload = std::array<unsigned char, layout::kDescriptorPayloadSize>;

/// A copy of the descriptor bytes from `first` on, as many as `Bytes` (a std::array) holds.
template <typename Bytes>
Bytes descriptorBytes(const DisplayDescriptorBytes& descriptor, std::size_t first) {
    constexpr std::size_t count = std::tuple_size_v<Bytes>;
    static_assert(count <= std::tuple_size_v<DisplayDescriptorBytes>);
    Bytes bytes{};
    first = std::min(first, descriptor.size() - count);
    std::copy_n(descriptor.begin() + static_cast<std::ptrdiff_t>(first), count, bytes.begin());
    return bytes;
}

}  // namespace detail

/// Base of the display-descriptor verifiers that judge the 13-byte payload of their descriptor
/// (descriptor bytes 05h to 11h), of which they keep their own copy.
class DescriptorPayloadVerifier : public EDIDVerifier {
  public:
    DescriptorPayloadVerifier(EDIDParser* owner, const detail::DescriptorPayload& bytes)
        : EDIDVerifier(owner), payload(bytes) {}

  protected:
    detail::DescriptorPayload payload;
};

}  // namespace libEDID
