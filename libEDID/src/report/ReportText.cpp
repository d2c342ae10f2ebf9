#include "report/ReportText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>

#include "decode/other/OUIRegistry.h"
#include "qor/PerThread.h"
#include "qor/System.h"

namespace libEDID::detail {

namespace {

// The values of the reports are small and have a few decimals: those are formed with integers
// from the exact binary value (value = mantissa * 2^exponent), rounded to nearest with ties to
// even as std::to_chars rounds; any other value goes to std::to_chars.
char* fixedDigits(char (&buffer)[64], double value, int decimals) {
    static constexpr std::array<std::uint64_t, 5> kPowersOfTen{1, 10, 100, 1000, 10000};
    if (std::signbit(value) || !(value < 4294967296.0) || decimals < 0 ||
        decimals >= static_cast<int>(kPowersOfTen.size())) {
        return std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                             decimals)
            .ptr;
    }
    __extension__ using Wide = unsigned __int128;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biasedExponent = static_cast<unsigned>(bits >> 52);  // the sign bit is clear
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa =
        biasedExponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    // Below 2^32 the exponent is negative: a right shift by 1075 - biased exponent (at least 21).
    const unsigned shift = biasedExponent == 0 ? 1074u : 1075u - biasedExponent;
    const std::uint64_t scale = kPowersOfTen[static_cast<std::size_t>(decimals)];
    const Wide scaled = Wide{mantissa} * scale;  // below 2^67
    std::uint64_t units = 0;                     // value * 10^decimals, rounded
    if (shift < 100) {
        units = static_cast<std::uint64_t>(scaled >> shift);
        const Wide rest = scaled & ((Wide{1} << shift) - 1);
        const Wide half = Wide{1} << (shift - 1);
        if (rest > half || (rest == half && (units & 1u) != 0)) {
            ++units;
        }
    }
    char* at = std::to_chars(buffer, buffer + sizeof buffer, units / scale).ptr;
    if (decimals > 0) {
        *at++ = '.';
        std::uint64_t rest = units % scale;
        for (int i = decimals - 1; i >= 0; --i) {
            at[i] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        }
        at += decimals;
    }
    return at;
}

// "%u x %u @ %uHz" of three values of up to ten digits each.
constexpr std::size_t kUnsignedDigits = 10;
constexpr std::size_t kModeTextRoom = 48;
static_assert(3 * kUnsignedDigits + 8 <= kModeTextRoom);

std::string_view writeMode(char (&buffer)[kModeTextRoom], unsigned width, unsigned height,
                           unsigned refresh) {
    char* at = buffer;
    const auto put = [&](std::string_view text) { at = std::copy(text.begin(), text.end(), at); };
    const auto number = [&](unsigned value) {
        at = std::to_chars(at, at + kUnsignedDigits, value).ptr;
    };
    number(width);
    put(" x ");
    number(height);
    put(" @ ");
    number(refresh);
    put("Hz");
    return std::string_view(buffer, static_cast<std::size_t>(at - buffer));
}

// Property names made texts once per thread: a name of static storage and an optional index
// (kNoIndex for none), found by the name's address.
constexpr unsigned kNoIndex = ~0u;

class PropertyNames {
  public:
    const qor::String& find(const char* name, unsigned index) {
        if (const auto* known = names_.find(name, index)) {
            return **known;
        }
        texts_.push_back(
            {index == kNoIndex ? qor::String(name) : qor::String(name) + indexText(index)});
        const qor::String& text = texts_.back().text;
        names_.insert(name, index, &text);
        return text;
    }

  private:
    AddressTable<const qor::String*> names_;
    // A type of this file only, so that the container's code stays internal to the library.
    struct Text {
        qor::String text;
    };
    std::deque<Text> texts_;  // elements stay where they are
};

PropertyNames& propertyNames() {
    return qor::perThread<PropertyNames>();
}

// Most item lists (formats, audio, capabilities) hold a few items.
constexpr std::size_t kItemListRoom = 8;

// A mode list of a base block holds up to 17 modes (established timings I and II).
constexpr std::size_t kModeListRoom = 24;
constexpr std::size_t kModeListTextRoom = kModeListRoom * 24;

}  // namespace

qor::String labelPair(const char* first, const char* second) {
    return localized(first) + " " + localized(second);
}

const qor::String& propertyName(const char* name) {
    return propertyNames().find(name, kNoIndex);
}

