#include "verifiers/base/StdTimingsVerifier.h"

namespace libEDID {

namespace {

constexpr unsigned kFirstEntryOffset = 0x26;
constexpr unsigned kEntryCount = 8;

}  // namespace

void StdTimingsVerifier::verify() {
    detail::ModeList modes;
    // Invalid entries are numbered by their offset in the base block.
    detail::decodeStandardTimings(
        &baseBlock()[kFirstEntryOffset], kEntryCount, modes,
        [](unsigned position) { return qor::SprintfFormat("%Xh", kFirstEntryOffset + position); },
        [this](const LibEDIDLog& mesg) { logMesg(mesg); });
    reportModeList("ReportedStdTimings", modes);
}

}  // namespace libEDID
