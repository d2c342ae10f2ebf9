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

// Bit i set when byte i of the `size` (4, 8 or 16) bytes at `from` needs care.
template <unsigned size>
unsigned carefulBits(const char* from) {
#if defined(__SSE2__)
    // Fewer than sixteen bytes load into the low end; the zeros above them count as careful
    // and are masked off.
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
    const __m128i careful = _mm_or_si128(_mm_cmplt_epi8(block, _mm_set1_epi8(0x20)),
                                         _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('"')),
                                                      _mm_cmpeq_epi8(block, _mm_set1_epi8('\\'))));
    return static_cast<unsigned>(_mm_movemask_epi8(careful)) & ((1u << size) - 1);
#else
    unsigned bits = 0;
    for (unsigned i = 0; i < size; ++i) {
        bits |= kPlain[static_cast<unsigned char>(from[i])] ? 0u : 1u << i;
    }
    return bits;
#endif
}

// Stores the first `size` bytes of the n (size to 2 * size) at `from` and the last `size`,
// and returns the careful bits of all n: two overlapping blocks cover any length in between
// without a loop.
template <unsigned size>
unsigned copyBlockPair(const char* from, unsigned n, char* to) {
    std::memcpy(to, from, size);
    std::memcpy(to + n - size, from + n - size, size);
    return carefulBits<size>(from) | carefulBits<size>(from + n - size) << (n - size);
}

// The number of plain bytes at the start of the n (1 to 15) bytes at `from`, n when all are;
// all n are stored at `to`, those past the plain ones to be overwritten.
unsigned copyShortRun(const char* from, unsigned n, char* to) {
    unsigned bits = 0;
    if (n >= 8) {
        bits = copyBlockPair<8>(from, n, to);
    } else if (n >= 4) {
        bits = copyBlockPair<4>(from, n, to);
    } else {
        // One to three bytes: the first, the middle and the last one (the same byte when fewer).
        const auto first = static_cast<unsigned char>(from[0]);
        const auto middle = static_cast<unsigned char>(from[n / 2]);
        const auto last = static_cast<unsigned char>(from[n - 1]);
        to[0] = static_cast<char>(first);
        to[n / 2] = static_cast<char>(middle);
        to[n - 1] = static_cast<char>(last);
        bits = (kPlain[first] ? 0u : 1u) | (kPlain[middle] ? 0u : 1u) << (n / 2) |
               (kPlain[last] ? 0u : 1u) << (n - 1);
    }
    return static_cast<unsigned>(std::countr_zero(bits | 1u << n));
}

// Copies the plain run at `from` and moves both pointers past it, to `end` or to the first byte
// that needs care. Whole blocks of sixteen are stored before they are tested (the room of six
// bytes per byte allows it); a plain block moves the pointers by a constant, so that the next
// block does not wait for the test of this one.
void copyPlainRun(const char*& from, const char* end, char*& to) {
    while (end - from >= 16) {
        std::memcpy(to, from, 16);
        if (const unsigned bits = carefulBits<16>(from); bits != 0) {
            const auto plain = std::countr_zero(bits);
            from += plain;
            to += plain;
            return;
        }
        from += 16;
        to += 16;
    }
    if (from != end) {
        const unsigned plain = copyShortRun(from, static_cast<unsigned>(end - from), to);
        from += plain;
        to += plain;
    }
}

// The two lower-case hex digits of each byte value, in text order.
constexpr std::array<std::array<char, 2>, 256> kHexPairs = [] {
    std::array<std::array<char, 2>, 256> pairs{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        pairs[byte] = {kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
    }
    return pairs;
}();

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
        copyPlainRun(from, end, to);
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
        std::memcpy(to, kHexPairs[byte].data(), 2);
        to += 2;
    }
    *to++ = '"';
    out_.commit(to);
    needComma_ = true;
}

void JsonWriter::number(unsigned long long value) {
    char* to = comma(out_.room(kMaxDigits + 1));
    out_.commit(std::to_chars(to, to + kMaxDigits, value).ptr);
    needComma_ = true;
}

}  // namespace edidcheck
