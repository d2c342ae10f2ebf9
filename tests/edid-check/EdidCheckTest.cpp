// edid-check end to end over files, hex text, standard input and a fake DRM class folder
// (QORWIN_DRM_ROOT): the JSON members, the bytes reported as read, the text report, the
// options, the one-line errors, the exit statuses, --list and the run without SOURCE.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Blocking.h"
#include "EdidBuilder.h"
#include "ToolRunner.h"

namespace edidchecktest {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::Not;
using ::testing::SizeIs;
using ::testing::StartsWith;

// Clean, 128 bytes; clean, 384 bytes with two extension blocks; extension checksum wrong.
const char* const kAnalog = "ACI-17D5-1.3-analog-83c8d582.bin";
const char* const kTwoExtensions = "ACR-0B3A-1.4-digital-bb967c25.bin";
const char* const kBadExtensionChecksum = "IVM-6628-1.3-digital-b36074c7.bin";

// "name:kind " for each member, in order.
std::string shape(const Json& object) {
    std::string text;
    for (const auto& member : object.items()) {
        text += member.key() + ":" + member.value().type_name() + " ";
    }
    return text;
}

// The members of one object, their order and their kinds.
void expectSchema(const Json& object) {
    EXPECT_THAT(shape(object),
                MatchesRegex("source:string accessible:boolean ok:boolean identifier:(string|null) "
                             "productName:string serialNumber:string messages:array "
                             "properties:array edidString:string edid:string display:(object|null) "));
    for (const Json& message : object["messages"]) {
        EXPECT_EQ(shape(message), "key:string level:number category:number text:string ");
    }
    for (const Json& property : object["properties"]) {
        EXPECT_THAT(shape(property),
                    MatchesRegex("name:string value:(string|boolean|number|array) "));
    }
}

std::string argumentsOf(const std::vector<fs::path>& sources) {
    std::string arguments = "--json";
    for (const fs::path& source : sources) {
        arguments += " " + shellQuoted(source);
    }
    return arguments;
}

class EdidCheckTest : public ::testing::Test {
  protected:
    Workspace workspace;
};

// The part of `text` from `from` up to `to` (to the end when `to` is empty); both must be found,
// in that order.
std::string between(const std::string& text, const std::string& from, const std::string& to = "") {
    const std::size_t begin = text.find(from);
    const std::size_t end = to.empty() ? text.size() : text.find(to, begin);
    EXPECT_NE(begin, std::string::npos) << from;
    EXPECT_NE(end, std::string::npos) << to;
    return begin < end && end != std::string::npos ? text.substr(begin, end - begin) : "";
}

// In one run: a clean EDID as raw bytes, as hex text (an xrandr block) and as hex text on
// standard input, then two more test EDIDs and one cut after 300 bytes. One valid line per
// source, in argument order, with the whole blocks read and a status that follows from the
// level-2 messages (checksum messages first); every form of the clean EDID gives the same report
// under its own source name, with the identity and the parse ending with the model property.
TEST_F(EdidCheckTest, EdidsAsJsonLines) {
    const Bytes raw = readBytes(dataFile(kTwoExtensions));
    const std::string hex = hexOf(raw);
    const std::vector<fs::path> sources = {
        dataFile(kTwoExtensions),
        workspace.write("xrandr.txt",
                        "HDMI-1 connected primary 1920x1080+0+0\n\tIdentifier: 0x42\n\tEDID: \n" +
                            std::regex_replace(hex, std::regex(".{32}"), "\t\t$&\n") +
                            "\tBROADCAST_RGB: Automatic\n\t\tsupported: Automatic, Full\n"),
        "-",
        dataFile(kAnalog),
        dataFile(kBadExtensionChecksum),
        workspace.write("truncated.bin", Bytes(raw.begin(), raw.begin() + 300))};
    const fs::path input =
        workspace.write("plain.txt", std::regex_replace(hex, std::regex(".."), "$& "));
    const ToolResult result = workspace.run(argumentsOf(sources), "", input);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "");
    std::vector<Json> objects = result.json();
    ASSERT_EQ(objects.size(), sources.size());
    std::set<std::string> propertyKinds;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        SCOPED_TRACE(sources[i].string());
        expectSchema(objects[i]);
        EXPECT_EQ(objects[i]["source"], sources[i].string());
        EXPECT_TRUE(objects[i]["ok"]);
        for (const Json& property : objects[i]["properties"]) {
            propertyKinds.insert(property["value"].type_name());
        }
    }
    for (std::size_t i = 1; i < 3; ++i) {
        objects[i]["source"] = objects[0]["source"];
        EXPECT_EQ(objects[i], objects[0]) << sources[i];
    }
    const Json& clean = objects[0];
    EXPECT_TRUE(clean["accessible"]);
    EXPECT_EQ(clean["productName"], "ED270U P2");
    EXPECT_EQ(clean["serialNumber"], "43300EA733W01");
    EXPECT_EQ(clean["identifier"], "ED270U P2-43300EA733W01");
    EXPECT_THAT(clean["edidString"].get<std::string>(), HasSubstr("Product Name: \"ED270U P2\""));
    EXPECT_EQ(clean["properties"].back(),
              Json({{"name", "MonitorModelNumber"}, {"value", "ED270U P2"}}));
    // The blocks read: the base block and those that 7Eh announces, as far as present.
    EXPECT_EQ(clean["edid"], hex);
    EXPECT_EQ(objects[5]["edid"], hexOf(Bytes(raw.begin(), raw.begin() + 256)));
    // Values keep their kind: text, flags, lists of modes.
    EXPECT_THAT(propertyKinds, ::testing::IsSupersetOf({"string", "boolean", "array"}));
    const Json& first = objects[4]["messages"][0];
    EXPECT_EQ(first["key"], "ChecksumError");
    EXPECT_EQ(first["level"], 2);
    EXPECT_EQ(first["category"], 2);
    // A level-2 message sets no error status when its category is ignored.
    const ToolResult ignored = workspace.run("--json --ignore-category checksum " +
                                             shellQuoted(dataFile(kBadExtensionChecksum)));
    EXPECT_EQ(ignored.status, 0);
    const std::vector<Json> lines = ignored.json();  // outlives the loop over its members
    for (const Json& message : lines.at(0)["messages"]) {
        EXPECT_NE(message["category"], 2);
    }
}

