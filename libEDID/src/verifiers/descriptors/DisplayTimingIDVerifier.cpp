#include "verifiers/descriptors/DisplayTimingIDVerifier.h"

#include "verifiers/StandardTimings.h"

namespace libEDID {

namespace {

constexpr unsigned kIdentifierCount = 6;  // payload position 0Ch (descriptor byte 11h) unused

}  // namespace

void DisplayTimingIDVerifier::verify() {
    detail::ModeList modes;
    // Invalid identifiers are numbered by their position within the payload.
    detail::decodeStandardTimings(
        payload.data(), kIdentifierCount, modes,
        [](unsigned position) { return detail::hexByte(position); },
        [this](const LibEDIDLog& mesg) { logMesg(mesg); });
    if (modes.isEmpty()) {
        return;
    }
    reportValue("StandardTimingsID", detail::eol() + modes.text());
    notifySysInfoProperty("StandardTimingsID", modes.values());
}

}  // namespace libEDID
