// Every message and label key that the verifiers look up must have a text: parse EDIDs that
// reach every table row and branch (every value of the bytes that select texts, every
// descriptor tag) and ask the resource database which keys it could not find. Every bundle
// shipped in resources/ holds the keys of its English bundle, with the same placeholders and
// the rules of value reports kept, and the library has each of them built in.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "TempDir.h"
#include "libEDID/libEDID.h"
#include "qor/Resource.h"
#include "qor/TextLines.h"

namespace {

using edidtest::EdidBuilder;

// The missing keys are remembered process-wide, also those that other tests look up on purpose.
std::set<std::string> missingKeys() {
    std::set<std::string> keys;
    for (const qor::String& key : qor::Resource::getMissingKeys("libEDID")) {
        keys.insert(key.str());
    }
    return keys;
}

TEST(TextCoverageTest, EveryKeyLookedUpHasAText) {
    const std::set<std::string> before = missingKeys();
    std::vector<EdidBuilder> edids;
    for (unsigned value = 0; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        // Video input, feature support, detailed timing flags and a descriptor of every tag.
        edids.push_back(EdidBuilder().videoInput(byte).features(byte).set(0x15, {0, 0, 0xFF}));
        edids.push_back(EdidBuilder().detailedTiming(0, 14850, 1920, 280, 1080, 45, byte));
        edids.push_back(EdidBuilder().displayDescriptor(3, byte, {0x0A, 0x00, 0xFF, 0x80}, 1));
        // Range limits with every timing-support form and CVT support bytes.
        edids.push_back(EdidBuilder().displayDescriptor(
            1, 0xFD,
            {40, 10, 90, 30, 17, static_cast<std::uint8_t>(value % 5), 0x11, byte, 0, byte, byte,
             byte, byte},
            0x0F));
        // CVT 3-byte codes, color point and string descriptors with odd bytes.
        edids.push_back(EdidBuilder().displayDescriptor(
            2, 0xF8, {0x00, byte, byte, byte, 0, 0, 0, byte, 0x0A, 0x80, 0, 0, 0}));
        edids.push_back(EdidBuilder().displayDescriptor(
            2, 0xFB, {0, byte, byte, byte, 0xFF, byte, 0, byte, byte, 0xFF, 0, 0, 0}));
    }
    edids.push_back(EdidBuilder()
                        .set(0, {0, 1, 2, 3, 4, 5, 6, 7})
                        .set(0x08, {0, 0})
                        .set(0x10, {100})
                        .version(1, 3)
                        .extensionBlock(0x02)
                        .extensionBlock(0x70));
    for (const EdidBuilder& builder : edids) {
        edidtest::Parsed parsed(builder.bytes());
        parsed.parser.verifyChecksum(false);
        parsed.parse();
    }

    std::vector<std::string> added;
    const std::set<std::string> after = missingKeys();
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::back_inserter(added));
    EXPECT_TRUE(added.empty()) << "first missing key: " << added.front();
}

// A bundle file of resources/: "<section>.<locale>.txt".
struct Bundle {
    std::string section;
    std::string locale;
    std::map<std::string, std::string> texts;
    std::vector<std::string> duplicates;  // keys given more than once
};

std::vector<Bundle> shippedBundles() {
    std::vector<Bundle> bundles;
    for (const auto& file : std::filesystem::directory_iterator(RESOURCE_DIR)) {
        const std::string name = file.path().filename().string();
        const std::smatch parts = [&] {
            std::smatch match;
            std::regex_match(name, match, std::regex(R"(([^.]+)\.([^.]+)\.txt)"));
            return match;
        }();
        if (parts.empty()) {
            continue;
        }
        Bundle bundle{parts[1], parts[2], {}, {}};
        const std::string content = edidtest::TempDir::read(file.path().string());
        qor::forEachTextLine(
            content, [](std::string_view) {},
            [&](std::string_view key, std::string_view text) {
                if (!bundle.texts.emplace(key, text).second) {
                    bundle.duplicates.emplace_back(key);
                }
            });
        bundles.push_back(std::move(bundle));
    }
    return bundles;
}

