#include "qor/String.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>

#include "qor/System.h"

namespace qor {

const String& String::EMPTY() {
    static const String empty;
    return empty;
}

String String::replace(const String& what, const String& with) const {
    if (what.text_.empty()) {
        return *this;
    }
    std::string result;
    result.reserve(text_.size());
    std::size_t from = 0;
    for (std::size_t at = text_.find(what.text_); at != std::string::npos;
         at = text_.find(what.text_, from)) {
        result.append(text_, from, at - from);
        result += with.text_;
        from = at + what.text_.size();
    }
    result.append(text_, from, std::string::npos);
    return String(std::move(result));
}

std::size_t String::find(const String& what, std::size_t from) const {
    return text_.find(what.text_, from);
}

String String::subString(std::size_t start, std::size_t length) const {
    if (start >= text_.size()) {
        return String();
    }
    return String(text_.substr(start, length));
}

static bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

String& String::trim() {
    std::size_t first = 0;
    while (first < text_.size() && isBlank(text_[first])) {
        ++first;
    }
    std::size_t last = text_.size();
    while (last > first && isBlank(text_[last - 1])) {
        --last;
    }
    text_ = text_.substr(first, last - first);
    return *this;
}

String& String::toUpper() {
    for (char& c : text_) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return *this;
}

CString String::getLowerByteString() const {
    // Decode UTF-8; code points below 256 become one byte. Anything else becomes '?': code points
    // from 256 on, and every byte of a malformed sequence (stray continuation bytes, cut
    // sequences, lead bytes F8h-FFh, and overlong forms such as C0h 80h, which would otherwise
    // smuggle a NUL or an ASCII byte in).
    static constexpr unsigned kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    std::string out;
    out.reserve(text_.size());
    const auto* s = reinterpret_cast<const unsigned char*>(text_.data());
    const std::size_t n = text_.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char lead = s[i];
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const std::size_t extra = (lead >= 0xF8)   ? 0
                                  : (lead >= 0xF0) ? 3
                                  : (lead >= 0xE0) ? 2
                                  : (lead >= 0xC0) ? 1
                                                   : 0;
        unsigned codePoint = lead & (0x3Fu >> extra);
        bool valid = extra != 0;
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            if (i + k >= n || (s[i + k] & 0xC0) != 0x80) {
                valid = false;
            } else {
                codePoint = (codePoint << 6) | (s[i + k] & 0x3Fu);
            }
        }
        valid = valid && codePoint >= kSmallest[extra];
        out += (valid && codePoint < 256) ? static_cast<char>(codePoint) : '?';
        i += valid ? extra + 1 : 1;
    }
    return CString(std::move(out));
}

String SprintfFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int needed = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (needed > 0) {
        text.resize(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        text.resize(static_cast<std::size_t>(needed));
    }
    va_end(again);
    return String(std::move(text));
}

const String& System::TEXT_FILE_EOL() {
#if defined(_WIN32)
    static const String eol("\r\n");
#else
    static const String eol("\n");
#endif
    return eol;
}

}  // namespace qor
