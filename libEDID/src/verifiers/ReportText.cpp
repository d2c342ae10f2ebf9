#include "verifiers/ReportText.h"

#include <charconv>
#include <string>
#include <unordered_map>

#include "qor/System.h"

namespace libEDID::detail {

namespace {

void appendUnsigned(std::string& out, unsigned value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

}  // namespace

qor::String labelPair(const char* first, const char* second) {
    return localized(first) + " " + localized(second);
}

const qor::String& propertyName(const char* name) {
    thread_local std::unordered_map<const char*, qor::String> names;
    return names.try_emplace(name, name).first->second;
}

const qor::String& indexedPropertyName(const char* name, unsigned index) {
    struct Hash {
        std::size_t operator()(const std::pair<const char*, unsigned>& key) const noexcept {
            return std::hash<const char*>{}(key.first) ^ (std::size_t{key.second} << 1);
        }
    };
    thread_local std::unordered_map<std::pair<const char*, unsigned>, qor::String, Hash> names;
    const auto [it, added] = names.try_emplace({name, index});
    if (added) {
        it->second = qor::String(name) + indexText(index);
    }
    return it->second;
}

const qor::String& yesNo(bool value) {
    return localized(value ? "Yes" : "No");
}

qor::String unsignedText(unsigned value) {
    std::string text;
    appendUnsigned(text, value);
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

qor::String fixedText(double value, int decimals) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals)
            .ptr;
    return std::string_view(buffer, static_cast<std::size_t>(end - buffer));
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
    std::string text;
    appendUnsigned(text, width);
    text += " x ";
    appendUnsigned(text, height);
    text += " @ ";
    appendUnsigned(text, refresh);
    text += "Hz";
    return text;
}

void ModeList::add(const qor::String& mode) {
    text_ += " ";
    text_ += mode;
    text_ += eol();
    values_.append(mode);
    ++count_;
}

qor::String DetailLines::add(const char* labelKey, const qor::String& value) {
    return addLabelled(localized(labelKey), value);
}

qor::String DetailLines::addLabelled(const qor::String& label, const qor::String& value) {
    text_ += eol();
    text_ += indent_;
    text_ += label;
    text_ += " : ";
    text_ += value;
    return value;
}

void ItemList::add(const qor::String& item) {
    text_ += eol();
    text_ += indent_;
    text_ += item;
    values_.append(item);
    empty_ = false;
}

qor::String ItemList::text() const {
    return empty_ ? localized("None") : text_;
}

qor::QORValue ItemList::values() const {
    if (!empty_) {
        return values_;
    }
    qor::QORValue none(qor::QORValue::TYPE_STRING_ARRAY, true, 0);
    none.append(localized("None"));
    return none;
}

}  // namespace libEDID::detail
