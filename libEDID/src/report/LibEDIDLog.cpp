#include "libEDID/LibEDIDLog.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "report/MessageBuilder.h"
#include "report/Texts.h"
#include "sources/ClassLogger.h"

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
    std::size_t kept = 0;
    std::int64_t shift = 0;
    for (std::size_t i = 0; i < placeholders.size(); ++i) {
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
    placeholders.resize(kept);
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
    const std::string_view text = table.view(*entry);
    qor::String fresh;
    fresh.reserve(text.size() + kValueRoom);
    fresh.append(text);
    mesg = std::move(fresh);
    const auto found = table.placeholders(*entry);
    placeholders.clear();
    for (std::size_t i = 0; i < std::min(found.size(), kMaxPlaceholders); ++i) {
        placeholders.push_back({found[i].offset, found[i].length});
    }
}

void LibEDIDLog::reportMissingText() const {
    QOR_LOG(logger(), 3,
            "38 " + "unable to find string in resource DB for key: \"LocalizedString." + getKey() +
                "\"");
}

namespace detail {

LibEDIDLog MessageBuilder::build(std::string_view key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                                 LibEDIDLog::LIBEDID_LOG_CAT category,
                                 std::span<const Fill> fills) {
    const qor::TextTable& table = currentTexts();
    const qor::TextTable::Entry* entry = table.findEntry(key);
    if (entry == nullptr) {
        noteMissingText(key);
    }
    return fillTemplate({&table, entry}, key, level, category, fills);
}

LibEDIDLog MessageBuilder::build(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                                 LibEDIDLog::LIBEDID_LOG_CAT category,
                                 std::span<const Fill> fills) {
    return fillTemplate(findTemplate(key), key, level, category, fills);
}

qor::String MessageBuilder::text(const char* key, std::span<const Fill> fills) {
    LibEDIDLog made = fillTemplate(findTemplate(key), key, LibEDIDLog::LIBEDID_LOG_LEVEL_INFO,
                                   LibEDIDLog::LIBEDID_LOG_CAT_GENERAL, fills);
    return std::move(made.mesg);
}

namespace {

// Texts of 4 to 64 bytes are handled as words of one size: the first and the last, which
// overlap for sizes between the word sizes.
template <typename Word>
[[gnu::always_inline]] inline Word load(const char* from) {
    Word word;
    std::memcpy(&word, from, sizeof word);
    return word;
}

template <typename Word>
[[gnu::always_inline]] inline void store(char* to, Word word) {
    std::memcpy(to, &word, sizeof word);
}

template <typename Word>
[[gnu::always_inline]] inline bool sameEnds(const char* a, const char* b, std::size_t size) {
    return load<Word>(a + size - sizeof(Word)) == load<Word>(b + size - sizeof(Word)) &&
           load<Word>(a) == load<Word>(b);
}

template <typename Word>
[[gnu::always_inline]] inline void copyEnds(char* to, const char* from, std::size_t size) {
    const Word head = load<Word>(from);
    const Word tail = load<Word>(from + size - sizeof(Word));
    store(to, head);
    store(to + size - sizeof(Word), tail);
}

// Placeholder names are a few letters, often of one stem ("value1" to "value16"): their last
// bytes, compared first, tell most of them apart.
[[gnu::always_inline]] inline bool sameName(std::string_view a, std::string_view b) {
    const std::size_t size = a.size();
    if (size != b.size()) {
        return false;
    }
    if (size > 16) {
        return a == b;
    }
    if (size >= 8) {
        return sameEnds<std::uint64_t>(a.data(), b.data(), size);
    }
    if (size >= 4) {
        return sameEnds<std::uint32_t>(a.data(), b.data(), size);
    }
    return size == 0 || (a[size - 1] == b[size - 1] && a[0] == b[0] && a[size / 2] == b[size / 2]);
}

// Sixteen bytes, moved by one load and one store.
struct Block16 {
    unsigned char bytes[16];
};

// Copies `size` bytes. The parts of a message are mostly a few dozen bytes long: those are
// copied as words instead of by a call.
[[gnu::always_inline]] inline void copyBytes(char* to, const char* from, std::size_t size) {
    if (size > 64) {
        std::memcpy(to, from, size);
    } else if (size > 32) {
        copyEnds<Block16>(to, from, 32);                          // the first 32 bytes
        copyEnds<Block16>(to + size - 32, from + size - 32, 32);  // and the last 32
    } else if (size > 16) {
        copyEnds<Block16>(to, from, size);
    } else if (size >= 8) {
        copyEnds<std::uint64_t>(to, from, size);
    } else if (size >= 4) {
        copyEnds<std::uint32_t>(to, from, size);
    } else if (size > 0) {
        to[0] = from[0];
        to[size / 2] = from[size / 2];
        to[size - 1] = from[size - 1];
    }
}

}  // namespace

// The template is copied once into a buffer of the final size. A placeholder takes the fill of
// its name; one without a fill stays as written and open for setVariable.
LibEDIDLog MessageBuilder::fillTemplate(const Template& found, std::string_view key,
                                        LibEDIDLog::LIBEDID_LOG_LEVEL level,
                                        LibEDIDLog::LIBEDID_LOG_CAT category,
                                        std::span<const Fill> fills) {
    LibEDIDLog record(level, category);
    if (found.entry == nullptr) {
        record.key = qor::String(key);
        record.reportMissingText();
        return record;
    }
    record.lastingKey = &found.table->key(*found.entry);
    const std::string_view text = found.table->view(*found.entry);
    const auto all = found.table->placeholders(*found.entry);
    const auto placeholders = all.first(std::min(all.size(), LibEDIDLog::kMaxPlaceholders));

    std::array<const Fill*, LibEDIDLog::kMaxPlaceholders> chosen;  // set for each placeholder
    std::size_t size = text.size();
    bool open = false;
    // Fills mostly come in the order of the placeholders: the search for a name starts after
    // the fill that matched the previous one, and goes round once.
    std::size_t next = 0;
    for (std::size_t i = 0; i < placeholders.size(); ++i) {
        const std::string_view name =
            text.substr(placeholders[i].offset + 1, placeholders[i].length - 2);
        chosen[i] = nullptr;
        std::size_t at = next;
        for (std::size_t tried = 0; tried < fills.size(); ++tried, ++at) {
            if (at == fills.size()) {
                at = 0;
            }
            if (sameName(fills[at].name, name)) {
                chosen[i] = &fills[at];
                size += fills[at].value.size() - placeholders[i].length;
                next = at + 1;
                break;
            }
        }
        open = open || chosen[i] == nullptr;
    }

    std::string out;
    out.reserve(size + (open ? kValueRoom : 0));
    out.resize(size);
    char* at = out.data();
    const auto put = [&at](std::string_view part) {
        copyBytes(at, part.data(), part.size());
        at += part.size();
    };
    std::size_t from = 0;
    for (std::size_t i = 0; i < placeholders.size(); ++i) {
        const qor::TextPlaceholder& placeholder = placeholders[i];
        put(text.substr(from, placeholder.offset - from));
        if (chosen[i] != nullptr) {
            put(chosen[i]->value);
        } else {
            record.placeholders.push_back(
                {static_cast<std::uint32_t>(at - out.data()), placeholder.length});
            put(text.substr(placeholder.offset, placeholder.length));
        }
        from = placeholder.offset + placeholder.length;
    }
    put(text.substr(from));
    record.mesg = qor::String(std::move(out));
    return record;
}

LibEDIDLog makeMessage(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                       LibEDIDLog::LIBEDID_LOG_CAT category, std::initializer_list<Fill> first,
                       std::initializer_list<Fill> more) {
    // The first fill of a name counts: later ones of the same name are left out.
    std::array<Fill, 2 * LibEDIDLog::kMaxPlaceholders> fills;
    std::size_t count = 0;
    for (const std::initializer_list<Fill>& list : {first, more}) {
        for (const Fill& fill : list) {
            const auto end = fills.begin() + static_cast<std::ptrdiff_t>(count);
            const bool seen = std::any_of(fills.begin(), end, [&](const Fill& earlier) {
                return sameName(earlier.name, fill.name);
            });
            if (!seen && count < fills.size()) {
                fills[count++] = fill;
            }
        }
    }
    return MessageBuilder::build(key, level, category, std::span<const Fill>(fills.data(), count));
}

}  // namespace detail

}  // namespace libEDID
