#pragma once

#include <charconv>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace edidcheck {

/// Growable storage for text that is written through a raw pointer: a writer asks once for room
/// for the longest form of what it writes, stores its bytes without a check per byte, then
/// commits the end of what it wrote. Cleared, it keeps its capacity for the next text.
class JsonBuffer {
  public:
    /// Room for at least `bytes` more bytes after the text; returns where they go.
    char* room(std::size_t bytes) {
        if (storage_.size() - size_ < bytes) {
            grow(bytes);
        }
        return storage_.data() + size_;
    }
    /// Ends the text at `end`, a pointer into the room last asked for.
    void commit(const char* end) { size_ = static_cast<std::size_t>(end - storage_.data()); }

    void append(std::string_view text) {
        char* to = room(text.size());
        std::memcpy(to, text.data(), text.size());
        commit(to + text.size());
    }
    void append(char c) { commit(&(*room(1) = c) + 1); }

    std::string_view view() const { return {storage_.data(), size_}; }
    std::size_t size() const { return size_; }
    void clear() { size_ = 0; }

  private:
    void grow(std::size_t bytes);

    std::vector<char> storage_;  // all of it usable: its size is the capacity
    std::size_t size_ = 0;
};

/// The most bytes that writeJsonString stores for `text`: every byte may become six ("\u00xx").
constexpr std::size_t jsonStringRoom(std::string_view text) {
    return text.size() * 6 + 2;
}

/// Stores `text` at `to` as a JSON string, quotes included, and returns the end; `to` has room
/// for jsonStringRoom(text) bytes. '"', '\\' and the control characters are escaped (\b \t \n
/// \f \r, else \u00xx); other bytes are copied. Bytes that are not well-formed UTF-8 become
/// U+FFFD: one for each maximal part of a sequence that cannot be completed, the byte that broke
/// a sequence being read again as the start of a new one.
char* writeJsonString(char* to, std::string_view text);

/// Writes compact JSON text (no blanks between tokens) straight into a buffer, token by token:
/// no document tree is built. The caller opens and closes objects and arrays in order; commas
/// are placed by the writer.
class JsonWriter {
  public:
    explicit JsonWriter(JsonBuffer& out) : out_(out) {}

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    /// A member name of the open object, written as it is (plain ASCII without '"' or '\\');
    /// its value follows. Inline, so that a literal name is copied as a constant.
    void key(std::string_view name) { out_.commit(memberName(out_.room(name.size() + 4), name)); }

    void string(std::string_view text) {
        char* to = comma(out_.room(jsonStringRoom(text) + 1));
        out_.commit(writeJsonString(to, text));
        needComma_ = true;
    }
    /// key(name) and string(text) in one step.
    void member(std::string_view name, std::string_view text) {
        char* to = memberName(out_.room(name.size() + 4 + jsonStringRoom(text)), name);
        out_.commit(writeJsonString(to, text));
        needComma_ = true;
    }
    /// key(name) and number(value) in one step.
    void member(std::string_view name, unsigned long long value) {
        char* to = memberName(out_.room(name.size() + 4 + kMaxDigits), name);
        out_.commit(std::to_chars(to, to + kMaxDigits, value).ptr);
        needComma_ = true;
    }
    void stringOrNull(const std::optional<std::string>& text);
    /// The bytes as a string of lower-case hex, two digits per byte, nothing between them.
    void hexString(std::span<const unsigned char> bytes);
    void boolean(bool value) { literal(value ? "true" : "false"); }
    void number(unsigned long long value);
    void null() { literal("null"); }
    /// A value already written as JSON text by another writer, copied as it is.
    void raw(std::string_view json) { literal(json); }

  private:
    static constexpr std::size_t kMaxDigits = 20;  // of an unsigned 64-bit number

    // Stores `"name":` after the comma owed, into room for name.size() + 4 bytes.
    char* memberName(char* to, std::string_view name) {
        to = comma(to);
        *to++ = '"';
        std::memcpy(to, name.data(), name.size());
        to += name.size();
        *to++ = '"';
        *to++ = ':';
        return to;
    }
    void open(char bracket) {
        char* to = comma(out_.room(2));
        *to++ = bracket;
        out_.commit(to);
    }
    void close(char bracket) {
        out_.append(bracket);
        needComma_ = true;
    }
    void literal(std::string_view text) {
        char* to = comma(out_.room(text.size() + 1));
        std::memcpy(to, text.data(), text.size());
        out_.commit(to + text.size());
        needComma_ = true;
    }
    // Stores a comma when a value or a closed bracket came before; returns the position after
    // it. A key or an opening bracket leaves none owed, a value or a closing bracket one.
    char* comma(char* to) {
        if (needComma_) {
            *to++ = ',';
        }
        needComma_ = false;
        return to;
    }

    JsonBuffer& out_;
    bool needComma_ = false;
};

/// Appends `text` as a JSON string (writeJsonString).
void appendJsonString(JsonBuffer& out, std::string_view text);

}  // namespace edidcheck
