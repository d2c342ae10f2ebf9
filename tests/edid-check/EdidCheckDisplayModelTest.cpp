// edid-check's display model: the JSON member "display" and "can" (shape checked once), the
// --modes table and the --can lines with their exit status, on every test EDID.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ToolRunner.h"

namespace {

using namespace edidchecktest;
using ::testing::HasSubstr;

// HDMI 2.1 monitor: 3840x2160 60 Hz preferred (detailed), FRL 4 lanes x 6 Gbit/s.
const char* const kHDMI = "GBT-2800-1.3-digital-67bfa7da.bin";

std::string shape(const Json& object) {
    std::string text;
    for (const auto& member : object.items()) {
        text += member.key() + ":" + member.value().type_name() + " ";
    }
    return text;
}

TEST(EdidCheckDisplayModelTest, JsonShapeOfDisplayAndCan) {
    Workspace workspace;
    const ToolResult result = workspace.run("--json --can 3840x2160@60 --can 3840x2160@120 " +
                                            shellQuoted(dataFile(kHDMI)));
    EXPECT_EQ(result.status, 1);  // the second request is not met
    const std::vector<Json> objects = result.json();
    ASSERT_EQ(objects.size(), 1u);
    const Json& display = objects[0]["display"];
    // The manufacturer name is null where the build had no PNP ID registry.
    EXPECT_THAT(shape(display),
                ::testing::MatchesRegex(
                    "manufacturerId:string manufacturerName:(string|null) productCode:number "
                    "serialNumber:number serialText:string productName:string week:number "
                    "year:number modelYear:null version:number revision:number videoInput:object "
                    "screenWidthCm:number screenHeightCm:number aspectRatio:null gamma:number "
                    "chromaticity:object sRGBDefault:boolean modes:array preferredMode:object "
                    "nativeResolution:object rangeLimits:object hdr:object colorimetry:object "
                    "audioFormats:array ycbcr444:boolean ycbcr422:boolean hdmi:object "
                    "hdmiForum:object vrr:object tiledTopology:null extensionBlocks:array "
                    "dynamicHDR:null "));
    const std::string modeShape =
        "width:number height:number refreshHz:number interlaced:boolean pixelClockKHz:number "
        "sources:array vic:number preferred:boolean native:boolean ycbcr420Only:boolean "
        "ycbcr420Capable:boolean ";
    const std::set<std::string> words{"established",  "standard", "detailed",
                                      "established3", "cvt3",     "cta-vic",
                                      "cta-detailed", "hdmi-vic", "displayid"};
    for (const Json& mode : display["modes"]) {
        EXPECT_EQ(shape(mode), modeShape);
        for (const Json& word : mode["sources"]) {
            EXPECT_TRUE(words.contains(word.get<std::string>())) << word;
        }
    }
    EXPECT_EQ(display["preferredMode"]["width"], 3840);
    EXPECT_EQ(display["preferredMode"]["refreshHz"], 60);
    EXPECT_EQ(display["hdmiForum"]["maxFRL"], "4x6");
    // The HDMI Forum block's VRR range and DSC 1.2 (4:2:0, 10 and 12 bpc, 8 slices up to
    // 400 MHz, FRL 4x6, 13,312 chunk bytes).
    EXPECT_EQ(display["vrr"]["source"], "hdmi-forum");
    EXPECT_EQ(display["hdmiForum"]["deepColor420_36"], true);
    const Json& dsc = display["hdmiForum"]["dsc"];
    EXPECT_EQ(shape(dsc),
              "bpc10:boolean bpc12:boolean bpc16:boolean allBpp:boolean native420:boolean "
              "maxSlices:number maxPixelClockPerSliceMHz:number maxFRL:string "
              "totalChunkBytes:number ");
    EXPECT_EQ(dsc["native420"], true);
    EXPECT_EQ(dsc["maxSlices"], 8);
    EXPECT_EQ(dsc["maxPixelClockPerSliceMHz"], 400);
    EXPECT_EQ(dsc["maxFRL"], "4x6");
    EXPECT_EQ(dsc["totalChunkBytes"], 13312);
    EXPECT_EQ(display["hdmi"]["videoLatencyMs"], nullptr);
    EXPECT_EQ(display["videoInput"]["interface"], "undefined");

    const Json& can = objects[0]["can"];
    ASSERT_EQ(can.size(), 2u);
    EXPECT_EQ(shape(can[0]), "request:string yes:boolean reasons:array ");
    EXPECT_EQ(can[0]["request"], "3840x2160@60");
    EXPECT_TRUE(can[0]["yes"]);
    EXPECT_FALSE(can[1]["yes"]);
    ASSERT_FALSE(can[1]["reasons"].empty());
    EXPECT_EQ(shape(can[1]["reasons"][0]), "code:string text:string ");
    EXPECT_EQ(can[1]["reasons"][0]["code"], "frl-rate-too-high");
}

TEST(EdidCheckDisplayModelTest, ModesTableAndCanLines) {
    Workspace workspace;
    const std::string file = shellQuoted(dataFile(kHDMI));
    const ToolResult modes = workspace.run("--modes " + file);
    EXPECT_NE(modes.status, 2);  // 1 when the EDID has errors: --modes keeps the usual status
    const std::vector<std::string> lines = linesOf(modes.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_THAT(lines[1],
                ::testing::MatchesRegex(" *Resolution +Refresh +Pixel clock +Flags +Sources"));
    EXPECT_THAT(lines[2], ::testing::MatchesRegex(" *3840x2160 +60.00 Hz +594.000 MHz +"
                                                  "preferred native +detailed"));

    const ToolResult yes = workspace.run("--can 1920x1080@60 --can 1280x720@60 " + file);
    EXPECT_EQ(yes.status, 0);
    EXPECT_EQ(linesOf(yes.out).size(), 2u);
    EXPECT_THAT(yes.out, HasSubstr(": 1920x1080@60: yes\n"));
    const ToolResult no = workspace.run("--can 1920x1080@60 --can 7680x4320@60 " + file);
    EXPECT_EQ(no.status, 1);
    EXPECT_THAT(no.out, HasSubstr(": 7680x4320@60: no: "));
    const ToolResult bad = workspace.run("--can 3840x2160 " + file);
    EXPECT_EQ(bad.status, 2);
    EXPECT_THAT(bad.err, HasSubstr("not a mode request"));
}

TEST(EdidCheckDisplayModelTest, EveryTestEDIDHasADisplayModel) {
    Workspace workspace;
    std::string arguments = "--json --can 1920x1080@60";
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(TEST_DATA_DIR) / "edid")) {
        if (entry.path().extension() == ".bin") {
            arguments += " " + shellQuoted(entry.path());
            ++count;
        }
    }
    const ToolResult result = workspace.run(arguments);
    const std::vector<Json> objects = result.json();
    ASSERT_EQ(objects.size(), count);
    for (const Json& object : objects) {
        EXPECT_TRUE(object["display"].is_object()) << object["source"];
        EXPECT_EQ(object["can"].size(), 1u) << object["source"];
    }
    const ToolResult modes = workspace.run(arguments.substr(7) + " --modes");
    EXPECT_LE(modes.status, 1);
    EXPECT_EQ(modes.err, "");
}

}  // namespace