// Help and version on stdout with status 0; bad arguments give one line and status 2.
TEST_F(EdidCheckTest, HelpVersionAndBadArguments) {
    const ToolResult help = workspace.run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, AllOf(HasSubstr("--ignore-category"), HasSubstr("Examples:"),
                                HasSubstr("Exit status")));
    const ToolResult version = workspace.run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_THAT(version.out, StartsWith("edid-check "));
    for (const char* arguments :
         {"--no-such-option", "--ignore-category 22 x.bin", "--ignore-category nonsense x.bin",
          "--finder serial x.bin", "--log-level high", "--list x.bin"}) {
        const ToolResult result = workspace.run(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_THAT(linesOf(result.err), SizeIs(1)) << arguments;
        EXPECT_EQ(result.out, "") << arguments;
    }
}

// One text run over three EDIDs: findings grouped by severity with their category, no colour
// when stdout is not a terminal, no properties or hex dump unless asked for. Each decoded CTA-861
// and DisplayID block is a section of its own, titled by its heading, with its findings (and a
// DisplayID data block's items) under it.
TEST_F(EdidCheckTest, TextReportAndItsSections) {
    Bytes bytes = readBytes(dataFile(kBadExtensionChecksum));
    bytes[0x82] = 0x02;  // the CTA block's DTD offset inside its header
    const fs::path cta = workspace.write("cta.bin", bytes);
    const fs::path displayID = dataFile("APP-AE22-1.4-digital-66d51391.bin");
    const fs::path clean = dataFile(kTwoExtensions);
    const ToolResult result =
        workspace.run(shellQuoted(cta) + " " + shellQuoted(displayID) + " " + shellQuoted(clean));
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.out, AllOf(StartsWith(cta.string() + ": "), Not(HasSubstr("Information (")),
                                  Not(HasSubstr("\x1b[")), Not(HasSubstr("Properties:")),
                                  Not(HasSubstr("Hex dump:"))));
    const std::string ctaSection = "\n CTA-861 extension block 1:\n";
    EXPECT_THAT(between(result.out, cta.string(), ctaSection),
                AllOf(HasSubstr("  Errors ("), HasSubstr("    [checksum] "),
                      Not(HasSubstr("[cta-extension]"))));
    EXPECT_THAT(
        between(result.out, ctaSection, displayID.string()),
        AllOf(HasSubstr("\n  CTA-861 revision: 3\n"), HasSubstr("  Errors (1):\n"),
              HasSubstr("    [cta-extension] Extension block 1: "), Not(HasSubstr("[checksum]"))));
    EXPECT_THAT(between(result.out, "\n DisplayID extension block 2:\n",
                        "\n DisplayID extension block 3:\n"),
                AllOf(HasSubstr("\n  Data block: 12h, 22 bytes (Tiled display topology)\n"
                                "    Tiled topology: 2 x 1 tiles of 3008 x 3384 at 0, 0\n"),
                      HasSubstr("    [displayid-extension] DisplayID block 2: "),
                      Not(HasSubstr("DisplayID block 3: "))));
    EXPECT_THAT(between(result.out, "\n\n" + clean.string()),
                AllOf(StartsWith("\n\n" + clean.string() + ": ED270U P2-43300EA733W01\n"),
                      HasSubstr("  Product Name: \"ED270U P2\"")));

    // The options add the level-0 messages, the properties (an array one: its name alone, then
    // one item per line) and the hex dump. The kind of content is decided from all that is read
    // (up to 1 MiB): a file over 1 MiB that holds a binary byte is raw, whatever its first 32 KiB
    // look like, and only its first 32 KiB are kept.
    const fs::path late = workspace.write(
        "late-binary.bin", std::string(40 * 1024, 'A') + '\x01' + std::string(1200 * 1024, 'A'));
    const ToolResult all = workspace.run("--all-messages --properties --hexdump " +
                                         shellQuoted(clean) + " " + shellQuoted(late));
    EXPECT_EQ(all.err, "");
    EXPECT_THAT(
        between(all.out, clean.string(), late.string()),
        AllOf(HasSubstr("  Information ("), HasSubstr("    [general] "),
              HasSubstr("\n    MonitorModelNumber = ED270U P2\n"), HasSubstr("  Hex dump:\n"),
              ::testing::ContainsRegex("\n    [A-Za-z]+ =\n      [0-9]+ x [0-9]+")));
    EXPECT_THAT(between(all.out, late.string()),
                AllOf(HasSubstr("00007FF0  41 41"), Not(HasSubstr("00008000  "))));
    // --base-only leaves the extension blocks undecoded.
    EXPECT_THAT(workspace.run("--json " + shellQuoted(cta)).out,
                HasSubstr("{\"name\":\"CTARevision1\","));
    EXPECT_THAT(workspace.run("--base-only --json " + shellQuoted(cta)).out,
                Not(HasSubstr("\"CTARevision")));
}

