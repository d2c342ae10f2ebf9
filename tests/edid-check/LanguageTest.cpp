// edid-check in a second language: the German reports of a few test EDIDs against goldens
// (tests/golden/lang-de), the same report structure in German and English over every test
// EDID, and the one stderr line when the language asked for has no texts or lacks some.
// After an intended change of the German output, regenerate the goldens with
// LIBEDID_UPDATE_GOLDENS=1 (docs/testing.md) and review the diff.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "TestData.h"
#include "ToolRunner.h"

namespace edidchecktest {
namespace {

using ::testing::HasSubstr;

const fs::path kGoldenDir = fs::path(GOLDEN_DIR) / "lang-de";

bool updating() {
    const char* flag = std::getenv("LIBEDID_UPDATE_GOLDENS");
    return flag != nullptr && std::string(flag) == "1";
}

// Test EDIDs that together reach most message and property keys: CTA-861 data blocks of many
// kinds, an analog EDID 1.4, errors and a DCM descriptor, DisplayID with a tiled topology, and
// a wrong extension checksum.
const std::vector<std::string> kGoldenEdids{
    "GBT-2800-1.3-digital-67bfa7da.bin", "DEL-D017-1.4-analog-f09312b7.bin",
    "VIT-03DE-1.3-digital-dc19e1b1.bin", "APP-AE22-1.4-digital-66d51391.bin",
    "IVM-6628-1.3-digital-b36074c7.bin"};

// The JSON line's texts, one a line: "M <key> <level> <category> <text>" for each message and
// "P <name> <value>" for each property, texts as JSON strings (UTF-8 kept, "\n" escaped).
std::string jsonTexts(const std::string& out) {
    std::string lines;
    for (const Json& object : ToolResult{0, out, ""}.json()) {
        for (const Json& message : object["messages"]) {
            lines += "M " + message["key"].get<std::string>() + " " + message["level"].dump() +
                     " " + message["category"].dump() + " " + message["text"].dump(-1, ' ', false) +
                     "\n";
        }
        for (const Json& property : object["properties"]) {
            lines += "P " + property["name"].get<std::string>() + " " +
                     property["value"].dump(-1, ' ', false) + "\n";
        }
    }
    return lines;
}

// A report form with goldens: the options and what of the output is kept.
struct ReportForm {
    const char* name;  // the golden is <EDID stem>.<name>.txt
    const char* options;
    std::function<std::string(const std::string&)> kept;
};

const std::vector<ReportForm>& reportForms() {
    static const std::vector<ReportForm> forms{
        {"report", "--all-messages --properties", [](const std::string& out) { return out; }},
        {"json", "--json", jsonTexts},
        {"summary", "--summary", [](const std::string& out) { return out; }},
    };
    return forms;
}

class LanguageTest : public ::testing::Test {
  protected:
    Workspace workspace;
};

TEST_F(LanguageTest, GermanReportsMatchTheirGoldens) {
    for (const std::string& edid : kGoldenEdids) {
        for (const ReportForm& form : reportForms()) {
            const fs::path golden =
                kGoldenDir / (fs::path(edid).stem().string() + "." + form.name + ".txt");
            SCOPED_TRACE(golden.string());
            // Run from the data folder, so that the source's name is the file's name alone.
            const ToolResult result =
                workspace.run(std::string("--lang de ") + form.options + " " + edid, "",
                              "/dev/null", "", dataFile(edid).parent_path());
            EXPECT_EQ(result.err, "");
            const std::string actual = form.kept(result.out);
            if (updating()) {
                std::ofstream(golden, std::ios::binary | std::ios::trunc) << actual;
                continue;
            }
            ASSERT_TRUE(fs::exists(golden)) << "regenerate with LIBEDID_UPDATE_GOLDENS=1";
            const Bytes raw = readBytes(golden);
            EXPECT_EQ(std::string(raw.begin(), raw.end()), actual);
        }
    }
}

// The HTML report of a German run names its language and carries the German texts of the
// page, the findings and the capabilities, none of their English ones.
TEST_F(LanguageTest, GermanHtmlReportIsMarkedGermanAndReadsGerman) {
    const fs::path page = workspace.root() / "report.html";
    const std::string edid = "GBT-2800-1.3-digital-67bfa7da.bin";
    const ToolResult result = workspace.run("--lang de --html " + shellQuoted(page) + " " + edid,
                                            "", "/dev/null", "", dataFile(edid).parent_path());
    EXPECT_EQ(result.err, "");
    const Bytes html = readBytes(page);
    const std::string text(html.begin(), html.end());
    EXPECT_THAT(text, HasSubstr("<html lang=\"de\">"));
    for (const char* german : {"EDID-Bericht", "Fähigkeiten", "Farbe", "Normfarbtafel"}) {
        EXPECT_THAT(text, HasSubstr(german));
    }
    for (const char* english :
         {"EDID report", "Capabilities", "Findings", "chromaticity diagram"}) {
        EXPECT_THAT(text, ::testing::Not(HasSubstr(english)));
    }
}

// Message keys, levels, categories and line counts of every text; property names and kinds,
// the line counts of text values, the sizes of lists and the other values themselves.
std::string structureOf(const std::vector<Json>& objects) {
    std::string shape;
    const auto lines = [](const Json& text) {
        return std::to_string(linesOf(text.get<std::string>()).size());
    };
    for (const Json& object : objects) {
        for (const Json& message : object["messages"]) {
            shape += message["key"].get<std::string>() + " " + message["level"].dump() + " " +
                     message["category"].dump() + " " + lines(message["text"]) + "\n";
        }
        for (const Json& property : object["properties"]) {
            const Json& value = property["value"];
            shape += property["name"].get<std::string>() + " " + value.type_name() + " " +
                     (value.is_string()  ? lines(value)
                      : value.is_array() ? std::to_string(value.size())
                                         : value.dump()) +
                     "\n";
        }
    }
    return shape;
}

// Over every test EDID the German messages and properties are those of English, word for
// word only where the texts are numbers and names, and no text is empty or has a placeholder
// left open.
TEST_F(LanguageTest, GermanHasTheStructureOfEnglish) {
    std::string arguments;
    for (const edidtest::EdidFile& file : edidtest::edidFiles(edidtest::edidDataDir())) {
        arguments += " " + shellQuoted(file.path);
    }
    const ToolResult english = workspace.run("--json" + arguments);
    const ToolResult german = workspace.run("--lang de --json" + arguments);
    EXPECT_EQ(german.status, english.status);
    EXPECT_EQ(german.err, "");
    const std::vector<Json> englishObjects = english.json();
    const std::vector<Json> germanObjects = german.json();
    ASSERT_EQ(germanObjects.size(), englishObjects.size());
    std::size_t differing = 0;
    std::size_t messages = 0;
    for (std::size_t i = 0; i < germanObjects.size(); ++i) {
        const Json& en = englishObjects[i]["messages"];
        const Json& de = germanObjects[i]["messages"];
        ASSERT_EQ(de.size(), en.size());
        for (std::size_t m = 0; m < de.size(); ++m) {
            const std::string text = de[m]["text"].get<std::string>();
            EXPECT_FALSE(text.empty());
            EXPECT_THAT(text, ::testing::Not(::testing::ContainsRegex("\\{[a-z0-9]+\\}")));
            differing += text != en[m]["text"].get<std::string>() ? 1 : 0;
            ++messages;
        }
    }
    EXPECT_EQ(structureOf(germanObjects), structureOf(englishObjects));
    // "Gamma: 2.20" and "EDID-Version: 1" read alike; most texts do not.
    EXPECT_GT(differing, messages * 9 / 10);
}

// The stderr line about the language, and the report it goes with: none for a language with
// texts or one that falls back to such a language; one line naming the language and English
// when there are none; one line with the number of texts a bundle lacks. The exit status
// follows the findings only.
TEST_F(LanguageTest, AMissingLanguageOrMissingTextsAreSaid) {
    const std::string edid = shellQuoted(dataFile("IVM-6628-1.3-digital-b36074c7.bin"));
    const ToolResult english = workspace.run("--lang en " + edid);
    const ToolResult german = workspace.run("--lang de " + edid);
    ASSERT_EQ(english.status, 1);
    EXPECT_NE(german.out, english.out);
    EXPECT_THAT(german.out, HasSubstr("Prüfsummenfehler"));

    struct Case {
        const char* language;
        const std::string* expectedOut;
        const char* expectedErr;
    };
    const Case cases[] = {
        {"de_DE", &german.out, ""},
        {"de_AT", &german.out, ""},
        {"de.UTF-8", &german.out, ""},
        {"en_US", &english.out, ""},
        {"xx_YY", &english.out,
         "edid-check: no texts in language \"xx_YY\"; the messages are in English (en)\n"},
        {"fr", &english.out,
         "edid-check: no texts in language \"fr\"; the messages are in English (en)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        const ToolResult result = workspace.run(std::string("--lang ") + c.language + " " + edid);
        EXPECT_EQ(result.status, english.status);
        EXPECT_EQ(result.out, *c.expectedOut);
        EXPECT_EQ(result.err, c.expectedErr);
    }

    // A French bundle of two texts: every other text of the English bundle is said to be read
    // in English, once.
    std::size_t englishKeys = 0;
    std::ifstream bundle(fs::path(RESOURCE_DIR) / "libEDID.en.txt");
    for (std::string line; std::getline(bundle, line);) {
        englishKeys += line.starts_with("LocalizedString.") ? 1 : 0;
    }
    workspace.write("res/libEDID.fr.txt",
                    "LocalizedString.Yes = Oui\nLocalizedString.No = Non\n# LocalizedString.X\n");
    const ToolResult french =
        workspace.run("--lang fr_CA --all-messages " + edid,
                      "QOR_RESOURCE_DIR=" + shellQuoted(workspace.root() / "res"));
    EXPECT_EQ(french.status, 1);
    EXPECT_THAT(french.out, HasSubstr(": Oui\n"));
    EXPECT_EQ(french.err, "edid-check: " + std::to_string(englishKeys - 2) +
                              " texts are missing in language \"fr\"; they are in English\n");
}

}  // namespace
}  // namespace edidchecktest
