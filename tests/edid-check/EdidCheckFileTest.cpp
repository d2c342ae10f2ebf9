// edid-check end to end over files, hex text and standard input: the JSON members, the bytes
// reported as read, the text report, the options, the one-line errors and the exit statuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ToolRunner.h"

namespace edidchecktest {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::SizeIs;
using ::testing::StartsWith;

// Clean, 128 bytes; clean, 384 bytes with two extension blocks; extension checksum wrong.
const char* const kAnalog = "ACI-17D5-1.3-analog-83c8d582.bin";
const char* const kTwoExtensions = "ACR-0B3A-1.4-digital-bb967c25.bin";
const char* const kBadExtensionChecksum = "IVM-6628-1.3-digital-b36074c7.bin";

bool hasLevel2(const Json& object) {
    const Json& messages = object["messages"];
    return std::any_of(messages.begin(), messages.end(),
                       [](const Json& message) { return message["level"] == 2; });
}

// The members of one object, their order and their types.
void expectSchema(const Json& object) {
    std::vector<std::string> names;
    for (const auto& member : object.items()) {
        names.push_back(member.key());
    }
    EXPECT_THAT(names, ElementsAre("source", "accessible", "ok", "identifier", "productName",
                                   "serialNumber", "messages", "properties", "edidString", "edid"));
    EXPECT_TRUE(object["source"].is_string());
    EXPECT_TRUE(object["accessible"].is_boolean());
    EXPECT_TRUE(object["ok"].is_boolean());
    EXPECT_TRUE(object["identifier"].is_string() || object["identifier"].is_null());
    EXPECT_TRUE(object["productName"].is_string());
    EXPECT_TRUE(object["serialNumber"].is_string());
    EXPECT_TRUE(object["edidString"].is_string());
    EXPECT_TRUE(object["edid"].is_string());
    for (const Json& message : object["messages"]) {
        EXPECT_EQ(message.size(), 4U);
        EXPECT_TRUE(message["key"].is_string());
        EXPECT_TRUE(message["level"].is_number_unsigned());
        EXPECT_TRUE(message["category"].is_number_unsigned());
        EXPECT_TRUE(message["text"].is_string());
    }
    for (const Json& property : object["properties"]) {
        EXPECT_EQ(property.size(), 2U);
        EXPECT_TRUE(property["name"].is_string());
        const Json& value = property["value"];
        EXPECT_TRUE(value.is_string() || value.is_boolean() || value.is_number_unsigned() ||
                    value.is_array());
    }
}

// What the parser reads of raw bytes: the base block and the announced, present blocks.
std::string expectedEdidHex(const Bytes& raw) {
    const std::size_t present = raw.size() / 128 - 1;
    const std::size_t blocks = 1 + std::min<std::size_t>(raw[0x7E], present);
    return hexOf(Bytes(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(blocks * 128)));
}

Json withoutSource(Json object) {
    object.erase("source");
    return object;
}

class EdidCheckFileTest : public ::testing::Test {
  protected:
    Workspace workspace;
};

// Every corpus file in one run: one valid line per file, in argument order, with the bytes
// read and a status that follows from the level-2 messages.
TEST_F(EdidCheckFileTest, CorpusAsJsonLines) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(EDID_CORPUS_DIR)) {
        if (entry.path().extension() == ".bin") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    ASSERT_GT(files.size(), 100U);
    std::string arguments = "--json";
    for (const fs::path& file : files) {
        arguments += " " + shellQuoted(file);
    }
    const ToolResult result = workspace.run(arguments);
    const std::vector<Json> objects = result.json();
    ASSERT_EQ(objects.size(), files.size());
    bool anyLevel2 = false;
    std::vector<std::string> propertyKinds;
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].string());
        const Json& object = objects[i];
        expectSchema(object);
        EXPECT_EQ(object["source"], files[i].string());
        EXPECT_TRUE(object["ok"]);
        EXPECT_TRUE(object["identifier"].is_string());
        EXPECT_EQ(object["edid"], expectedEdidHex(readBytes(files[i])));
        anyLevel2 = anyLevel2 || hasLevel2(object);
        for (const Json& property : object["properties"]) {
            propertyKinds.push_back(property["value"].type_name());
        }
    }
    EXPECT_EQ(result.status, anyLevel2 ? 1 : 0);
    EXPECT_EQ(result.err, "");
    // Values keep their kind: text, flags, lists of modes.
    for (const char* kind : {"string", "boolean", "array"}) {
        EXPECT_NE(std::find(propertyKinds.begin(), propertyKinds.end(), kind), propertyKinds.end())
            << kind;
    }
}

