#pragma once

#include <functional>

#include "libEDID/LibEDIDLog.h"
#include "verifiers/ReportText.h"

namespace libEDID::detail {

/// One 2-byte standard timing code, as used by the base block's standard timings (26h-35h) and
/// by the standard timing identifier descriptor (FAh).
struct StandardTiming {
    enum class Kind { Invalid, Unused, Mode };
    Kind kind;
    unsigned width = 0;
    unsigned height = 0;
    unsigned refresh = 0;
};

/// Byte 0: horizontal addressable pixels / 8 - 31 (00h is invalid); byte 1 bits 7-6: aspect
/// ratio 16:10, 4:3, 5:4, 16:9; bits 5-0: refresh rate - 60 Hz. The pair 01h 01h marks an
/// unused entry.
StandardTiming decodeStandardTiming(unsigned char byte0, unsigned char byte1);

/// Decodes `count` consecutive standard timing codes starting at `codes`: every mode goes to
/// `modes` and an "InvalidStdTiming" message (level 2, category 6) is logged through `log` for
/// every code whose first byte is 00h, with "offset" = `offsetText(position of the code)`.
/// Unused codes are skipped silently.
void decodeStandardTimings(const unsigned char* codes, unsigned count, ModeList& modes,
                           const std::function<qor::String(unsigned position)>& offsetText,
                           const std::function<void(const LibEDIDLog&)>& log);

}  // namespace libEDID::detail
