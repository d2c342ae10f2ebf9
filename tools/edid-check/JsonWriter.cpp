#include "JsonWriter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

constexpr char kHexDigits[] = "0123456789abcdef";

// The letter of the two-byte escape of an ASCII byte ('n' for a line feed), 0 for none.
constexpr std::array<char, 128> kShortEscapes = [] {
    std::array<char, 128> letters{};
    letters['"'] = '"';
    letters['\\'] = '\\';
    letters['\b'] = 'b';
    letters['\t'] = 't';
    letters['\n'] = 'n';
    letters['\f'] = 'f';
    letters['\r'] = 'r';
    return letters;
}();

// Stores the escape of an ASCII byte that is not plain.
char* writeEscape(char* to, unsigned char byte) {
    *to++ = '\\';
    if (const char letter = kShortEscapes[byte]; letter != 0) {
        *to++ = letter;
        return to;
    }
    const char code[] = {'u', '0', '0', kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
    std::memcpy(to, code, sizeof code);
    return to + sizeof code;
}

// Bytes copied as they are: printable ASCII but for '"' and '\\'.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (unsigned byte = 0x20; byte < 0x80; ++byte) {
        plain[byte] = byte != '"' && byte != '\\';
    }
    return plain;
}();

// The number of plain bytes at the start of the `size` (4, 8 or 16) bytes at `from`, before
// the first one that needs care; `size` when all are plain.
template <unsigned size>
unsigned plainPrefix(const char* from) {
#if defined(__SSE2__)
    // Fewer than sixteen bytes load into the low end, zeros into the rest, which then count as
    // not plain.
    __m128i block;
    if constexpr (size == 16) {
        block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    } else if constexpr (size == 8) {
        block = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(from));
    } else {
        std::int32_t word = 0;
        std::memcpy(&word, from, sizeof word);
        block = _mm_cvtsi32_si128(word);
    }
    // Compared as signed bytes, those from 80h on are below 20h too.
    const __m128i notPlain = _mm_or_si128(_mm_cmplt_epi8(block, _mm_set1_epi8(0x20)),
                                          _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('"')),
                                                       _mm_cmpeq_epi8(block, _mm_set1_epi8('\\'))));
    const auto flags = static_cast<unsigned>(_mm_movemask_epi8(notPlain)) | (1u << size);
    return static_cast<unsigned>(std::countr_zero(flags));
#else
    unsigned plain = 0;
    while (plain < size && kPlain[static_cast<unsigned char>(from[plain])]) {
        ++plain;
    }
    return plain;
#endif
}

// Copies the plain bytes at the start of the `size` bytes at `from` and moves both pointers
// past them; true when all were plain. All `size` bytes are stored, which the room of six
// bytes per byte allows, so that the copy takes one instruction.
template <unsigned size>
bool copyPlainBlock(const char*& from, char*& to) {
    std::memcpy(to, from, size);
    const unsigned plain = plainPrefix<size>(from);
    from += plain;
    to += plain;
    return plain == size;
}

}  // namespace

void JsonBuffer::grow(std::size_t bytes) {
    constexpr std::size_t kFirstSize = 4096;
    storage_.resize(std::max({storage_.size() * 2, size_ + bytes, kFirstSize}));
}

char* writeJsonString(char* to, std::string_view text) {
    const char* from = text.data();
    const char* const end = from + text.size();
    *to++ = '"';
    while (true) {
        // The plain run: blocks of sixteen bytes, then one of eight and one of four, then the
        // last few bytes one by one.
        bool plain = true;
        while (plain && end - from >= 16) {
            plain = copyPlainBlock<16>(from, to);
        }
        if (plain && end - from >= 8) {
            plain = copyPlainBlock<8>(from, to);
        }
        if (plain && end - from >= 4) {
            plain = copyPlainBlock<4>(from, to);
        }
        while (from != end && kPlain[static_cast<unsigned char>(*from)]) {
            *to++ = *from++;
        }
        if (from == end) {
            break;
        }
        const auto byte = static_cast<unsigned char>(*from);
        if (byte < 0x80) {
            to = writeEscape(to, byte);
            ++from;
            continue;
        }
        const int length = sequenceAt(std::string_view(from, static_cast<std::size_t>(end - from)));
        if (length > 0) {
            std::memcpy(to, from, static_cast<std::size_t>(length));
            to += length;
            from += length;
        } else {
            std::memcpy(to, kReplacement.data(), kReplacement.size());
            to += kReplacement.size();
            from += -length;
        }
    }
    *to++ = '"';
    return to;
}

void appendJsonString(JsonBuffer& out, std::string_view text) {
    out.commit(writeJsonString(out.room(jsonStringRoom(text)), text));
}

void JsonWriter::stringOrNull(const std::optional<std::string>& text) {
    if (text) {
        string(*text);
    } else {
        null();
    }
}

void JsonWriter::hexString(std::span<const unsigned char> bytes) {
    char* to = comma(out_.room(bytes.size() * 2 + 3));
    *to++ = '"';
    for (const unsigned char byte : bytes) {
        *to++ = kHexDigits[byte >> 4];
        *to++ = kHexDigits[byte & 0x0F];
    }
    *to++ = '"';
    out_.commit(to);
    needComma_ = true;
}

void JsonWriter::number(unsigned long long value) {
    constexpr std::size_t kMaxDigits = 20;
    char* to = comma(out_.room(kMaxDigits + 1));
    out_.commit(std::to_chars(to, to + kMaxDigits, value).ptr);
    needComma_ = true;
}

}  // namespace edidcheck