TEST_F(EdidCheckFileTest, CleanFileReportsItsIdentityAndExitsZero) {
    const ToolResult result = workspace.run("--json " + shellQuoted(corpusFile(kTwoExtensions)));
    EXPECT_EQ(result.status, 0);
    const std::vector<Json> objects = result.json();
    ASSERT_THAT(objects, SizeIs(1));
    const Json& object = objects[0];
    EXPECT_TRUE(object["accessible"]);
    EXPECT_EQ(object["productName"], "ED270U P2");
    EXPECT_EQ(object["serialNumber"], "43300EA733W01");
    EXPECT_EQ(object["identifier"], "ED270U P2-43300EA733W01");
    EXPECT_EQ(object["edid"], hexOf(readBytes(corpusFile(kTwoExtensions))));
    EXPECT_THAT(object["edidString"].get<std::string>(), HasSubstr("Product Name: \"ED270U P2\""));
    // The parse ends with the serial number and model properties.
    const Json& properties = object["properties"];
    ASSERT_GE(properties.size(), 2U);
    EXPECT_EQ(properties[properties.size() - 2]["name"], "MonitorSerialNumber");
    EXPECT_EQ(properties[properties.size() - 1],
              Json({{"name", "MonitorModelNumber"}, {"value", "ED270U P2"}}));
}

// Checksum messages come first; a level-2 message sets status 1 unless its category is ignored.
TEST_F(EdidCheckFileTest, ChecksumErrorAndIgnoredCategories) {
    const std::string file = shellQuoted(corpusFile(kBadExtensionChecksum));
    const ToolResult result = workspace.run("--json " + file);
    EXPECT_EQ(result.status, 1);
    const Json first = result.json().at(0)["messages"][0];
    EXPECT_EQ(first["key"], "ChecksumError");
    EXPECT_EQ(first["level"], 2);
    EXPECT_EQ(first["category"], 2);
    for (const std::string category : {"2", "checksum"}) {
        const ToolResult ignored =
            workspace.run("--json --ignore-category " + category + " " + file);
        EXPECT_EQ(ignored.status, 0) << category;
        const std::vector<Json> objects = ignored.json();
        for (const Json& message : objects.at(0)["messages"]) {
            EXPECT_NE(message["category"], 2) << category;
        }
    }
}

// A size that is not a multiple of 128 still goes to the parser; "edid" holds the whole
// blocks it read (7Eh announces two, one is present).
TEST_F(EdidCheckFileTest, TruncatedEdidReportsTheBlocksRead) {
    const Bytes raw = readBytes(corpusFile(kTwoExtensions));
    const fs::path truncated =
        workspace.write("truncated.bin", Bytes(raw.begin(), raw.begin() + 300));
    const ToolResult result = workspace.run("--json " + shellQuoted(truncated));
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.json().at(0)["ok"]);
    EXPECT_EQ(result.json().at(0)["edid"], hexOf(Bytes(raw.begin(), raw.begin() + 256)));
}

// The same EDID written as hex text in each supported form gives the same report.
struct HexForm {
    const char* name;
    std::function<std::string(const Bytes&)> write;
};

std::string plainHex(const Bytes& bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += hexOf({bytes[i]}) + ((i % 16 == 15) ? "\n" : " ");
    }
    return text;
}

std::string prefixedHex(const Bytes& bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += "0x" + hexOf({bytes[i]}) + ((i % 8 == 7) ? ",\r\n" : ", ");
    }
    return text;
}

std::string xrandrHex(const Bytes& bytes) {
    std::string text = "HDMI-1 connected primary 1920x1080+0+0\n\tIdentifier: 0x42\n\tEDID: \n";
    for (std::size_t i = 0; i < bytes.size(); i += 16) {
        text += "\t\t" +
                hexOf(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                            bytes.begin() + static_cast<std::ptrdiff_t>(i + 16))) +
                "\n";
    }
    return text + "\tBROADCAST_RGB: Automatic\n\t\tsupported: Automatic, Full, Limited 16:235\n";
}

class HexFormTest : public EdidCheckFileTest, public ::testing::WithParamInterface<HexForm> {};