// One run with a German text for one message (from the resource folder), log lines on stderr
// and the EDID dumped to the current folder.
TEST_F(EdidCheckTest, LanguageLogLevelAndDump) {
    workspace.write("res/libEDID.de.txt",
                    "LocalizedString.ChecksumError = Pruefsumme falsch: {type}\n");
    const fs::path file = dataFile(kBadExtensionChecksum);
    const ToolResult result =
        workspace.run("--lang de --log-level 1 --dump " + shellQuoted(file),
                      "QOR_RESOURCE_DIR=" + shellQuoted(workspace.root() / "res"));
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.out, HasSubstr("[checksum] Pruefsumme falsch: "));
    EXPECT_THAT(result.err, HasSubstr("EDIDParser::parseEDID"));
    std::vector<fs::path> dumps;
    for (const auto& entry : fs::directory_iterator(workspace.root())) {
        if (entry.path().filename().string().starts_with("edid_dump_")) {
            dumps.push_back(entry.path());
        }
    }
    ASSERT_THAT(dumps, SizeIs(1));
    EXPECT_EQ(readBytes(dumps[0]), readBytes(file));
}

// Sources listed in files (LF and CR LF line ends, a byte order mark, empty lines) follow the
// SOURCE arguments; a list naming nothing examines nothing; an unreadable list is refused.
TEST_F(EdidCheckTest, SourcesFromListFiles) {
    const std::string analog = dataFile(kAnalog).string();
    const std::string twoExtensions = dataFile(kTwoExtensions).string();
    workspace.write("crlf.txt", "\xEF\xBB\xBF" + twoExtensions + "\r\n\r\n" + analog + "\r\n");
    workspace.write("lf.txt", "\n" + analog + "\n");
    workspace.write("none.txt", "\n\r\n");
    const ToolResult result =
        workspace.run("--json " + shellQuoted(analog) + " --from-file crlf.txt --from-file lf.txt");
    EXPECT_EQ(result.status, 0) << result.err;
    std::vector<std::string> sources;
    for (const Json& object : result.json()) {
        sources.push_back(object["source"]);
    }
    EXPECT_THAT(sources, ElementsAre(analog, twoExtensions, analog, analog));

    const ToolResult none = workspace.run("--json --from-file none.txt");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out + none.err, "");
    for (const char* list : {"missing.txt", "."}) {
        const ToolResult bad = workspace.run(std::string("--from-file ") + list);
        EXPECT_EQ(bad.status, 2) << list;
        EXPECT_EQ(bad.err, std::string("edid-check: cannot read the source list ") + list + "\n");
    }
}

