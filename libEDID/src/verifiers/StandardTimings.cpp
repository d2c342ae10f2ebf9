#include "verifiers/StandardTimings.h"

#include "decode/base/StandardTiming.h"
#include "report/MessageBuilder.h"

namespace libEDID::detail {

void decodeStandardTimings(const unsigned char* codes, unsigned count, ModeList& modes,
                           const std::function<qor::String(unsigned position)>& offsetText,
                           const std::function<void(const LibEDIDLog&)>& log) {
    using decode::StandardTiming;
    for (unsigned position = 0; position < 2 * count; position += 2) {
        const StandardTiming timing =
            decode::decodeStandardTiming(codes[position], codes[position + 1]);
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
