#include "JsonWriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace edidcheck {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The bytes that may follow a lead byte as its first continuation byte; the later ones are
// always 80h-BFh. Leads E0h, EDh, F0h and F4h narrow the first one, which excludes overlong
// forms, UTF-16 surrogates and code points above 10FFFFh.
struct Lead {
    unsigned char secondMin;
    unsigned char secondMax;
    unsigned continuations;
};

Lead leadOf(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) {
        return {0x80, 0xBF, 1};
    }
    if (byte >= 0xE0 && byte <= 0xEF) {
        return {static_cast<unsigned char>(byte == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(byte == 0xED ? 0x9F : 0xBF), 2};
    }
    if (byte >= 0xF0 && byte <= 0xF4) {
        return {static_cast<unsigned char>(byte == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(byte == 0xF4 ? 0x8F : 0xBF), 3};
    }
    return {0, 0, 0};  // 80h-C1h and F5h-FFh start no sequence
}

// The length of the well-formed sequence at the start of `text`, or the negated length of its
// longest prefix that could start one (at least 1), which stands for one U+FFFD.
int sequenceAt(std::string_view text) {
    const Lead lead = leadOf(static_cast<unsigned char>(text[0]));
    if (lead.continuations == 0) {
        return -1;
    }
    for (unsigned k = 1; k <= lead.continuations; ++k) {
        if (k >= text.size()) {
            return -static_cast<int>(k);
        }
        const auto byte = static_cast<unsigned char>(text[k]);
        const unsigned char low = k == 1 ? lead.secondMin : 0x80;
        const unsigned char high = k == 1 ? lead.secondMax : 0xBF;
        if (byte < low || byte > high) {
            return -static_cast<int>(k);
        }
    }
    return static_cast<int>(lead.continuations + 1);
}

void appendEscaped(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    switch (byte) {
        case '"':
            out += "\\\"";
            return;
        case '\\':
            out += "\\\\";
            return;
        case '\b':
            out += "\\b";
            return;
        case '\t':
            out += "\\t";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\f':
            out += "\\f";
            return;
        case '\r':
            out += "\\r";
            return;
        default:
            break;
    }
    const char code[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0x0F]};
    out.append(code, sizeof code);
}

// Bytes copied as they are: printable ASCII but for '"' and '\\'.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (unsigned byte = 0x20; byte < 0x80; ++byte) {
        plain[byte] = byte != '"' && byte != '\\';
    }
    return plain;
}();

// True when one of the eight bytes of `word` is not plain: below 20h, '"', '\\' or from 80h
// on (each test sets the top bit of the bytes it hits).
bool anyNotPlain(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHigh = 0x8080808080808080u;
    const auto zeroByte = [](std::uint64_t x) { return (x - kOnes) & ~x & kHigh; };
    const std::uint64_t control = (word - 0x20 * kOnes) & ~word & kHigh;
    return ((word & kHigh) | control | zeroByte(word ^ ('"' * kOnes)) |
            zeroByte(word ^ ('\\' * kOnes))) != 0;
}

// The end of the run of plain bytes from `i`: eight bytes at a time while all are plain.
std::size_t plainRunEnd(std::string_view text, std::size_t i) {
    while (i + 8 <= text.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, 8);
        if (anyNotPlain(word)) {
            break;
        }
        i += 8;
    }
    while (i < text.size() && kPlain[static_cast<unsigned char>(text[i])]) {
        ++i;
    }
    return i;
}

}  // namespace

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t runStart = i;
        i = plainRunEnd(text, i);
        out.append(text, runStart, i - runStart);
        if (i == text.size()) {
            break;
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            appendEscaped(out, byte);
            ++i;
            continue;
        }
        const int length = sequenceAt(text.substr(i));
        if (length > 0) {
            out.append(text, i, static_cast<std::size_t>(length));
            i += static_cast<std::size_t>(length);
        } else {
            out += kReplacement;
            i += static_cast<std::size_t>(-length);
        }
    }
    out += '"';
}

void JsonWriter::key(std::string_view name) {
    beginValue();
    // One resize and a copy: names are short and many.
    const std::size_t at = out_.size();
    out_.resize(at + name.size() + 3);
    char* to = out_.data() + at;
    *to++ = '"';
    to = std::copy(name.begin(), name.end(), to);
    *to++ = '"';
    *to = ':';
}

void JsonWriter::string(std::string_view text) {
    beginValue();
    appendJsonString(out_, text);
    needComma_ = true;
}

void JsonWriter::stringOrNull(const std::optional<std::string>& text) {
    if (text) {
        string(*text);
    } else {
        null();
    }
}

void JsonWriter::hexString(std::span<const unsigned char> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    beginValue();
    out_ += '"';
    for (const unsigned char byte : bytes) {
        out_ += kDigits[byte >> 4];
        out_ += kDigits[byte & 0x0F];
    }
    out_ += '"';
    needComma_ = true;
}

void JsonWriter::boolean(bool value) {
    beginValue();
    out_ += value ? "true" : "false";
    needComma_ = true;
}

void JsonWriter::number(unsigned long long value) {
    beginValue();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out_.append(digits, end);
    needComma_ = true;
}

void JsonWriter::null() {
    beginValue();
    out_ += "null";
    needComma_ = true;
}

void JsonWriter::raw(std::string_view json) {
    beginValue();
    out_ += json;
    needComma_ = true;
}

void JsonWriter::open(char bracket) {
    beginValue();
    out_ += bracket;
}

void JsonWriter::close(char bracket) {
    out_ += bracket;
    needComma_ = true;
}

// A value right after its key takes no comma: key() leaves needComma_ false.
void JsonWriter::beginValue() {
    if (needComma_) {
        out_ += ',';
    }
    needComma_ = false;
}

}  // namespace edidcheck