// Output that cannot be written (a full disk, a closed stdout) is not a success: status 2 and
// one line on stderr. A requested dump that cannot be written (here in a folder that takes no
// files) gets its line and status 2 as well.
TEST_F(EdidCheckTest, LostOutputAndLostDumpsAreFailures) {
    const std::string file = shellQuoted(dataFile(kAnalog));
    for (const auto& [format, redirect] : {std::pair{"--json ", "> /dev/full"}, {"", ">&-"}}) {
        const ToolResult result = workspace.run(format + file, "", "/dev/null", redirect);
        EXPECT_EQ(result.status, 2) << redirect;
        EXPECT_THAT(linesOf(result.err),
                    ElementsAre(StartsWith("edid-check: cannot write the output: ")))
            << redirect;
    }
    const ToolResult dump = workspace.run("--dump " + file, "", "/dev/null", "", "/proc");
    EXPECT_EQ(dump.status, 2);
    EXPECT_THAT(linesOf(dump.err),
                ElementsAre("edid-check: " + dataFile(kAnalog).string() +
                            ": the EDID dump could not be written to the current folder"));
}

//   drm/card0-HDMI-A-1/edid   384-byte EDID        drm/card0-DP-1/edid   empty (disconnected)
//   drm/card1-DP-2/edid       128-byte EDID        drm/card1-VGA-1/edid  100 bytes (no base block)
//   short/card0-DP-3/edid     100 bytes            empty/                no connectors at all
class EdidCheckDisplayTest : public EdidCheckTest {
  protected:
    void SetUp() override {
        workspace.write("drm/card0-HDMI-A-1/edid", readBytes(dataFile(kTwoExtensions)));
        workspace.write("drm/card1-DP-2/edid", readBytes(dataFile(kAnalog)));
        workspace.write("drm/card0-DP-1/edid", "");
        workspace.write("drm/card1-VGA-1/edid", Bytes(100, 0));
        workspace.write("short/card0-DP-3/edid", Bytes(100, 0));
        fs::create_directories(workspace.root() / "empty");
    }

    ToolResult runOnTree(const std::string& arguments, const char* tree = "drm") const {
        return workspace.run(arguments, "QORWIN_DRM_ROOT=" + shellQuoted(workspace.root() / tree));
    }
};

TEST_F(EdidCheckDisplayTest, ReadsADisplayByEachFinder) {
    const std::string path = (workspace.root() / "drm" / "card1-DP-2").string();
    for (const std::string& arguments :
         {std::string("display:card1-DP-2"), std::string("--finder name display:dp-2"),
          "--finder path " + shellQuoted("display:" + path)}) {
        const ToolResult result = runOnTree("--json " + arguments);
        EXPECT_EQ(result.status, 0) << arguments << result.err;
        const std::vector<Json> objects = result.json();
        ASSERT_THAT(objects, SizeIs(1)) << arguments;
        EXPECT_EQ(objects[0]["edid"], hexOf(readBytes(dataFile(kAnalog))));
    }
}

