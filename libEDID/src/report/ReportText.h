#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "libEDID/LibEDIDLog.h"
#include "qor/String.h"
#include "qor/Value.h"
#include "report/Texts.h"

// The pieces of text that the verifiers' reports are made of.
namespace libEDID::detail {

/// The localized label of `key` (empty when the key has no text); valid while the parse runs.
inline const qor::String& localized(const char* key) {
    return text(key);  // by the key's address
}

/// The localized label of `first`, a blank and the localized label of `second`.
qor::String labelPair(const char* first, const char* second);

/// `name`, of static storage, as a text made once per thread.
const qor::String& propertyName(const char* name);

/// `name`, of static storage, followed by indexText(index), as a text made once per thread.
const qor::String& indexedPropertyName(const char* name, unsigned index);

/// The localized "Yes" or "No".
const qor::String& yesNo(bool value);

/// "%u" of the value.
qor::String unsignedText(unsigned value);
/// Appends unsignedText(value) to `text`.
void appendUnsigned(std::string& text, unsigned value);

/// "%0<digits>X" of the value, then `suffix`.
qor::String hexText(unsigned value, unsigned digits, std::string_view suffix = {});

/// "%.<decimals>f" of the value.
qor::String fixedText(double value, int decimals);
/// Appends fixedText(value, decimals) to `text`.
void appendFixed(std::string& text, double value, int decimals);

/// Appends "1920 x 1080 @ 59.94Hz, 148.35 MHz" to `text`, then ", interlaced" (localized) for
/// an interlaced timing: a timing line of the DisplayID and VESA video timing reports.
void appendTimingText(std::string& text, unsigned hActive, unsigned vActive, double refreshHz,
                      std::uint32_t pixelClockKHz, bool interlaced);

/// "%02X" of each byte, one blank between them.
qor::String hexBytes(std::span<const unsigned char> bytes);

/// The unsigned value as a qor::QORValue renders it; used for the numeric suffixes of indexed
/// property names.
qor::String indexText(unsigned value);

/// An IEEE OUI as written, most significant byte first ("00-0C-03"), followed by the vendor's
/// registered name in parentheses when the embedded registry has it.
qor::String ouiText(std::uint32_t oui);

/// "%02Xh" of the byte.
inline qor::String hexByte(unsigned value) {
    return hexText(value, 2, "h");
}

/// The line terminator of multi-line texts.
const qor::String& eol();

/// "%u x %u @ %uHz".
qor::String modeText(unsigned width, unsigned height, unsigned refresh);
/// Appends modeText(width, height, refresh) to `text`.
void appendMode(std::string& text, unsigned width, unsigned height, unsigned refresh);

/// A list of display modes reported two ways: as text, one " <mode>" line each followed by a
/// line terminator, and as an array-of-strings property value.
class ModeList {
  public:
    void add(std::string_view mode);
    void add(const qor::String& mode) { add(std::string_view(mode.str())); }
    /// Adds modeText(width, height, refresh).
    void addMode(unsigned width, unsigned height, unsigned refresh);
    bool isEmpty() const { return count_ == 0; }
    const qor::String& text() const { return text_; }
    const qor::QORValue& values() const { return values_; }

  private:
    qor::String text_;
    qor::QORValue values_{qor::QORValue::TYPE_STRING_ARRAY, true, 0};
    unsigned count_ = 0;
};

/// A block of detail lines, each "<EOL><indent><label> : <value>", as the descriptor reports
/// lay out their decoded fields.
class DetailLines {
  public:
    explicit DetailLines(const char* indent) : indent_(indent) {}
    /// Starts the block with `text` (the lines follow it).
    DetailLines(const char* indent, const qor::String& text) : text_(text), indent_(indent) {}

    /// Appends a line whose label is the localized text of `labelKey`; returns the value, for
    /// the property that carries it.
    qor::String add(const char* labelKey, qor::String value);
    /// Appends a line with a label that is already text; returns the value.
    qor::String addLabelled(const qor::String& label, qor::String value);
    /// Appends text as it stands (for a closing line terminator).
    void append(const qor::String& text) { text_ += text; }

    const qor::String& text() const { return text_; }

  private:
    qor::String text_;
    const char* indent_;
};

/// A list of items reported two ways: as text, one "<EOL><indent><item>" per item, and as an
/// array-of-strings property value. An empty list reads as the single localized "None".
class ItemList {
  public:
    explicit ItemList(const char* indent) : indent_(indent) {}

    /// Adds an item (a temporary is moved into the values, not copied).
    void add(qor::String item);
    /// The item lines, or the localized "None".
    const qor::String& text() const;
    /// The items, or the single localized "None".
    const qor::QORValue& values() const;

  private:
    qor::String text_;
    // The items; "None" is put in when the values of an empty list are asked for.
    mutable qor::QORValue values_{qor::QORValue::TYPE_STRING_ARRAY, true, 0};
    const char* indent_;
    bool empty_ = true;
};

}  // namespace libEDID::detail
