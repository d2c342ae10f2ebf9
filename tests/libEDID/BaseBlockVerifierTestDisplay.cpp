// Basic display parameters (14h-18h) and chromaticity (19h-22h) of the base block.

#include <algorithm>
#include <array>

#include "BaseBlockVerifierTestSupport.h"

namespace baseblocktest {
namespace {

std::string unknown(const char* offset, const std::string& type) {
    return filled("EDIDValueUnknown", {{"offset", offset}, {"type", type}});
}

TEST(BasicVideoFeatureVerifierTest, DigitalInterfaceAndBitDepthTables) {
    const struct {
        std::uint8_t input;
        const char *type, *state;
        std::string depth;  // "#Key": a label
    } cases[] = {
        {0x80, "DigitalInterface", "Undefined", "#Undefined"},
        {0x91, "DVI", "Supported", "6"},
        {0xA2, "HDMIA", "Supported", "8"},
        {0xB3, "HDAMIB", "Supported", "10"},
        {0xC4, "MDDI", "Supported", "12"},
        {0xD5, "DisplayPort", "Supported", "14"},
        {0xE6, "DigitalInterface", "UnknownReserved", "16"},
        {0xFF, "DigitalInterface", "UnknownReserved", "#UnknownReserved"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.input));
        const Result r(EdidBuilder().videoInput(c.input));
        const std::string depth = c.depth[0] == '#' ? label(c.depth.substr(1)) : c.depth;
        const std::string standard =
            filled("DVIStandardSupported", {{"type", label(c.type)}, {"state", label(c.state)}});
        expectProperties(r, {{"MonitorSignalType", "#Digital"},
                             {"DVIStandardSupported", standard},
                             {"ReportedColorBitDepth", depth},
                             {"SerrationSupport", "-"}});
        // Expected log from the input report on; each warning right before its report.
        std::vector<std::string> log{filled("VideoInterfaceType", {{"type", label("Digital")}})};
        if (std::string(c.state) == "UnknownReserved") {
            log.push_back(unknown("14h", label("DigitalInterface")));
        }
        log.push_back(standard);
        if (c.depth == "#UnknownReserved") {
            log.push_back(unknown("14h", label("ColorBitDepth")));
        }
        log.push_back(filled("ReportedColorBitDepth", {{"value", depth}}));
        const long first = r.indexOf(log[0]);
        for (std::size_t i = 0; i < log.size(); ++i) {
            EXPECT_EQ(r.indexOf(log[i]), first + static_cast<long>(i)) << log[i];
        }
        for (const auto& m : r.messages("EDIDValueUnknown")) {
            EXPECT_EQ(m.getLevel() * 100 + m.getCategory(), 112);
        }
    }
}

TEST(BasicVideoFeatureVerifierTest, AnalogInputFlagsSetupAndSignalLevels) {
    const struct {
        std::uint8_t input;
        std::array<bool, 4> flags;  // serrations, green, horizontal, separate
        const char *setup, *video, *sync, *total;
    } cases[] = {
        {0x1F, {true, true, true, true}, "BlankLevelToBlack", "0.700", "0.300", "1.000"},
        {0x60, {false, false, false, false}, "BlankLevelEqualBlack", "0.700", "0.000", "0.700"},
        {0x20, {false, false, false, false}, "BlankLevelEqualBlack", "0.714", "0.286", "1.000"},
        {0x44, {false, false, true, false}, "BlankLevelEqualBlack", "1.000", "0.400", "1.400"},
        {0x02, {false, true, false, false}, "BlankLevelEqualBlack", "0.700", "0.300", "1.000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.input));
        const Result r(EdidBuilder().videoInput(c.input));
        const auto yes = [&](int i) { return label(c.flags[i] ? "Yes" : "No"); };
        const auto flag = [&](int i) { return std::string(c.flags[i] ? "true" : "false"); };
        for (const auto& text :
             {filled("SerrationSupport", {{"value", yes(0)}}),
              filled("CompositeSyncSupport", {{"type", label("GreenVideo")}, {"value", yes(1)}}),
              filled("CompositeSyncSupport", {{"type", label("Horizontal")}, {"value", yes(2)}}),
              filled("SeparateSignalSupport", {{"value", yes(3)}}),
              reported("VideoSetup", label(c.setup))}) {
            EXPECT_TRUE(r.hasText(text)) << text;
        }
        const std::string levels = filled(
            "SignalLevelStandard", {{"video", c.video}, {"sync", c.sync}, {"total", c.total}});
        EXPECT_TRUE(r.hasText(levels));
        expectProperties(r, {{"MonitorSignalType", "#Analog"},
                             {"SerrationSupport", flag(0)},
                             {"CompositeSyncSupportGreenVideo", flag(1)},
                             {"CompositeSyncSupportHoriz", flag(2)},
                             {"SeparateSignalSupport", flag(3)},
                             {"VideoSetup", std::string("#") + c.setup},
                             {"SignalLevelStandard", afterLabel(levels)},
                             {"DVIStandardSupported", "-"}});
        EXPECT_EQ(r.type("SerrationSupport"), qor::QORValue::TYPE_BOOL);
    }
}

TEST(BasicVideoFeatureVerifierTest, ScreenSizeOrAspectRatio) {
    const struct {
        std::uint8_t h, v;
        const char *orientation, *value, *property;
    } cases[] = {
        {52, 32, "Horizontal", "52", "MonitorHzScreenSize"},
        {52, 32, "Vertical", "32", "MonitorVtScreenSize"},
        {79, 0, "Landscape", "1.78", "ReportedAspectRatioLandscape"},
        {255, 0, "Landscape", "3.54", "ReportedAspectRatioLandscape"},
        {0, 79, "Portrait", "0.56", "ReportedAspectRatioPortrait"},
        {0, 1, "Portrait", "1.00", "ReportedAspectRatioPortrait"},
    };
    for (const auto& c : cases) {
        const Result r(EdidBuilder().screenSize(c.h, c.v));
        const std::string text =
            c.h != 0 && c.v != 0
                ? filled("ReportedScreenSize",
                         {{"orientation", label(c.orientation)}, {"size", c.value}})
                : filled("ReportedAspectRatio", {{"orientation", label(c.orientation)},
                                                 {"ratio1", c.value},
                                                 {"ratio2", "1.00"}});
        EXPECT_EQ(r.property(c.property), afterLabel(text));
        EXPECT_EQ(r.messagesBefore(c.property), r.indexOf(text));  // property, then report
    }
    const Result none(EdidBuilder().screenSize(0, 0));
    const long at =
        none.indexOf(unknown("15h-16h", label("ScreenSize") + ", " + label("AspectRatio")));
    ASSERT_GE(at, 0);
    EXPECT_EQ(none.indexOf(reported("AspectRatio", label("Undefined"))), at + 1);
    EXPECT_EQ(none.indexOf(reported("ScreenSize", label("Undefined"))), at + 2);
    expectProperties(none, {{"MonitorHzScreenSize", "-"}, {"ReportedAspectRatioPortrait", "-"}});
}

TEST(BasicVideoFeatureVerifierTest, GammaAndMissingDisplayInformationExtension) {
    const struct {
        std::uint8_t gamma, revision, extensionTag;  // tag 0: no extension block
        std::string value;                           // "-": in an extension block
        bool missing;
    } cases[] = {
        {0x78, 4, 0, "2.20", false}, {0x00, 4, 0, "1.00", false}, {0xFE, 4, 0, "3.54", false},
        {0xFF, 3, 0, "-", false},    {0xFF, 4, 0, "-", true},     {0xFF, 4, 0x40, "-", false},
        {0xFF, 4, 0x02, "-", true},
    };
    for (const auto& c : cases) {
        EdidBuilder builder;
        builder.gamma(c.gamma).version(1, c.revision);
        if (c.extensionTag != 0) {
            builder.extensionBlock(c.extensionTag);
        }
        const Result r(builder);
        const std::string text =
            reported("Gamma", c.value == "-" ? label("InExtensionBlock") : c.value);
        const std::string missing =
            filled("MissingExtBlock", {{"type", label("DisplayInformationExtension")}});
        EXPECT_EQ(r.property("GammaValue"), c.value);
        EXPECT_EQ(r.messagesBefore("GammaValue"), c.value == "-" ? -1 : r.indexOf(text));
        EXPECT_EQ(r.texts("MissingExtBlock").size(), c.missing ? 1u : 0u);
        if (c.missing) {
            expectOne(r, "MissingExtBlock", 2, 15, missing);
            EXPECT_EQ(r.indexOf(missing) + 1, r.indexOf(text));
        }
    }
}

TEST(BasicVideoFeatureVerifierTest, FeatureSupportBitsAndColourTables) {
    const char* const flags[8] = {"DisplayFrequency",
                                  "PreferredTimingModeSupp",
                                  "SRGBStandardSpace",
                                  nullptr,
                                  nullptr,
                                  "ActiveOff",
                                  "SuspendMode",
                                  "StandbyMode"};
    for (unsigned bit = 0; bit < 8; ++bit) {
        const Result r(EdidBuilder().features(static_cast<std::uint8_t>(1u << bit)));
        for (unsigned other = 0; other < 8; ++other) {
            if (flags[other] != nullptr) {
                const std::string text = reported(flags[other], label(other == bit ? "Yes" : "No"));
                EXPECT_EQ(r.property(flags[other]), other == bit ? "true" : "false") << bit;
                EXPECT_EQ(r.messagesBefore(flags[other]), r.indexOf(text) + 1);  // report first
            }
        }
    }
    const char* const encodings[4] = {"RGB 4:4:4", "RGB 4:4:4 & YCbCr 4:4:4",
                                      "RGB 4:4:4 & YCbCr 4:2:2",
                                      "RGB 4:4:4 & YCbCr 4:4:4 & YCbCr 4:2:2"};
    const char* const colourTypes[4] = {"MonochromeGrayscale", "RGBColor", "NonRGBColor",
                                        "Undefined"};
    for (unsigned code = 0; code < 4; ++code) {
        const auto features = static_cast<std::uint8_t>(code << 3);
        const Result digital(EdidBuilder().videoInput(0xA5).features(features));
        const std::string encoding = reported("ColorEncodingFormats", encodings[code]);
        expectProperties(digital,
                         {{"ColorEncodingFormats", encodings[code]}, {"DisplayColorType", "-"}});
        EXPECT_EQ(digital.messagesBefore("ColorEncodingFormats"), digital.indexOf(encoding));

        const Result analog(EdidBuilder().videoInput(0x00).features(features));
        EXPECT_TRUE(analog.hasText(reported("DisplayColorType", label(colourTypes[code]))));
        expectProperties(analog, {{"DisplayColorType", std::string("#") + colourTypes[code]},
                                  {"ColorEncodingFormats", "-"}});
    }
}

// 19h holds the low bits of red and green, 1Ah those of blue and white, x above y; the high
// bytes follow from 1Bh: red x, red y, green x, green y, blue x, blue y, white x, white y.
TEST(ChromaticityVerifierTest, CoordinatesInReportOrder) {
    const char* const names[8][2] = {{"Green", "Y"}, {"Green", "X"}, {"Red", "Y"},  {"Red", "X"},
                                     {"White", "Y"}, {"White", "X"}, {"Blue", "Y"}, {"Blue", "X"}};
    const struct {
        std::array<std::uint8_t, 10> bytes;
        std::array<const char*, 8> values;
    } cases[] = {
        {{0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54},  // red x 655/1024
         {"0.5997", "0.2999", "0.3301", "0.6397", "0.3292", "0.3125", "0.0596", "0.1504"}},
        {{0x80, 0x01, 0, 0, 0, 0, 0, 0, 0, 0},  // red x bit 2^-9, white y bit 2^-10
         {"0.0000", "0.0000", "0.0000", "0.0020", "0.0010", "0.0000", "0.0000", "0.0000"}},
        {{0x03, 0x00, 0, 0, 0, 0xFF, 0, 0, 0x80, 0x01},  // green y 1023/1024, white 1/2, 1/256
         {"0.9991", "0.0000", "0.0000", "0.0000", "0.0040", "0.5000", "0.0000", "0.0000"}},
    };
    for (const auto& c : cases) {
        const Result r(EdidBuilder().chromaticity(c.bytes));
        std::vector<std::string> expected;
        for (unsigned i = 0; i < 8; ++i) {
            expected.push_back(filled(
                "ReportedChromaticity",
                {{"type", label(names[i][0])}, {"coord", names[i][1]}, {"value", c.values[i]}}));
            const std::string property =
                std::string("ReportedChromaticity") + names[i][0] + names[i][1];
            EXPECT_EQ(r.property(property), c.values[i]);
            EXPECT_EQ(r.messagesBefore(property), r.indexOf(expected.back()) + 1);
            EXPECT_NE(r.edidString().find(expected.back()), std::string::npos);
        }
        EXPECT_EQ(r.texts("ReportedChromaticity"), expected);
    }
}

TEST(ChromaticityVerifierTest, SRGBComparisonOnlyWhenDeclared) {
    const std::array<std::uint8_t, 10> srgb{0xEE, 0x91, 0xA3, 0x54, 0x4C,
                                            0x99, 0x26, 0x0F, 0x50, 0x54};
    std::array<std::uint8_t, 10> near = srgb, far = srgb;
    near[5] = 0xA2;  // green y 650/1024, within 0.05 of 0.600
    far[5] = 0xAF;   // green y 702/1024
    far[6] = 0x00;   // and blue x 2/1024
    const struct {
        std::array<std::uint8_t, 10> bytes;
        std::uint8_t features;
        std::size_t messages;
    } cases[] = {{srgb, 0x04, 0}, {near, 0x04, 0}, {far, 0x04, 1},
                 {{}, 0x04, 1},   {{}, 0x00, 0},   {far, 0xFB, 0}};
    for (const auto& c : cases) {
        const Result r(EdidBuilder().chromaticity(c.bytes).features(c.features));
        EXPECT_EQ(r.texts("ChromaticityNotSRGB"),
                  std::vector<std::string>(c.messages, label("ChromaticityNotSRGB")));
        for (const auto& m : r.messages("ChromaticityNotSRGB")) {
            EXPECT_EQ(m.getLevel() * 100 + m.getCategory(), 211);
        }
    }
}

}  // namespace
}  // namespace baseblocktest
