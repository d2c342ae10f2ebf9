#pragma once

namespace libEDID::decode {

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

}  // namespace libEDID::decode
