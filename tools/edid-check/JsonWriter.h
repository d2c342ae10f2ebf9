#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace edidcheck {

/// Writes compact JSON text (no blanks between tokens) straight into a string, token by token:
/// no document tree is built. The caller opens and closes objects and arrays in order; commas
/// are placed by the writer.
class JsonWriter {
  public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    /// A member name of the open object, written as it is (plain ASCII without '"' or '\\');
    /// its value follows.
    void key(std::string_view name);

    void string(std::string_view text);
    void stringOrNull(const std::optional<std::string>& text);
    /// The bytes as a string of lower-case hex, two digits per byte, nothing between them.
    void hexString(std::span<const unsigned char> bytes);
    void boolean(bool value);
    void number(unsigned long long value);
    void null();
    /// A value already written as JSON text by another writer, copied as it is.
    void raw(std::string_view json);

  private:
    void open(char bracket);
    void close(char bracket);
    void beginValue();

    std::string& out_;
    bool needComma_ = false;
};

/// Appends `text` as a JSON string, quotes included. '"', '\\' and the control characters are
/// escaped (\b \t \n \f \r, else \u00xx); other bytes are copied. Bytes that are not well-formed
/// UTF-8 become U+FFFD: one for each maximal part of a sequence that cannot be completed, the
/// byte that broke a sequence being read again as the start of a new one.
void appendJsonString(std::string& out, std::string_view text);

}  // namespace edidcheck
