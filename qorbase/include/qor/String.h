#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "qor/Export.h"

namespace qor {

/// An 8-bit, NUL-terminated copy of a String's text, as handed to C interfaces.
class QOR_API CString {
  public:
    CString() = default;
    explicit CString(std::string text) : text_(std::move(text)) {}
    const char* c_str() const { return text_.c_str(); }
    std::size_t size() const { return text_.size(); }

  private:
    std::string text_;
};

/// Text of the base library; UTF-8 inside. Indices and sizes count bytes.
class QOR_API String {
  public:
    static constexpr std::size_t npos = std::string::npos;

    String() = default;
    String(const char* text) : text_(text ? text : "") {}  // NOLINT: implicit by design
    String(std::string text) : text_(std::move(text)) {}   // NOLINT: implicit by design
    String(std::string_view text) : text_(text) {}         // NOLINT: implicit by design

    static const String& EMPTY();

    String& operator+=(const String& other) {
        text_ += other.text_;
        return *this;
    }
    String& operator+=(const char* other) {
        text_ += other ? other : "";
        return *this;
    }
    String& operator+=(char c) {
        text_ += c;
        return *this;
    }
    String& append(std::string_view other) {
        text_ += other;
        return *this;
    }
    friend String operator+(String lhs, const String& rhs) { return lhs += rhs; }
    friend String operator+(String lhs, const char* rhs) { return lhs += rhs; }
    friend String operator+(const char* lhs, const String& rhs) { return String(lhs) += rhs; }

    friend bool operator==(const String& a, const String& b) = default;
    friend auto operator<=>(const String& a, const String& b) = default;

    /// A copy in which every occurrence of `what` is replaced by `with` (an empty `what`
    /// replaces nothing).
    String replace(const String& what, const String& with) const;
    /// Replaces `length` bytes from `start` (both clamped to the text) by `with`, in place.
    String& replaceRange(std::size_t start, std::size_t length, std::string_view with) {
        start = start < text_.size() ? start : text_.size();
        text_.replace(start, length, with);
        return *this;
    }
    /// Index of the first occurrence of `what` at or after `from`, or npos.
    std::size_t find(const String& what, std::size_t from = 0) const;
    /// Up to `length` bytes from `start`; empty when `start` is past the end.
    String subString(std::size_t start, std::size_t length = npos) const;
    std::size_t size() const { return text_.size(); }
    bool isEmpty() const { return text_.empty(); }
    /// Makes room for `capacity` bytes, so that growing up to it allocates nothing more.
    void reserve(std::size_t capacity) { text_.reserve(capacity); }

    /// Removes white space from both ends, in place.
    String& trim();
    /// Upper-cases the ASCII letters, in place (other bytes are kept).
    String& toUpper();

    /// The text as Latin-1: each code point below 256 becomes one byte, any other becomes '?',
    /// and so does every byte of malformed UTF-8 (including overlong forms).
    CString getLowerByteString() const;
    CString getUTF8String() const { return CString(text_); }

    const std::string& str() const { return text_; }
    const char* c_str() const { return text_.c_str(); }

  private:
    std::string text_;
};

/// printf-style formatting into a String of any length.
QOR_API String SprintfFormat(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace qor

template <>
struct std::hash<qor::String> {
    std::size_t operator()(const qor::String& s) const noexcept {
        return std::hash<std::string>{}(s.str());
    }
};
