#include "verifiers/StandardTiming.h"

#include <array>
#include <utility>

#include "parser/MessageBuilder.h"

namespace libEDID::detail {

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

void decodeStandardTimings(const unsigned char* codes, unsigned count, ModeList& modes,
                           const std::function<qor::String(unsigned position)>& offsetText,
                           const std::function<void(const LibEDIDLog&)>& log) {
    for (unsigned position = 0; position < 2 * count; position += 2) {
        const StandardTiming timing = decodeStandardTiming(codes[position], codes[position + 1]);
        switch (timing.kind) {
            case StandardTiming::Kind::Invalid: {
                log(makeMessage("InvalidStdTiming", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                                LibEDIDLog::LIBEDID_LOG_CAT_STD_TIMING,
                                {{"offset", offsetText(position)}}));
                break;
            }
            case StandardTiming::Kind::Unused:
                break;
            case StandardTiming::Kind::Mode:
                modes.addMode(timing.width, timing.height, timing.refresh);
                break;
        }
    }
}

}  // namespace libEDID::detail
