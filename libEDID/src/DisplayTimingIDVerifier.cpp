#include "DisplayTimingIDVerifier.h"

namespace libEDID {

namespace {

constexpr unsigned kIdentifierCount = 6;  // payload position 0Ch (descriptor byte 11h) unused

}  // namespace

void DisplayTimingIDVerifier::verify() {
    detail::ModeList modes;
    for (unsigned position = 0; position < 2 * kIdentifierCount; position += 2) {
        const detail::StandardTiming timing =
            detail::decodeStandardTiming(payload[position], payload[position + 1]);
        switch (timing.kind) {
            case detail::StandardTiming::Kind::Invalid: {
                // Numbered by the identifier's position within the payload.
                LibEDIDLog invalid =
                    detail::record("InvalidStdTiming", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                                   LibEDIDLog::LIBEDID_LOG_CAT_STD_TIMING);
                invalid.setVariable("offset", detail::hexByte(position));
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
    if (modes.isEmpty()) {
        return;
    }
    logMesgAndAppend(detail::reportedValue(detail::localized("StandardTimingsID"),
                                           detail::eol() + modes.text()));
    notifySysInfoProperty("StandardTimingsID", modes.values());
}

}  // namespace libEDID