const qor::String& indexedPropertyName(const char* name, unsigned index) {
    return propertyNames().find(name, index);
}

const qor::String& yesNo(bool value) {
    return localized(value ? "Yes" : "No");
}

qor::String unsignedText(unsigned value) {
    std::string text;
    appendUnsigned(text, value);
    return text;
}

qor::String ouiText(std::uint32_t oui) {
    std::string text = hexText(oui >> 16 & 0xFFu, 2, "-").str();
    text += hexText(oui >> 8 & 0xFFu, 2, "-").str();
    text += hexText(oui & 0xFFu, 2).str();
    const std::string_view name = oui::vendorName(oui);
    if (!name.empty()) {
        text += " (";
        text += name;
        text += ')';
    }
    return text;
}

qor::String hexText(unsigned value, unsigned digits, std::string_view suffix) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char buffer[8];
    unsigned used = 0;
    do {
        buffer[sizeof buffer - ++used] = kDigits[value & 0x0Fu];
        value >>= 4u;
    } while (value != 0);
    std::string text(digits > used ? digits - used : 0, '0');
    text.append(buffer + sizeof buffer - used, used);
    text += suffix;
    return text;
}

void appendUnsigned(std::string& text, unsigned value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

qor::String fixedText(double value, int decimals) {
    char buffer[64];
    const auto end = fixedDigits(buffer, value, decimals);
    return std::string_view(buffer, static_cast<std::size_t>(end - buffer));
}

void appendFixed(std::string& text, double value, int decimals) {
    char buffer[64];
    text.append(buffer, fixedDigits(buffer, value, decimals));
}

void appendTimingText(std::string& text, unsigned hActive, unsigned vActive, double refreshHz,
                      std::uint32_t pixelClockKHz, bool interlaced) {
    appendUnsigned(text, hActive);
    text += " x ";
    appendUnsigned(text, vActive);
    text += " @ ";
    appendFixed(text, refreshHz, 2);
    text += "Hz, ";
    appendFixed(text, pixelClockKHz / 1000.0, 2);
    text += " MHz";
    if (interlaced) {
        text += ", ";
        text += localized("DisplayIDInterlaced").str();
    }
}

qor::String hexBytes(std::span<const unsigned char> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const unsigned char byte : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

// The same digits as qor::QORValue renders an unsigned value with.
qor::String indexText(unsigned value) {
    return unsignedText(value);
}

const qor::String& eol() {
    return qor::System::TEXT_FILE_EOL();
}

qor::String modeText(unsigned width, unsigned height, unsigned refresh) {
    char buffer[kModeTextRoom];
    return writeMode(buffer, width, height, refresh);
}

void appendMode(std::string& text, unsigned width, unsigned height, unsigned refresh) {
    char buffer[kModeTextRoom];
    text += writeMode(buffer, width, height, refresh);
}

void ModeList::add(std::string_view mode) {
    if (count_ == 0) {
        text_.reserve(kModeListTextRoom);
        values_.reserve(kModeListRoom);
    }
    text_ += " ";
    text_.append(mode);
    text_ += eol();
    values_.append(qor::String(mode));
    ++count_;
}

void ModeList::addMode(unsigned width, unsigned height, unsigned refresh) {
    char buffer[kModeTextRoom];
    add(writeMode(buffer, width, height, refresh));
}

qor::String DetailLines::add(const char* labelKey, qor::String value) {
    return addLabelled(localized(labelKey), std::move(value));
}

qor::String DetailLines::addLabelled(const qor::String& label, qor::String value) {
    text_ += eol();
    text_ += indent_;
    text_ += label;
    text_ += " : ";
    text_ += value;
    return value;
}

void ItemList::add(qor::String item) {
    if (empty_) {
        values_ = qor::QORValue(qor::QORValue::TYPE_STRING_ARRAY, true, 0);
        values_.reserve(kItemListRoom);
        empty_ = false;
    }
    text_ += eol();
    text_ += indent_;
    text_ += item;
    values_.append(std::move(item));
}

const qor::String& ItemList::text() const {
    return empty_ ? localized("None") : text_;
}

const qor::QORValue& ItemList::values() const {
    if (empty_ && values_.getArraySize() == 0) {
        values_.append(localized("None"));
    }
    return values_;
}

}  // namespace libEDID::detail
