#include "qor/Value.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cinttypes>
#include <cstdio>

namespace qor {

namespace {

struct UnitStep {
    UnitMagnitude magnitude;
    std::uint64_t divisor;
    const char* prefix;
};

constexpr std::array<UnitStep, 4> kSteps{{
    {UnitMagnitude::ONE, 1, ""},
    {UnitMagnitude::KILO, 1000, "k"},
    {UnitMagnitude::MEGA, 1000000, "M"},
    {UnitMagnitude::GIGA, 1000000000, "G"},
}};

const char* unitSymbol(UnitType type) {
    return type == UnitType::FREQUENCY ? "Hz" : "";
}

// count / divisor rounded to thousandths of the unit (half up), in exact integer arithmetic so
// that 148350000 / 10^6 is 148 and 350 thousandths.
struct Scaled {
    std::uint64_t whole;
    unsigned thousandths;
};

Scaled scale(std::uint64_t count, std::uint64_t divisor) {
    Scaled result{count / divisor, 0};
    if (divisor >= 1000) {
        const std::uint64_t rest = count % divisor;
        const std::uint64_t thousandths = (rest + divisor / 2000) / (divisor / 1000);
        result.whole += thousandths / 1000;
        result.thousandths = static_cast<unsigned>(thousandths % 1000);
    }
    return result;
}

// The whole part, then up to three decimals without trailing zeros.
std::string render(const Scaled& value) {
    std::string text = std::to_string(value.whole);
    if (value.thousandths != 0) {
        // Three decimals without the zeros at the end.
        const char digits[] = {'.', static_cast<char>('0' + value.thousandths / 100),
                               static_cast<char>('0' + value.thousandths / 10 % 10),
                               static_cast<char>('0' + value.thousandths % 10)};
        std::size_t length = sizeof digits;
        while (digits[length - 1] == '0') {
            --length;
        }
        text.append(digits, length);
    }
    return text;
}

bool parseBool(std::string text, bool& out) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (text == "true" || text == "1" || text == "yes" || text == "on") {
        out = true;
        return true;
    }
    if (text == "false" || text == "0" || text == "no" || text == "off") {
        out = false;
        return true;
    }
    return false;
}

bool parseUnsigned(const std::string& text, std::uint64_t limit, unsigned& out) {
    std::uint64_t value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || text.empty() || value > limit) {
        return false;
    }
    out = static_cast<unsigned>(value);
    return true;
}

}  // namespace

String DiscreteMeasurement::toString(UnitMagnitude magnitude) const {
    std::size_t step = 0;
    if (magnitude == UnitMagnitude::AUTO) {
        while (step + 1 < kSteps.size() && count_ >= kSteps[step + 1].divisor) {
            ++step;
        }
    } else {
        for (std::size_t i = 0; i < kSteps.size(); ++i) {
            if (kSteps[i].magnitude == magnitude) {
                step = i;
            }
        }
    }
    Scaled value = scale(count_, kSteps[step].divisor);
    // Rounding may reach the next unit (999999999 Hz is 1000 MHz): show it in that unit.
    if (magnitude == UnitMagnitude::AUTO && value.whole >= 1000 && step + 1 < kSteps.size()) {
        value = scale(count_, kSteps[++step].divisor);
    }
    std::string text = render(value);
    const char* unit = unitSymbol(type_);
    if (*unit != '\0' || *kSteps[step].prefix != '\0') {
        text += ' ';
        text += kSteps[step].prefix;
        text += unit;
    }
    return String(std::move(text));
}

QORValue::QORValue(int typeCode, bool isArray, int /*reserved*/) {
    if (isArray || typeCode == TYPE_STRING_ARRAY) {
        value_ = std::vector<String>{};
    }
}

const QORValue& QORValue::nilValue() {
    static const QORValue nil;
    return nil;
}

void QORValue::append(const String& item) {
    if (auto* items = std::get_if<std::vector<String>>(&value_)) {
        items->push_back(item);
    }
}

void QORValue::append(String&& item) {
    if (auto* items = std::get_if<std::vector<String>>(&value_)) {
        items->push_back(std::move(item));
    }
}

void QORValue::reserve(std::size_t count) {
    if (auto* items = std::get_if<std::vector<String>>(&value_)) {
        items->reserve(count);
    }
}

bool QORValue::get(String& out) const {
    if (const auto* v = std::get_if<String>(&value_)) {
        out = *v;
        return true;
    }
    return false;
}

bool QORValue::get(DiscreteMeasurement& out) const {
    if (const auto* v = std::get_if<DiscreteMeasurement>(&value_)) {
        out = *v;
        return true;
    }
    return false;
}

String QORValue::toString(const QORValue& /*format*/) const {
    struct Render {
        String operator()(std::monostate) const { return String(); }
        String operator()(bool v) const { return v ? "true" : "false"; }
        String operator()(unsigned char v) const { return std::to_string(v); }
        String operator()(unsigned short v) const { return std::to_string(v); }
        String operator()(unsigned int v) const { return std::to_string(v); }
        String operator()(const String& v) const { return v; }
        String operator()(const DiscreteMeasurement& v) const {
            return v.toString(UnitMagnitude::AUTO);
        }
        String operator()(const std::vector<String>& items) const {
            String text;
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (i != 0) {
                    text += ", ";
                }
                text += items[i];
            }
            return text;
        }
    };
    return std::visit(Render{}, value_);
}

QORValue QORValue::getCorrectValue(const String& text, int type, bool useDefault) {
    String trimmed = text;
    trimmed.trim();
    const std::string& t = trimmed.str();
    unsigned number = 0;
    switch (type) {
        case TYPE_BOOL: {
            bool flag = false;
            if (parseBool(t, flag)) {
                return QORValue(flag);
            }
            return useDefault ? QORValue(false) : QORValue();
        }
        case TYPE_UCHAR:
            if (parseUnsigned(t, 0xFF, number)) {
                return QORValue(static_cast<unsigned char>(number));
            }
            return useDefault ? QORValue(static_cast<unsigned char>(0)) : QORValue();
        case TYPE_USHORT:
            if (parseUnsigned(t, 0xFFFF, number)) {
                return QORValue(static_cast<unsigned short>(number));
            }
            return useDefault ? QORValue(static_cast<unsigned short>(0)) : QORValue();
        case TYPE_UINT:
            if (parseUnsigned(t, 0xFFFFFFFFu, number)) {
                return QORValue(number);
            }
            return useDefault ? QORValue(0u) : QORValue();
        case TYPE_STRING:
            return QORValue(text);
        default:
            return QORValue();
    }
}

}  // namespace qor
