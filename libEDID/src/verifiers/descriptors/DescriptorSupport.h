#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

#include "libEDID/LibEDIDLog.h"
#include "qor/String.h"
#include "qor/Value.h"
#include "verifiers/VerifierSupport.h"

// Helpers shared by the verifiers of the 18-byte display descriptors (tags 00h-FFh).
namespace libEDID::detail {

/// One display descriptor: bytes 0-1 zero, 2 reserved, 3 tag, 4 range-limit offsets (FDh) or
/// reserved, 5-17 payload.
using DisplayDescriptorBytes = std::array<unsigned char, 18>;
/// Descriptor bytes 5 to 17, handed to the verifier of a tag.
using DescriptorPayload = std::array<unsigned char, 13>;

/// A copy of the descriptor bytes from `first` on, as many as `Bytes` (a std::array) holds.
template <typename Bytes>
Bytes descriptorBytes(const DisplayDescriptorBytes& descriptor, std::size_t first) {
    constexpr std::size_t count = std::tuple_size_v<Bytes>;
    static_assert(count <= std::tuple_size_v<DisplayDescriptorBytes>);
    Bytes bytes{};
    first = std::min(first, descriptor.size() - count);
    std::copy_n(descriptor.begin() + static_cast<std::ptrdiff_t>(first), count, bytes.begin());
    return bytes;
}

/// "%02Xh" of the byte.
qor::String hexByte(unsigned value);

/// A record of `key` with the given level and category and no variables set yet.
LibEDIDLog record(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                  LibEDIDLog::LIBEDID_LOG_CAT category);

/// "ReportedValue" (level 0, category 0) with "type" and "value" set.
LibEDIDLog reportedValue(const qor::String& type, const qor::String& value);

/// The localized label of `first`, a blank and the localized label of `second`.
qor::String labelPair(const char* first, const char* second);

/// A block of detail lines, each "<EOL><indent><label> : <value>", as the descriptor reports
/// lay out their decoded fields.
class DetailLines {
  public:
    explicit DetailLines(const char* indent) : indent_(indent) {}
    /// Starts the block with `text` (the lines follow it).
    DetailLines(const char* indent, const qor::String& text) : text_(text), indent_(indent) {}

    /// Appends a line whose label is the localized text of `labelKey`; returns the value, for
    /// the property that carries it.
    qor::String add(const char* labelKey, const qor::String& value);
    /// Appends a line with a label that is already text; returns the value.
    qor::String addLabelled(const qor::String& label, const qor::String& value);
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

    void add(const qor::String& item);
    /// The item lines, or the localized "None".
    qor::String text() const;
    /// The items, or the single localized "None".
    qor::QORValue values() const;

  private:
    qor::String text_;
    qor::QORValue values_{qor::QORValue::TYPE_STRING_ARRAY, true, 0};
    const char* indent_;
    bool empty_ = true;
};

}  // namespace libEDID::detail
