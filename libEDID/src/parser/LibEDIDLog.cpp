#include "libEDID/LibEDIDLog.h"

#include <algorithm>
#include <string_view>

#include "parser/ClassLogger.h"
#include "parser/MessageBuilder.h"
#include "parser/Texts.h"

namespace libEDID {

namespace {

qor::Logger* logger() {
    static qor::Logger* const instance = detail::classLogger("LibEDIDLog");
    return instance;
}

// Bytes reserved beyond a template for the values filled into it.
constexpr std::size_t kValueRoom = 48;

}  // namespace

LibEDIDLog::LibEDIDLog(LIBEDID_LOG_LEVEL logLevel, LIBEDID_LOG_CAT logCategory)
    : level(logLevel), category(logCategory) {}

LibEDIDLog::LibEDIDLog(qor::String messageKey, LIBEDID_LOG_LEVEL logLevel,
                       LIBEDID_LOG_CAT logCategory)
    : key(std::move(messageKey)), level(logLevel), category(logCategory) {
    setMesg();
}

qor::String LibEDIDLog::getMesgTrimmed() const {
    const std::size_t at = mesg.find(": ", 0);
    if (at == qor::String::npos) {
        return mesg;
    }
    return mesg.subString(at + 2);
}

void LibEDIDLog::setKey(const qor::String& newKey) {
    key = newKey;
    lastingKey = nullptr;
    setMesg();
}

void LibEDIDLog::setVariable(const qor::String& name, const qor::String& value) {
    fill(name.str(), value);
}

void LibEDIDLog::setVariable(const char* name, const qor::String& value) {
    fill(name != nullptr ? name : "", value);
}

// The open placeholders are kept in text order; filling one shifts those after it.
void LibEDIDLog::fill(std::string_view wanted, const qor::String& value) {
    std::uint32_t kept = 0;
    std::int64_t shift = 0;
    for (std::uint32_t i = 0; i < openPlaceholders; ++i) {
        Placeholder placeholder = placeholders[i];
        placeholder.offset = static_cast<std::uint32_t>(placeholder.offset + shift);
        const std::string_view inside =
            std::string_view(mesg.str()).substr(placeholder.offset + 1, placeholder.length - 2);
        if (inside == wanted) {
            mesg.replaceRange(placeholder.offset, placeholder.length, value.str());
            shift += static_cast<std::int64_t>(value.size()) - placeholder.length;
        } else {
            placeholders[kept++] = placeholder;
        }
    }
    openPlaceholders = kept;
}

qor::String LibEDIDLog::getString(const qor::String& key) {
    return detail::text(key.str());
}

void LibEDIDLog::setMesg() {
    const qor::TextTable& table = detail::currentTexts();
    const std::string_view wanted = getKey().str();
    const qor::TextTable::Entry* entry = table.findEntry(wanted);
    if (entry == nullptr) {
        detail::noteMissingText(wanted);
        reportMissingText();
        return;
    }
    // Room for the values too: most texts then take one allocation.
    mesg.reserve(entry->text().size() + kValueRoom);
    mesg = entry->text();
    const auto found = table.placeholders(*entry);
    openPlaceholders = static_cast<std::uint32_t>(std::min(found.size(), kMaxPlaceholders));
    for (std::uint32_t i = 0; i < openPlaceholders; ++i) {
        placeholders[i] = {found[i].offset, found[i].length};
    }
}

void LibEDIDLog::reportMissingText() const {
    QOR_LOG(logger(), 3,
            "38 " + "unable to find string in resource DB for key: \"LocalizedString." + getKey() +
                "\"");
}

namespace detail {

// The template is copied once into a buffer of the final size. A placeholder takes the first
// fill of its name; one without a fill stays as written and open for setVariable.
LibEDIDLog MessageBuilder::build(std::string_view key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                                 LibEDIDLog::LIBEDID_LOG_CAT category,
                                 std::span<const Fill> fills) {
    const qor::TextTable::Entry* entry = currentTexts().findEntry(key);
    if (entry == nullptr) {
        noteMissingText(key);
    }
    return fillTemplate(entry, key, level, category, fills);
}

LibEDIDLog MessageBuilder::build(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                                 LibEDIDLog::LIBEDID_LOG_CAT category,
                                 std::span<const Fill> fills) {
    return fillTemplate(findEntry(key), key, level, category, fills);
}

LibEDIDLog MessageBuilder::fillTemplate(const qor::TextTable::Entry* entry, std::string_view key,
                                        LibEDIDLog::LIBEDID_LOG_LEVEL level,
                                        LibEDIDLog::LIBEDID_LOG_CAT category,
                                        std::span<const Fill> fills) {
    LibEDIDLog record(level, category);
    if (entry == nullptr) {
        record.key = qor::String(key);
        record.reportMissingText();
        return record;
    }
    const qor::TextTable& table = currentTexts();
    record.lastingKey = &table.key(*entry);
    const std::string_view text = entry->text().str();
    const auto found = table.placeholders(*entry);
    const std::size_t count = std::min(found.size(), LibEDIDLog::kMaxPlaceholders);

    std::array<const Fill*, LibEDIDLog::kMaxPlaceholders> chosen{};
    std::size_t size = text.size();
    bool open = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view name = text.substr(found[i].offset + 1, found[i].length - 2);
        for (const Fill& fill : fills) {
            if (fill.name == name) {
                chosen[i] = &fill;
                size += fill.value.size() - found[i].length;
                break;
            }
        }
        open = open || chosen[i] == nullptr;
    }

    std::string out;
    out.reserve(size + (open ? kValueRoom : 0));
    std::size_t from = 0;
    for (std::size_t i = 0; i < count; ++i) {
        out.append(text, from, found[i].offset - from);
        if (chosen[i] != nullptr) {
            out.append(chosen[i]->value);
        } else {
            record.placeholders[record.openPlaceholders++] = {
                static_cast<std::uint32_t>(out.size()), found[i].length};
            out.append(text, found[i].offset, found[i].length);
        }
        from = found[i].offset + found[i].length;
    }
    out.append(text, from);
    record.mesg = qor::String(std::move(out));
    return record;
}

LibEDIDLog makeMessage(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                       LibEDIDLog::LIBEDID_LOG_CAT category, std::initializer_list<Fill> first,
                       std::initializer_list<Fill> more) {
    // Only the first fill of a name counts, so more than one per placeholder is never needed.
    std::array<Fill, 2 * LibEDIDLog::kMaxPlaceholders> fills;
    std::size_t count = 0;
    for (const std::initializer_list<Fill>& list : {first, more}) {
        for (const Fill& fill : list) {
            if (count < fills.size()) {
                fills[count++] = fill;
            }
        }
    }
    return MessageBuilder::build(key, level, category, std::span<const Fill>(fills.data(), count));
}

}  // namespace detail

}  // namespace libEDID
