#include "decode/base/StandardTiming.h"

#include <array>
#include <utility>

namespace libEDID::decode {

StandardTiming decodeStandardTiming(unsigned char byte0, unsigned char byte1) {
    // Width and height parts of the aspect ratio, by the code in bits 7-6 of byte 1.
    static constexpr std::array<std::pair<unsigned, unsigned>, 4> kAspect{
        {{16, 10}, {4, 3}, {5, 4}, {16, 9}}};
    if (byte0 == 0x00) {
        return {StandardTiming::Kind::Invalid};
    }
    if (byte0 == 0x01 && byte1 == 0x01) {
        return {StandardTiming::Kind::Unused};
    }
    const unsigned width = byte0 * 8u + 248u;
    const auto [w, h] = kAspect[byte1 >> 6];
    return {StandardTiming::Kind::Mode, width, h * width / w, (byte1 & 0x3Fu) + 60u};
}

}  // namespace libEDID::decode
