#pragma once

#include <functional>

#include "libEDID/LibEDIDLog.h"
#include "qor/String.h"
#include "qor/Value.h"

// Small helpers shared by the verifiers.
namespace libEDID::detail {

/// The localized label of `key` (empty when the key has no text).
inline qor::String localized(const char* key) {
    return LibEDIDLog::getString(key);
}

/// The localized "Yes" or "No".
qor::String yesNo(bool value);

/// "%u" of the value.
qor::String unsignedText(unsigned value);

/// The unsigned value as a qor::QORValue renders it; used for the numeric suffixes of indexed
/// property names.
qor::String indexText(unsigned value);

/// The line terminator of multi-line texts.
const qor::String& eol();

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

/// "%u x %u @ %uHz".
qor::String modeText(unsigned width, unsigned height, unsigned refresh);

/// A list of display modes reported two ways: as text, one " <mode>" line each followed by a
/// line terminator, and as an array-of-strings property value.
class ModeList {
  public:
    void add(const qor::String& mode);
    bool isEmpty() const { return count_ == 0; }
    const qor::String& text() const { return text_; }
    const qor::QORValue& values() const { return values_; }

  private:
    qor::String text_;
    qor::QORValue values_{qor::QORValue::TYPE_STRING_ARRAY, true, 0};
    unsigned count_ = 0;
};

/// Decodes `count` consecutive standard timing codes starting at `codes`: every mode goes to
/// `modes` and an "InvalidStdTiming" message (level 2, category 6) is logged through `log` for
/// every code whose first byte is 00h, with "offset" = `offsetText(position of the code)`.
/// Unused codes are skipped silently.
void decodeStandardTimings(const unsigned char* codes, unsigned count, ModeList& modes,
                           const std::function<qor::String(unsigned position)>& offsetText,
                           const std::function<void(const LibEDIDLog&)>& log);

}  // namespace libEDID::detail
