#include "verifiers/base/StdTimingsVerifier.h"

#include "decode/base/BaseBlockLayout.h"
#include "verifiers/StandardTimings.h"

namespace libEDID {

void StdTimingsVerifier::verify() {
    detail::ModeList modes;
    // Invalid entries are numbered by their offset in the base block.
    detail::decodeStandardTimings(
        &baseBlock()[layout::kStandardTimings], layout::kStandardTimingCount, modes,
        [](unsigned position) {
            return detail::hexText(layout::kStandardTimings + position, 1, "h");
        },
        [this](const LibEDIDLog& mesg) { logMesg(mesg); });
    reportModeList("ReportedStdTimings", modes);
}

}  // namespace libEDID
