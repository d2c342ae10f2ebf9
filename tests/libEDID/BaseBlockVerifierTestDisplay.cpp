// Basic display parameters (14h-18h) and chromaticity (19h-22h) of the base block.

#include <array>

#include "BaseBlockVerifierTestSupport.h"

namespace verifiertest {
namespace {

std::string unknown(const char* offset, const std::string& type) {
    return filled("EDIDValueUnknown", {{"offset", offset}, {"type", type}});
}

std::string afterLabel(const std::string& text) {
    return text.substr(text.find(": ") + 2);
}

// Digital input: 14h bits 6-4 the colour bit depth, bits 3-0 the interface; 18h bits 4-3 the
// colour encodings.
TEST(BasicVideoFeatureVerifierTest, DigitalInterfaceBitDepthAndEncodings) {
    const struct {
        std::uint8_t input, features;
        const char *type, *state, *depth, *encodings;  // depth "#Key": a label
    } cases[] = {
        {0x80, 0x00, "DigitalInterface", "Undefined", "#Undefined", "RGB 4:4:4"},
        {0xA5, 0x08, "DisplayPort", "Supported", "8", "RGB 4:4:4 & YCbCr 4:4:4"},
        {0xE6, 0x10, "DigitalInterface", "UnknownReserved", "16", "RGB 4:4:4 & YCbCr 4:2:2"},
        {0xFF, 0x18, "DigitalInterface", "UnknownReserved", "#UnknownReserved",
         "RGB 4:4:4 & YCbCr 4:4:4 & YCbCr 4:2:2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.input));
        const Result r(EdidBuilder().videoInput(c.input).features(c.features));
        const std::string depth = c.depth[0] == '#' ? label(c.depth + 1) : c.depth;
        const std::string standard =
            filled("DVIStandardSupported", {{"type", label(c.type)}, {"state", label(c.state)}});
        expectProperties(r, {{"MonitorSignalType", "#Digital"},
                             {"DVIStandardSupported", standard},
                             {"ReportedColorBitDepth", depth},
                             {"ColorEncodingFormats", c.encodings},
                             {"SerrationSupport", "-"},
                             {"DisplayColorType", "-"}});
        // The input report, then each reserved code's warning right before its report.
        Texts log{filled("VideoInterfaceType", {{"type", label("Digital")}})}, warnings;
        if (std::string(c.state) == "UnknownReserved") {
            warnings.push_back(unknown("14h", label("DigitalInterface")));
            log.push_back(warnings.back());
        }
        log.push_back(standard);
        if (std::string(c.depth) == "#UnknownReserved") {
            warnings.push_back(unknown("14h", label("ColorBitDepth")));
            log.push_back(warnings.back());
        }
        log.push_back(filled("ReportedColorBitDepth", {{"value", depth}}));
        for (std::size_t i = 0; i < log.size(); ++i) {
            EXPECT_EQ(r.indexOf(log[i]), r.indexOf(log[0]) + static_cast<long>(i)) << log[i];
        }
        expectMessages(r, "EDIDValueUnknown", 1, 12, warnings);
    }
}

// Analog input: 14h bits 6-5 the signal levels, bit 4 the video setup, bits 3-0 the sync flags
// (one set in each case but the first); 18h bits 4-3 the colour type.
TEST(BasicVideoFeatureVerifierTest, AnalogInputFlagsSetupLevelsAndColourType) {
    const char* const sync[4][3] = {
        // key, type, property of bits 0 to 3
        {"SerrationSupport", "", "SerrationSupport"},
        {"CompositeSyncSupport", "GreenVideo", "CompositeSyncSupportGreenVideo"},
        {"CompositeSyncSupport", "Horizontal", "CompositeSyncSupportHoriz"},
        {"SeparateSignalSupport", "", "SeparateSignalSupport"}};
    const struct {
        std::uint8_t input, features;
        const char *setup, *video, *sync, *total, *colour;
    } cases[] = {
        {0x1F, 0x00, "BlankLevelToBlack", "0.700", "0.300", "1.000", "MonochromeGrayscale"},
        {0x61, 0x08, "BlankLevelEqualBlack", "0.700", "0.000", "0.700", "RGBColor"},
        {0x22, 0x10, "BlankLevelEqualBlack", "0.714", "0.286", "1.000", "NonRGBColor"},
        {0x44, 0x18, "BlankLevelEqualBlack", "1.000", "0.400", "1.400", "Undefined"},
        {0x08, 0x00, "BlankLevelEqualBlack", "0.700", "0.300", "1.000", "MonochromeGrayscale"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.input));
        const Result r(EdidBuilder().videoInput(c.input).features(c.features));
        for (unsigned bit = 0; bit < 4; ++bit) {
            const bool set = (c.input >> bit & 1) != 0;
            const auto& [key, type, property] = sync[bit];
            EXPECT_TRUE(r.hasText(
                filled(key, {{"type", label(type)}, {"value", label(set ? "Yes" : "No")}})))
                << property;
            EXPECT_EQ(r.property(property), set ? "true" : "false");
        }
        const std::string levels = filled(
            "SignalLevelStandard", {{"video", c.video}, {"sync", c.sync}, {"total", c.total}});
        EXPECT_TRUE(r.hasText(reported("VideoSetup", label(c.setup))));
        EXPECT_TRUE(r.hasText(reported("DisplayColorType", label(c.colour))));
        EXPECT_TRUE(r.hasText(levels));
        expectProperties(r, {{"MonitorSignalType", "#Analog"},
                             {"VideoSetup", std::string("#") + c.setup},
                             {"SignalLevelStandard", afterLabel(levels)},
                             {"DisplayColorType", std::string("#") + c.colour},
                             {"DVIStandardSupported", "-"},
                             {"ColorEncodingFormats", "-"}});
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
        expectMessages(r, "MissingExtBlock", 2, 15, c.missing ? Texts{missing} : Texts{});
        if (c.missing) {
            EXPECT_EQ(r.indexOf(missing) + 1, r.indexOf(text));
        }
    }
}

TEST(BasicVideoFeatureVerifierTest, FeatureSupportBits) {
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
        Texts expected;
        for (unsigned i = 0; i < 8; ++i) {
            expected.push_back(filled(
                "ReportedChromaticity",
                {{"type", label(names[i][0])}, {"coord", names[i][1]}, {"value", c.values[i]}}));
            const std::string property =
                std::string("ReportedChromaticity") + names[i][0] + names[i][1];
            EXPECT_EQ(r.property(property), c.values[i]);
            EXPECT_EQ(r.messagesBefore(property), r.indexOf(expected.back()) + 1);
        }
        EXPECT_EQ(r.texts("ReportedChromaticity"), expected);
        EXPECT_NE(r.edidString.find(join(expected, eol())), std::string::npos);
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
        expectMessages(r, "ChromaticityNotSRGB", 2, 11,
                       Texts(c.messages, label("ChromaticityNotSRGB")));
    }
}

}  // namespace
}  // namespace verifiertest