// Every bad file, content and display in one run: one line each on stderr naming it, a JSON
// object that says it was not read, the source after them still examined, and status 2
// outranking that source's level-2 message.
TEST_F(EdidCheckDisplayTest, BadSourcesGiveOneLineEachAndTheOthersStillRun) {
    struct BadSource {
        fs::path path;
        std::string error;
        bool accessible;
    };
    const std::vector<BadSource> bad = {
        {workspace.root() / "missing.bin",
         "The source does not exist or cannot be opened (No such file or directory)", false},
        {workspace.root(), "The source is not a regular file (a directory)", false},
        {workspace.write("empty.txt", ""), "The source is empty.", false},
        // A long bad token is echoed cut short.
        {workspace.write("long.hex", "00 " + std::string(100000, 'g')),
         "bad hex at line 1, column 4: \"" + std::string(32, 'g') + "...\" is not hex", false},
        // Never opened for reading: it would block until a writer comes.
        {edidtest::makeFifo((workspace.root() / "fifo").string()),
         "The source is not a regular file (a pipe is read with \"-\")", false},
        // Readable, but shorter than a base block: the parser cannot read it.
        {workspace.write("short.bin", Bytes(100, 0)),
         "The source holds fewer than the 128 bytes of the EDID base block (100 of 128 bytes "
         "present)",
         true},
        // No such connector; a connector whose edid file is empty (disconnected).
        {"display:card9-VGA-1",
         "No display of this system matches the locator (port locator \"card9-VGA-1\")", false},
        {"display:card0-DP-1",
         "No display of this system matches the locator (port locator \"card0-DP-1\")", false}};
    std::vector<fs::path> sources;
    for (const BadSource& source : bad) {
        sources.push_back(source.path);
    }
    sources.push_back(dataFile(kBadExtensionChecksum));
    const ToolResult result = runOnTree(argumentsOf(sources));
    EXPECT_EQ(result.status, 2);
    const std::vector<std::string> errors = linesOf(result.err);
    const std::vector<Json> objects = result.json();
    ASSERT_THAT(errors, SizeIs(bad.size()));
    ASSERT_THAT(objects, SizeIs(sources.size()));
    for (std::size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(sources[i]);
        EXPECT_EQ(errors[i], "edid-check: " + sources[i].string() + ": " + bad[i].error);
        expectSchema(objects[i]);
        EXPECT_EQ(objects[i]["source"], sources[i].string());
        EXPECT_EQ(objects[i]["accessible"], bad[i].accessible);
        EXPECT_FALSE(objects[i]["ok"]);
        EXPECT_TRUE(objects[i]["identifier"].is_null());
        EXPECT_EQ(objects[i]["edid"], "");
    }
    EXPECT_TRUE(objects.back()["ok"]);
}

// A real EDID cut inside its second extension block: read, its blocks present examined, and the
// missing block reported as one error (status 1): by the conformity checks when they judge the
// block structure, by the parser otherwise.
TEST_F(EdidCheckTest, EdidShorterThanItsExtensionCountIsReported) {
    const Bytes full = readBytes(dataFile(kTwoExtensions));
    const fs::path cut = workspace.write("cut.bin", Bytes(full.begin(), full.begin() + 300));
    const std::vector<std::pair<std::string, std::string>> runs = {
        {"--json", "ConfExtensionCount"},
        {"--json --base-only", "ExtensionBlocksMissing"},
        {"--json --no-conformity", "ExtensionBlocksMissing"}};
    for (const auto& [options, key] : runs) {
        SCOPED_TRACE(options);
        const ToolResult result = workspace.run(options + " " + shellQuoted(cut));
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "");
        const std::vector<Json> objects = result.json();
        ASSERT_THAT(objects, SizeIs(1));
        EXPECT_TRUE(objects[0]["ok"]);
        EXPECT_EQ(objects[0]["edid"], hexOf(Bytes(full.begin(), full.begin() + 256)));
        std::vector<Json> found;
        for (const Json& message : objects[0]["messages"]) {
            if (message["key"] == "ExtensionBlocksMissing" ||
                message["key"] == "ConfExtensionCount") {
                found.push_back(message);
            }
        }
        ASSERT_THAT(found, SizeIs(1));
        EXPECT_EQ(found[0]["key"], key);
        EXPECT_EQ(found[0]["level"], 2);
        EXPECT_THAT(std::string(found[0]["text"]), HasSubstr("announces 2 extension blocks"));
    }
}

