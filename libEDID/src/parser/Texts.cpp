#include "parser/Texts.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "qor/Resource.h"

// Generated at build time from resources/libEDID.en.txt.
extern const char* const kLibEDIDEnglishTexts;

namespace libEDID::detail {

namespace {

constexpr std::string_view kSection = "libEDID";
constexpr std::string_view kKeyPrefix = "LocalizedString.";

struct ThreadTexts {
    std::shared_ptr<const qor::TextTable> table;
    std::uint64_t generation = 0;
    unsigned scopes = 0;  // open TextScopes of the thread
};

ThreadTexts& threadTexts() {
    thread_local ThreadTexts texts;
    return texts;
}

}  // namespace

const qor::TextTable& currentTexts() {
    ThreadTexts& texts = threadTexts();
    if (texts.scopes > 0) {
        return *texts.table;  // fetched when the scope opened
    }
    ensureDefaultTexts();
    // Read before the table is fetched: a change in between makes the next call fetch again.
    const std::uint64_t generation = qor::Resource::getTextGeneration();
    if (!texts.table || texts.generation != generation) {
        texts.table = qor::Resource::getTextTable(qor::String(kSection),
                                                  qor::QORLocale::getGlobalLocale(), kKeyPrefix);
        texts.generation = generation;
    }
    return *texts.table;
}

void ensureDefaultTexts() {
    static std::once_flag once;
    std::call_once(once,
                   [] { qor::Resource::addDefaultStrings("libEDID", "en", kLibEDIDEnglishTexts); });
}

void noteMissingText(std::string_view key) {
    std::string resourceKey(kKeyPrefix);
    resourceKey += key;
    qor::Resource::noteMissingKey(qor::String(kSection), resourceKey);
}

const qor::String* findText(std::string_view key) {
    const qor::String* found = currentTexts().find(key);
    if (found == nullptr) {
        noteMissingText(key);
    }
    return found;
}

const qor::String& text(std::string_view key) {
    const qor::String* found = findText(key);
    return found != nullptr ? *found : qor::String::EMPTY();
}

TextScope::TextScope() {
    currentTexts();
    ++threadTexts().scopes;
}

TextScope::~TextScope() {
    --threadTexts().scopes;
}

}  // namespace libEDID::detail