TEST_P(HexFormTest, GivesTheSameReportAsRawBytes) {
    const fs::path raw = corpusFile(kTwoExtensions);
    const fs::path text = workspace.write("edid.txt", GetParam().write(readBytes(raw)));
    const ToolResult result = workspace.run("--json " + shellQuoted(raw) + " " + shellQuoted(text));
    EXPECT_EQ(result.status, 0) << result.err;
    const std::vector<Json> objects = result.json();
    ASSERT_THAT(objects, SizeIs(2));
    EXPECT_EQ(objects[1]["source"], text.string());
    EXPECT_EQ(withoutSource(objects[1]), withoutSource(objects[0]));
}

INSTANTIATE_TEST_SUITE_P(Forms, HexFormTest,
                         ::testing::Values(HexForm{"Plain", plainHex},
                                           HexForm{"PrefixedWithCommas", prefixedHex},
                                           HexForm{"Xrandr", xrandrHex}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EdidCheckFileTest, StandardInputRawAndHex) {
    const fs::path raw = corpusFile(kAnalog);
    const fs::path text = workspace.write("edid.hex", plainHex(readBytes(raw)));
    for (const fs::path& input : {raw, text}) {
        const ToolResult result = workspace.run("--json -", "", input);
        EXPECT_EQ(result.status, 0);
        const std::vector<Json> objects = result.json();
        ASSERT_THAT(objects, SizeIs(1));
        EXPECT_EQ(objects[0]["source"], "-");
        EXPECT_EQ(objects[0]["edid"], hexOf(readBytes(raw)));
    }
}

// Every bad source: one line on stderr naming it, status 2, a JSON object that says it was
// not read, and the good source after it still examined.
struct BadSource {
    const char* name;
    std::function<std::string(const Workspace&)> argument;
    const char* error;
    bool accessible;
};

std::string fileWith(const Workspace& workspace, const std::string& content) {
    return workspace.write("bad.txt", content).string();
}

class BadSourceTest : public EdidCheckFileTest, public ::testing::WithParamInterface<BadSource> {};

TEST_P(BadSourceTest, OneLineAndTheOthersStillRun) {
    const std::string argument = GetParam().argument(workspace);
    const ToolResult result =
        workspace.run("--json " + shellQuoted(argument) + " " + shellQuoted(corpusFile(kAnalog)));
    EXPECT_EQ(result.status, 2);
    ASSERT_THAT(result.errLines(), SizeIs(1)) << result.err;
    EXPECT_EQ(result.errLines()[0], "edid-check: " + argument + ": " + GetParam().error);
    const std::vector<Json> objects = result.json();
    ASSERT_THAT(objects, SizeIs(2));
    expectSchema(objects[0]);
    EXPECT_EQ(objects[0]["source"], argument);
    EXPECT_EQ(objects[0]["accessible"], GetParam().accessible);
    EXPECT_FALSE(objects[0]["ok"]);
    EXPECT_TRUE(objects[0]["identifier"].is_null());
    EXPECT_EQ(objects[0]["edid"], "");
    EXPECT_TRUE(objects[1]["ok"]);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BadSourceTest,
    ::testing::Values(
        BadSource{"MissingFile",
                  [](const Workspace& w) { return (w.root() / "missing.bin").string(); },
                  "cannot open: No such file or directory", false},
        BadSource{"Directory", [](const Workspace& w) { return w.root().string(); },
                  "is a directory", false},
        BadSource{"EmptyFile", [](const Workspace& w) { return fileWith(w, ""); }, "is empty",
                  false},
        BadSource{"Prose", [](const Workspace& w) { return fileWith(w, "this is not an EDID\n"); },
                  "neither raw EDID bytes nor hex text", false},
        BadSource{"BadHex", [](const Workspace& w) { return fileWith(w, "00 ff ff\nff xx\n"); },
                  "bad hex at line 2, column 4: \"xx\" is not hex", false},
        // Readable, but shorter than a base block: the parser cannot read it.
        BadSource{"ShortRawEdid",
                  [](const Workspace& w) { return w.write("short.bin", Bytes(100, 0)).string(); },
                  "the base block could not be read: only 100 of its 128 bytes are present", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EdidCheckFileTest, UnreadableSourceOutranksLevel2) {
    const ToolResult result =
        workspace.run(shellQuoted(corpusFile(kBadExtensionChecksum)) + " missing.bin");
    EXPECT_EQ(result.status, 2);
}

TEST_F(EdidCheckFileTest, BadArgumentsGiveOneLineAndStatusTwo) {
    for (const char* arguments :
         {"--no-such-option", "--ignore-category 18 x.bin", "--ignore-category nonsense x.bin",
          "--finder serial x.bin", "--log-level high", "--list x.bin"}) {
        const ToolResult result = workspace.run(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_THAT(result.errLines(), SizeIs(1)) << arguments;
        EXPECT_EQ(result.out, "") << arguments;
    }
}

TEST_F(EdidCheckFileTest, HelpAndVersion) {
    const ToolResult help = workspace.run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, AllOf(HasSubstr("--ignore-category"), HasSubstr("Examples:"),
                                HasSubstr("Exit status")));
    const ToolResult version = workspace.run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_THAT(version.out, StartsWith("edid-check "));
}

TEST_F(EdidCheckFileTest, TextReportGroupsFindingsBySeverity) {
    const fs::path file = corpusFile(kBadExtensionChecksum);
    const ToolResult result = workspace.run(shellQuoted(file));
    EXPECT_EQ(result.status, 1);
    const std::vector<std::string> lines = result.outLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_THAT(lines[0], StartsWith(file.string() + ": "));
    EXPECT_THAT(result.out, HasSubstr("  Errors ("));
    EXPECT_THAT(result.out, HasSubstr("    [checksum] "));
    EXPECT_THAT(result.out, Not(HasSubstr("Information (")));
    EXPECT_THAT(result.out, Not(HasSubstr("\x1b[")));  // not a terminal: no colour
}

TEST_F(EdidCheckFileTest, TextReportOptions) {
    const fs::path file = corpusFile(kTwoExtensions);
    const ToolResult plain = workspace.run(shellQuoted(file));
    EXPECT_THAT(plain.outLines().at(0), file.string() + ": ED270U P2-43300EA733W01");
    EXPECT_THAT(plain.out, AllOf(HasSubstr("  Product Name: \"ED270U P2\""),
                                 Not(HasSubstr("Properties:")), Not(HasSubstr("Hex dump:"))));

    const ToolResult all =
        workspace.run("--all-messages --properties --hexdump " + shellQuoted(file));
    EXPECT_EQ(all.status, 0);
    EXPECT_THAT(all.out, AllOf(HasSubstr("  Information ("), HasSubstr("    [general] "),
                               HasSubstr("\n    MonitorModelNumber = ED270U P2\n"),
                               HasSubstr("  Hex dump:\n")));
    // An array property: its name alone, then one item per line.
    EXPECT_THAT(all.out, testing::ContainsRegex("\n    [A-Za-z]+ =\n      [0-9]+ x [0-9]+"));
}

TEST_F(EdidCheckFileTest, LanguageLogLevelAndDump) {
    // A German text for one message, loaded from the resource folder.
    workspace.write("res/libEDID.de.txt",
                    std::string("LocalizedString.ChecksumError = Pruefsumme falsch: {type}\n"));
    const std::string environment = "QOR_RESOURCE_DIR=" + shellQuoted(workspace.root() / "res");
    const ToolResult german =
        workspace.run("--lang de " + shellQuoted(corpusFile(kBadExtensionChecksum)), environment);
    EXPECT_THAT(german.out, HasSubstr("[checksum] Pruefsumme falsch: "));

    const ToolResult logged = workspace.run("--log-level 1 " + shellQuoted(corpusFile(kAnalog)));
    EXPECT_EQ(logged.status, 0);
    EXPECT_THAT(logged.err, HasSubstr("EDIDParser::parseEDID"));

    const ToolResult dumped = workspace.run("--dump " + shellQuoted(corpusFile(kAnalog)));
    EXPECT_EQ(dumped.status, 0);
    std::vector<fs::path> dumps;
    for (const auto& entry : fs::directory_iterator(workspace.root())) {
        if (entry.path().filename().string().starts_with("edid_dump_")) {
            dumps.push_back(entry.path());
        }
    }
    ASSERT_THAT(dumps, SizeIs(1));
    EXPECT_EQ(readBytes(dumps[0]), readBytes(corpusFile(kAnalog)));
}

}  // namespace
}  // namespace edidchecktest
