// edid-check end to end over a fake DRM class folder (QORWIN_DRM_ROOT): display:LOCATOR with
// each finder, unknown displays, --list, and the run without SOURCE (displays, else samples).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ToolRunner.h"

namespace edidchecktest {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::SizeIs;
using ::testing::StartsWith;

const char* const kHdmiEdid = "ACR-0B3A-1.4-digital-bb967c25.bin";
const char* const kDpEdid = "ACI-17D5-1.3-analog-83c8d582.bin";

//   drm/card0-HDMI-A-1/edid   384-byte EDID        drm/card0-DP-1/edid   empty (disconnected)
//   drm/card1-DP-2/edid       128-byte EDID        empty/                no connectors at all
class EdidCheckDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        workspace.write("drm/card0-HDMI-A-1/edid", readBytes(corpusFile(kHdmiEdid)));
        workspace.write("drm/card1-DP-2/edid", readBytes(corpusFile(kDpEdid)));
        workspace.write("drm/card0-DP-1/edid", std::string());
        fs::create_directories(workspace.root() / "empty");
    }

    ToolResult runOnTree(const std::string& arguments, const char* tree = "drm") const {
        return workspace.run(arguments, "QORWIN_DRM_ROOT=" + shellQuoted(workspace.root() / tree));
    }

    Workspace workspace;
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
        EXPECT_THAT(objects[0]["source"].get<std::string>(), StartsWith("display:"));
        EXPECT_TRUE(objects[0]["accessible"]);
        EXPECT_TRUE(objects[0]["ok"]);
        EXPECT_EQ(objects[0]["edid"], hexOf(readBytes(corpusFile(kDpEdid))));
    }
}

TEST_F(EdidCheckDisplayTest, UnknownOrDisconnectedDisplayIsOneLine) {
    for (const char* locator : {"card9-VGA-1", "card0-DP-1"}) {
        const std::string argument = std::string("display:") + locator;
        const ToolResult result =
            runOnTree("--json " + argument + " " + shellQuoted(corpusFile(kDpEdid)));
        EXPECT_EQ(result.status, 2);
        EXPECT_THAT(result.errLines(),
                    ElementsAre("edid-check: " + argument + ": no display with port locator \"" +
                                locator + "\" has a readable EDID"));
        const std::vector<Json> objects = result.json();
        ASSERT_THAT(objects, SizeIs(2));
        EXPECT_EQ(objects[0]["source"], argument);
        EXPECT_FALSE(objects[0]["accessible"]);
        EXPECT_FALSE(objects[0]["ok"]);
        EXPECT_TRUE(objects[1]["ok"]);
    }
}

TEST_F(EdidCheckDisplayTest, ListsTheDisplays) {
    const ToolResult text = runOnTree("--list");
    EXPECT_EQ(text.status, 0);
    const std::vector<std::string> lines = text.outLines();
    ASSERT_THAT(lines, SizeIs(3));
    EXPECT_THAT(lines[0], StartsWith("PORT"));
    EXPECT_THAT(lines[1], StartsWith("card0-HDMI-A-1  "));
    EXPECT_THAT(lines[1], HasSubstr((workspace.root() / "drm" / "card0-HDMI-A-1").string()));
    EXPECT_THAT(lines[1], HasSubstr("  HDMI-A-1  "));
    EXPECT_THAT(lines[1], HasSubstr("ED270U P2-43300EA733W01"));
    EXPECT_THAT(lines[2], StartsWith("card1-DP-2  "));

    const std::vector<Json> objects = runOnTree("--list --json").json();
    ASSERT_THAT(objects, SizeIs(2));
    EXPECT_EQ(objects[0],
              Json({{"portLocator", "card0-HDMI-A-1"},
                    {"displayPath", (workspace.root() / "drm" / "card0-HDMI-A-1").string()},
                    {"displayName", "HDMI-A-1"},
                    {"identifier", "ED270U P2-43300EA733W01"}}));
}

TEST_F(EdidCheckDisplayTest, ListWithoutDisplaysSaysSo) {
    const ToolResult result = runOnTree("--list", "empty");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(result.errLines(), ElementsAre("edid-check: no display with an EDID found"));
}

TEST_F(EdidCheckDisplayTest, WithoutSourceExaminesEveryDisplay) {
    const ToolResult result = runOnTree("--json");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    const std::vector<Json> objects = result.json();
    ASSERT_THAT(objects, SizeIs(2));
    EXPECT_EQ(objects[0]["source"], "display:card0-HDMI-A-1");
    EXPECT_EQ(objects[0]["edid"], hexOf(readBytes(corpusFile(kHdmiEdid))));
    EXPECT_EQ(objects[1]["source"], "display:card1-DP-2");
}

// The samples are corpus files; each is reported under its own name and read in full.
TEST_F(EdidCheckDisplayTest, WithoutDisplaysExaminesTheSamples) {
    const ToolResult result = runOnTree("--json", "empty");
    EXPECT_EQ(result.status, 0);
    ASSERT_THAT(result.errLines(), SizeIs(1));
    EXPECT_THAT(result.errLines()[0], HasSubstr("no display with an EDID found"));
    const std::vector<Json> objects = result.json();
    ASSERT_GE(objects.size(), 3U);
    for (const Json& object : objects) {
        const std::string source = object["source"];
        ASSERT_THAT(source, StartsWith("sample:"));
        EXPECT_TRUE(object["ok"]) << source;
        EXPECT_EQ(object["edid"], hexOf(readBytes(corpusFile(source.substr(7))))) << source;
    }
}

}  // namespace
}  // namespace edidchecktest