// --list shows each display (as text and as JSON); without SOURCE each display with a readable
// EDID is examined and each other one named in one line.
TEST_F(EdidCheckDisplayTest, ListsAndExaminesEveryDisplay) {
    const fs::path hdmi = workspace.root() / "drm" / "card0-HDMI-A-1";
    const ToolResult text = runOnTree("--list");
    EXPECT_EQ(text.status, 0);
    const std::vector<std::string> lines = linesOf(text.out);
    ASSERT_THAT(lines, SizeIs(4));
    EXPECT_THAT(lines[0], StartsWith("PORT"));
    EXPECT_THAT(lines[1], AllOf(StartsWith("card0-HDMI-A-1  "), HasSubstr(hdmi.string()),
                                HasSubstr("  HDMI-A-1  "), HasSubstr("ED270U P2-43300EA733W01")));
    EXPECT_THAT(lines[2], StartsWith("card1-DP-2  "));
    EXPECT_THAT(lines[3], AllOf(StartsWith("card1-VGA-1  "), HasSubstr("(EDID not readable)")));
    const std::vector<Json> listed = runOnTree("--list --json").json();
    ASSERT_THAT(listed, SizeIs(3));
    EXPECT_EQ(listed[0], Json({{"portLocator", "card0-HDMI-A-1"},
                               {"displayPath", hdmi.string()},
                               {"displayName", "HDMI-A-1"},
                               {"identifier", "ED270U P2-43300EA733W01"}}));

    const ToolResult result = runOnTree("--json");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "edid-check: display:card1-VGA-1 has no readable EDID; skipped\n");
    const std::vector<Json> objects = result.json();
    ASSERT_THAT(objects, SizeIs(2));
    EXPECT_EQ(objects[0]["source"], "display:card0-HDMI-A-1");
    EXPECT_EQ(objects[0]["edid"], hexOf(readBytes(dataFile(kTwoExtensions))));
    EXPECT_EQ(objects[1]["source"], "display:card1-DP-2");
}

// An EDID whose product name holds escape sequences (set the window title, clear the screen),
// in a file whose name holds a line feed and behind a connector whose name holds one: the text
// report, the stderr line and the --list table show every control character as \xNN, so that no
// byte reaches the terminal raw and each source keeps its one line.
TEST_F(EdidCheckDisplayTest, TextOutputShowsControlCharactersEscaped) {
    const Bytes edid =
        edidtest::EdidBuilder().stringDescriptor(2, 0xFC, "\x1b]0;pwn\x07\x1b[2J\n").bytes();
    const fs::path good = workspace.write("good\n\x1b[31m.bin", edid);
    const fs::path bad = workspace.write("bad\nname.txt", "prose");
    const ToolResult result =
        workspace.run("--properties " + shellQuoted(good) + " " + shellQuoted(bad));
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out.find_first_of("\x1b\x07"), std::string::npos);
    EXPECT_THAT(result.out, HasSubstr("good\\x0a\\x1b[31m.bin: \\x1b]0;pwn\\x07\\x1b[2J"));
    EXPECT_THAT(linesOf(result.err),
                ElementsAre("edid-check: " + (workspace.root() / "bad\\x0aname.txt").string() +
                            ": neither raw EDID bytes nor hex text"));
    workspace.write("evil/card0-DP-\x1b[2J/edid", edid);
    const ToolResult list = runOnTree("--list", "evil");
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out.find('\x1b'), std::string::npos);
    EXPECT_THAT(list.out, AllOf(HasSubstr("card0-DP-\\x1b[2J  "), HasSubstr("\\x1b]0;pwn")));
    // JSON keeps the strings as they are (escaped by JSON itself).
    const ToolResult json = workspace.run("--json " + shellQuoted(good));
    EXPECT_EQ(json.json().at(0)["productName"], "\x1b]0;pwn\x07\x1b[2J");
}

// No display, or none with a readable EDID: --list says so when there is none (an unreadable one
// it marks, as above); without SOURCE the unreadable display is named, then the samples (corpus
// files) are examined, each under its own name and read in full.
TEST_F(EdidCheckDisplayTest, WithoutReadableDisplaysExaminesTheSamples) {
    const ToolResult list = runOnTree("--list", "empty");
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "");
    EXPECT_THAT(linesOf(list.err), ElementsAre("edid-check: no display with an EDID found"));

    const std::string fallback =
        "edid-check: no display with an EDID found; examining the bundled sample EDIDs";
    const std::vector<std::pair<const char*, std::vector<std::string>>> trees = {
        {"empty", {fallback}},
        {"short", {"edid-check: display:card0-DP-3 has no readable EDID; skipped", fallback}}};
    for (const auto& [tree, errors] : trees) {
        SCOPED_TRACE(tree);
        const ToolResult result = runOnTree("--json", tree);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(linesOf(result.err), errors);
        const std::vector<Json> objects = result.json();
        ASSERT_GE(objects.size(), 3U);
        for (const Json& object : objects) {
            const std::string source = object["source"];
            ASSERT_THAT(source, StartsWith("sample:"));
            EXPECT_TRUE(object["ok"]) << source;
            EXPECT_EQ(object["edid"], hexOf(readBytes(dataFile(source.substr(7))))) << source;
        }
    }
}

}  // namespace
}  // namespace edidchecktest
