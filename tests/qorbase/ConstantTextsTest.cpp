#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "qor/Resource.h"
#include "qor/TextLines.h"

namespace {

using qor::QORLocale;
using qor::Resource;
using qor::TextTable;

// A bundle with what an index must get right: a key given twice (the first text counts), keys
// without the prefix, keys shorter and longer than a hash word, an empty text, and braces that
// are not placeholders ("{}" is one with an empty name, "{a{b}" holds only "{b}").
constexpr std::string_view kBundle =
    "# texts\n"
    "P.Short = {a} and {bb}\n"
    "P.AKeyLongerThanSixteenBytes = {a{b} x {} y }{z}\n"
    "P.Short = the second text of Short\n"
    "Other.Key = not under the prefix\n"
    "P.Eight678 = no placeholders\n"
    "P.Empty =\n"
    "P. = {only}\n";
constexpr std::string_view kPrefix = "P.";
constexpr auto kEntries = qor::splitTextEntries<qor::countTextEntries(kBundle)>(kBundle);
constexpr qor::TextIndexSize kSize = qor::textIndexSize(kEntries, kPrefix);
constexpr auto kIndex = qor::indexTextEntries<kSize.texts, kSize.placeholders>(kEntries, kPrefix);
static_assert(kIndex.textCount == 5, "Short once, Other.Key left out");

const std::vector<std::string> kProbes{"Short",
                                       "AKeyLongerThanSixteenBytes",
                                       "Eight678",
                                       "Empty",
                                       "",
                                       "Other.Key",
                                       "Key",
                                       "P.Short",
                                       "Shor",
                                       "Eight67",
                                       "AKeyLongerThanSixteenBytesX"};

std::string placeholderList(const TextTable& table, const TextTable::Entry& entry) {
    std::string list;
    for (const qor::TextPlaceholder& placeholder : table.placeholders(entry)) {
        list += std::string(table.view(entry).substr(placeholder.offset, placeholder.length));
        list += '|';
    }
    return list;
}

// What a table holds for each probe: "<absent>" or the text and its placeholders.
std::vector<std::string> contents(const TextTable& table) {
    std::vector<std::string> found;
    for (const std::string& key : kProbes) {
        const TextTable::Entry* entry = table.findEntry(key);
        found.push_back(entry == nullptr ? "<absent>"
                                         : std::string(table.view(*entry)) + " -> " +
                                               placeholderList(table, *entry));
    }
    return found;
}

// The index the compiler made answers every lookup as a table built at run time from the same
// entries, and as the bundle's format says.
TEST(ConstantTextsTest, AnIndexMadeByTheCompilerHoldsWhatARuntimeTableHolds) {
    TextTable built;
    built.reserve(kEntries.size());
    for (const qor::TextEntry& entry : kEntries) {
        if (entry.key.substr(0, kPrefix.size()) == kPrefix) {
            built.add(entry.key.substr(kPrefix.size()), entry.text, true);
        }
    }
    built.finish();
    const TextTable indexed(kIndex.index());

    const std::vector<std::string> expected{"{a} and {bb} -> {a}|{bb}|",
                                            "{a{b} x {} y }{z} -> {b}|{}|{z}|",
                                            "no placeholders -> ",
                                            " -> ",
                                            "{only} -> {only}|",
                                            "<absent>",
                                            "<absent>",
                                            "<absent>",
                                            "<absent>",
                                            "<absent>",
                                            "<absent>"};
    EXPECT_EQ(contents(built), expected);
    EXPECT_EQ(contents(indexed), expected);
    EXPECT_EQ(indexed.size(), built.size());
}

// Registered as a default bundle, the index is the table while nothing else stands in the
// locale chain; texts added for the section take precedence, and other prefixes still work.
TEST(ConstantTextsTest, ADefaultBundleIsReadInPlaceUntilOtherTextsComeIn) {
    static int runs = 0;
    const std::string section = "qt.constant." + std::to_string(++runs);
    Resource::addDefaultStrings(section, "en", qor::ConstantBundle{kEntries, kIndex.index()});

    const auto table = Resource::getTextTable(section, QORLocale("de_DE"), kPrefix);
    const TextTable::Entry* shortText = table->findEntry("Short");
    ASSERT_NE(shortText, nullptr);
    EXPECT_EQ(shortText, &kIndex.texts[0]);  // the index itself
    EXPECT_EQ(*Resource::getTextTable(section, QORLocale("en"), "Other.")->find("Key"),
              qor::String("not under the prefix"));

    Resource::addStrings(section, "de", "P.Short = kurz\n");
    const auto german = Resource::getTextTable(section, QORLocale("de_DE"), kPrefix);
    EXPECT_EQ(*german->find("Short"), qor::String("kurz"));
    EXPECT_EQ(*german->find("Eight678"), qor::String("no placeholders"));
    EXPECT_EQ(*Resource::getTextTable(section, QORLocale("en"), kPrefix)->find("Short"),
              qor::String("{a} and {bb}"));

    // A bundle without an index is read entry by entry, whatever the prefix.
    Resource::addDefaultStrings(section + ".plain", "en", qor::ConstantBundle{kEntries, {}});
    for (const char* prefix : {"", "P."}) {
        const auto plain = Resource::getTextTable(section + ".plain", QORLocale("en"), prefix);
        const std::string_view key = std::string_view("P.Eight678").substr(std::strlen(prefix));
        EXPECT_NE(plain->find(key), nullptr) << prefix;
    }
}

// A bundle split and indexed under kPrefix by the compiler.
template <const std::string_view& Text>
struct Indexed {
    static constexpr auto entries = qor::splitTextEntries<qor::countTextEntries(Text)>(Text);
    static constexpr qor::TextIndexSize size = qor::textIndexSize(entries, kPrefix);
    static constexpr auto index =
        qor::indexTextEntries<size.texts, size.placeholders>(entries, kPrefix);
    static qor::ConstantBundle bundle() { return {entries, index.index()}; }
};

// Translations of the keys of kBundle: one with every key, one without "Empty".
constexpr std::string_view kComplete =
    "P.Short = kurz\nP.AKeyLongerThanSixteenBytes = lang\nP.Eight678 = acht\nP.Empty = leer\n"
    "P. = {only}\nP.OnlyHere = nur hier\n";
constexpr std::string_view kPartial = "P.Short = kurz\nP.AKeyLongerThanSixteenBytes = lang\n";

// Two default bundles in one chain: a translation that has every key of English is read in
// place, as English alone is; one that lacks keys is merged with English into a table of its
// own.
TEST(ConstantTextsTest, ACompleteTranslationIsReadInPlaceAPartialOneIsMerged) {
    static int runs = 0;
    const std::string section = "qt.translated." + std::to_string(++runs);
    Resource::addDefaultStrings(section, "en", qor::ConstantBundle{kEntries, kIndex.index()});
    Resource::addDefaultStrings(section, "de", Indexed<kComplete>::bundle());
    Resource::addDefaultStrings(section, "fr", Indexed<kPartial>::bundle());

    const auto german = Resource::getTextTable(section, QORLocale("de_AT"), kPrefix);
    EXPECT_EQ(german->findEntry("Empty"), &Indexed<kComplete>::index.texts[3]);
    EXPECT_EQ(*german->find("Empty"), qor::String("leer"));
    EXPECT_EQ(german->size(), 6u);
    EXPECT_EQ(Resource::getTextTable(section, QORLocale("en"), kPrefix)->findEntry("Short"),
              &kIndex.texts[0]);

    const auto french = Resource::getTextTable(section, QORLocale("fr"), kPrefix);
    EXPECT_EQ(*french->find("Short"), qor::String("kurz"));
    EXPECT_EQ(*french->find("Eight678"), qor::String("no placeholders"));
    EXPECT_EQ(french->size(), 5u);
    const qor::TextTable::Entry* merged = french->findEntry("Short");
    EXPECT_NE(merged, &Indexed<kPartial>::index.texts[0]);
    EXPECT_EQ(french->view(*merged).data(), Indexed<kPartial>::index.texts[0].text);  // no copy

    // Coverage counts each English key under the prefix once, "Short" of kBundle given twice and
    // "Empty" both built in and added, and leaves "Other.Key" out.
    EXPECT_EQ(Resource::getTextCoverage(section, QORLocale("de"), kPrefix).fallbacks, 0u);
    EXPECT_EQ(Resource::getTextCoverage(section, QORLocale("fr"), kPrefix).fallbacks, 3u);
    Resource::addStrings(section, "en", "P.Empty = added\nP.New = added\n");
    EXPECT_EQ(Resource::getTextCoverage(section, QORLocale("fr_CA"), kPrefix).fallbacks, 4u);
    EXPECT_EQ(Resource::getTextCoverage(section, QORLocale("de"), kPrefix).fallbacks, 1u);
}

}  // namespace
