#include "StdTimingsVerifier.h"

namespace libEDID {

namespace {

constexpr unsigned kFirstEntryOffset = 0x26;
constexpr unsigned kEntryCount = 8;

}  // namespace

void StdTimingsVerifier::verify() {
    detail::ModeList modes;
    for (unsigned entry = 0; entry < kEntryCount; ++entry) {
        const unsigned offset = kFirstEntryOffset + 2 * entry;
        const detail::StandardTiming timing =
            detail::decodeStandardTiming(baseBlock()[offset], baseBlock()[offset + 1]);
        switch (timing.kind) {
            case detail::StandardTiming::Kind::Invalid: {
                LibEDIDLog invalid("InvalidStdTiming", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                                   LibEDIDLog::LIBEDID_LOG_CAT_STD_TIMING);
                invalid.setVariable("offset", qor::SprintfFormat("%Xh", offset));
                logMesg(invalid);
                break;
            }
            case detail::StandardTiming::Kind::Unused:
                break;
            case detail::StandardTiming::Kind::Mode:
                modes.add(detail::modeText(timing.width, timing.height, timing.refresh));
                break;
        }
    }
    reportModeList("ReportedStdTimings", modes);
}

}  // namespace libEDID