// The "{name}" placeholders of a template, sorted.
std::vector<std::string> placeholders(const std::string& text) {
    std::vector<std::string> found;
    const std::regex placeholder(R"(\{[^{}]*\})");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder);
         it != std::sregex_iterator(); ++it) {
        found.push_back(it->str());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// The placeholder that a value report puts right after the first ": " (quote marks aside), or
// "" when none stands there: the text after the first ": " becomes a property's value.
std::string valueAfterLeadIn(const std::string& text) {
    const std::size_t leadIn = text.find(": ");
    if (leadIn == std::string::npos) {
        return "";
    }
    std::size_t at = leadIn + 2;
    while (at < text.size() && text[at] != '{' &&
           !std::isalnum(static_cast<unsigned char>(text[at])) && text[at] != ' ') {
        ++at;  // a quote mark, ASCII or UTF-8
    }
    const std::size_t close = text.find('}', at);
    return at < text.size() && text[at] == '{' && close != std::string::npos
               ? text.substr(at, close - at + 1)
               : "";
}

// Each bundle against the English bundle of its section: the same keys, no key twice, the same
// placeholders; where English puts a value right after the first ": " (a value report), the
// translation puts the same one there; a text without placeholders (a label that may become a
// report's {type}) has a ": " only where English has one.
TEST(TextCoverageTest, EveryShippedBundleHasTheKeysAndPlaceholdersOfEnglish) {
    const std::vector<Bundle> bundles = shippedBundles();
    std::map<std::string, const Bundle*> english;
    for (const Bundle& bundle : bundles) {
        if (bundle.locale == "en") {
            english[bundle.section] = &bundle;
        }
    }
    ASSERT_EQ(english.count("libEDID"), 1u);
    ASSERT_EQ(english.count("edid-check"), 1u);
    for (const Bundle& bundle : bundles) {
        SCOPED_TRACE(bundle.section + "." + bundle.locale + ".txt");
        EXPECT_THAT(bundle.duplicates, testing::IsEmpty());
        ASSERT_EQ(english.count(bundle.section), 1u) << "no English bundle of the section";
        const auto& reference = english.at(bundle.section)->texts;
        EXPECT_FALSE(bundle.texts.empty());
        for (const auto& [key, text] : reference) {
            const auto translated = bundle.texts.find(key);
            if (translated == bundle.texts.end()) {
                ADD_FAILURE() << "missing key " << key;
                continue;
            }
            EXPECT_EQ(placeholders(translated->second), placeholders(text)) << key;
            if (const std::string value = valueAfterLeadIn(text); !value.empty()) {
                EXPECT_EQ(valueAfterLeadIn(translated->second), value) << key;
            }
            if (placeholders(text).empty() && text.find(": ") == std::string::npos) {
                EXPECT_EQ(translated->second.find(": "), std::string::npos) << key;
            }
        }
        for (const auto& [key, text] : bundle.texts) {
            EXPECT_EQ(reference.count(key), 1u) << "key unknown to English: " << key;
        }
    }
    // Each bundle of the library is built in, whole: its locale answers with its texts.
    std::set<std::string> builtIn;
    for (const qor::String& locale : libEDID::getTextLocales()) {
        builtIn.insert(locale.str());
    }
    for (const Bundle& bundle : bundles) {
        if (bundle.section != "libEDID") {
            continue;
        }
        EXPECT_EQ(builtIn.count(bundle.locale), 1u) << bundle.locale;
        EXPECT_EQ(libEDID::getTextLanguage(qor::QORLocale(bundle.locale)).used,
                  qor::String(bundle.locale));
        for (const auto& [key, text] : bundle.texts) {
            qor::String found;
            qor::Resource::getString("libEDID", key.c_str(), found, qor::QORLocale(bundle.locale));
            EXPECT_EQ(found.str(), text) << bundle.locale << " " << key;
        }
    }
}

}  // namespace
