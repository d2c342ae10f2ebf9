#pragma once

#include <functional>

#include "libEDID/LibEDIDLog.h"
#include "report/ReportText.h"

namespace libEDID::detail {

/// Decodes `count` consecutive standard timing codes starting at `codes`: every mode goes to
/// `modes` and an "InvalidStdTiming" message (level 2, category 6) is logged through `log` for
/// every code whose first byte is 00h, with "offset" = `offsetText(position of the code)`.
/// Unused codes are skipped silently.
void decodeStandardTimings(const unsigned char* codes, unsigned count, ModeList& modes,
                           const std::function<qor::String(unsigned position)>& offsetText,
                           const std::function<void(const LibEDIDLog&)>& log);

}  // namespace libEDID::detail
