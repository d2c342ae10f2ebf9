#include "report/Texts.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "qor/PerThread.h"
#include "qor/Resource.h"

// Generated at build time (cmake/TextBundles.cmake): hands every bundle
// resources/libEDID.<locale>.txt, split into entries and indexed under "LocalizedString." by the
// compiler, to `add`.
void addBuiltInLibEDIDTexts(void (*add)(const char* locale, const qor::ConstantBundle& bundle));

namespace libEDID::detail {

namespace {

constexpr std::string_view kSection = "libEDID";
constexpr std::string_view kKeyPrefix = "LocalizedString.";

// Lookups by a key of static storage (the verifiers' literals and tables) are remembered by the
// key's address, for the table they were made in.
struct ThreadTexts {
    std::shared_ptr<const qor::TextTable> table;
    std::uint64_t generation = 0;
    unsigned scopes = 0;                               // open TextScopes of the thread
    AddressTable<const qor::TextTable::Entry*> cache;  // entries of `table`
};

ThreadTexts& threadTexts() {
    return qor::perThread<ThreadTexts>();
}

// Outside a TextScope: the table of the current locale and texts, fetched again when either
// changed.
[[gnu::noinline]] ThreadTexts& refreshedThreadTexts(ThreadTexts& texts) {
    ensureDefaultTexts();
    // Read before the table is fetched: a change in between makes the next call fetch again.
    const std::uint64_t generation = qor::Resource::getTextGeneration();
    if (!texts.table || texts.generation != generation) {
        texts.table = qor::Resource::getTextTable(qor::String(kSection),
                                                  qor::QORLocale::getGlobalLocale(), kKeyPrefix);
        texts.generation = generation;
        texts.cache.clear();
    }
    return texts;
}

// Within a parse (a TextScope) the thread keeps the table it fetched when the scope opened.
inline ThreadTexts& currentThreadTexts() {
    ThreadTexts& texts = threadTexts();
    return texts.scopes > 0 ? texts : refreshedThreadTexts(texts);
}

}  // namespace

const qor::TextTable& currentTexts() {
    return *currentThreadTexts().table;
}

Template findTemplate(const char* key) {
    ThreadTexts& texts = currentThreadTexts();
    const qor::TextTable* table = texts.table.get();
    if (const auto* cached = texts.cache.find(key)) {
        return {table, *cached};
    }
    const qor::TextTable::Entry* entry = table->findEntry(key);
    if (entry == nullptr) {
        noteMissingText(key);
        return {table, nullptr};
    }
    texts.cache.insert(key, 0, entry);
    return {table, entry};
}

void ensureDefaultTexts() {
    static std::once_flag once;
    std::call_once(once, [] {
        addBuiltInLibEDIDTexts([](const char* locale, const qor::ConstantBundle& bundle) {
            qor::Resource::addDefaultStrings(qor::String(kSection), locale, bundle);
        });
    });
}

qor::TextCoverage textCoverage(const qor::QORLocale& locale) {
    ensureDefaultTexts();
    return qor::Resource::getTextCoverage(qor::String(kSection), locale, kKeyPrefix);
}

std::vector<qor::String> textLocales() {
    ensureDefaultTexts();
    return qor::Resource::getTextLocales(qor::String(kSection));
}

void noteMissingText(std::string_view key) {
    std::string resourceKey(kKeyPrefix);
    resourceKey += key;
    qor::Resource::noteMissingKey(qor::String(kSection), resourceKey);
}

const qor::String& text(const char* key) {
    const Template found = findTemplate(key);
    return found.entry != nullptr ? found.table->text(*found.entry) : qor::String::EMPTY();
}

const qor::String& text(std::string_view key) {
    const qor::String* found = currentTexts().find(key);
    if (found == nullptr) {
        noteMissingText(key);
        return qor::String::EMPTY();
    }
    return *found;
}

TextScope::TextScope() {
    currentTexts();
    ++threadTexts().scopes;
}

TextScope::~TextScope() {
    --threadTexts().scopes;
}

}  // namespace libEDID::detail
