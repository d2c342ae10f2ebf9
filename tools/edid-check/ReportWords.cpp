#include "ReportWords.h"

#include <mutex>
#include <string_view>

#include "qor/Resource.h"

// Generated at build time (cmake/TextBundles.cmake): hands every bundle
// resources/edid-check.<locale>.txt to `add`.
void addBuiltInEdidCheckTexts(void (*add)(const char* locale, const qor::ConstantBundle& bundle));

namespace edidcheck {

namespace {

constexpr const char* kSection = "edid-check";
constexpr std::string_view kPrefix = "ReportText.";

void ensureBuiltInWords() {
    static std::once_flag once;
    std::call_once(once, [] {
        addBuiltInEdidCheckTexts([](const char* locale, const qor::ConstantBundle& bundle) {
            qor::Resource::addDefaultStrings(kSection, locale, bundle);
        });
    });
}

}  // namespace

ReportWords reportWords() {
    ensureBuiltInWords();
    const auto table =
        qor::Resource::getTextTable(kSection, qor::QORLocale::getGlobalLocale(), kPrefix);
    // A key without a text (a bundle that lacks it) reads as the key.
    const auto word = [&table](std::string_view key) {
        const qor::String* text = table->find(key);
        return text != nullptr ? text->str() : std::string(key);
    };
    return ReportWords{word("Errors"),     word("Warnings"), word("Information"),
                       word("Properties"), word("HexDump"),  word("NotRead")};
}

}  // namespace edidcheck
