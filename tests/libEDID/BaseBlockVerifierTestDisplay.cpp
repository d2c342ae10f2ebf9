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

// Digital input: 14h bits 6-4 the colour bit depth, bits 3-0 the interface. Real EDIDs use the
// defined codes (and the malformed-input test pins down the order of the warnings for FFh).
TEST(BasicVideoFeatureVerifierTest, ReservedDigitalCodes) {
    for (const std::uint8_t input : {0xE6, 0xFF}) {  // depth code 6 is the last defined one
        SCOPED_TRACE(static_cast<int>(input));
        const Result r(EdidBuilder().videoInput(input));
        const std::string depth = input == 0xE6 ? "16" : label("UnknownReserved");
        Texts warnings{unknown("14h", label("DigitalInterface"))};
        if (input == 0xFF) {
            warnings.push_back(unknown("14h", label("ColorBitDepth")));
        }
        expectMessages(r, "EDIDValueUnknown", 1, 12, warnings);
        const std::string report = filled("ReportedColorBitDepth", {{"value", depth}});
        expectReport(r, report);
        expectProperties(r,
                         {{"DVIStandardSupported",
                           filled("DVIStandardSupported", {{"type", label("DigitalInterface")},
                                                           {"state", label("UnknownReserved")}})},
                          {"ReportedColorBitDepth", depth},
                          {"SerrationSupport", "-"}});
    }
}

// 14h bits 6-5 = 10b, the one analog signal level standard real EDIDs do not use.
TEST(BasicVideoFeatureVerifierTest, AnalogSignalLevelsOfCode2) {
    const Result r(EdidBuilder().videoInput(0x40));
    const std::string levels =
        filled("SignalLevelStandard", {{"video", "1.000"}, {"sync", "0.400"}, {"total", "1.400"}});
    expectReport(r, levels);
    expectProperties(r,
                     {{"SignalLevelStandard", afterLabel(levels)}, {"ColorEncodingFormats", "-"}});
}

// Sizes and ratios at their limits.
TEST(BasicVideoFeatureVerifierTest, ScreenSizeOrAspectRatio) {
    const struct {
        std::uint8_t h, v;
        const char *orientation, *value, *property;
    } cases[] = {
        {52, 32, "Horizontal", "52", "MonitorHzScreenSize"},
        {52, 32, "Vertical", "32", "MonitorVtScreenSize"},
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
        expectReport(r, text);
    }
}

// 17h: (gamma + 100) / 100, or FFh for a gamma in a display information extension (40h), whose
// absence is an error from EDID 1.4 on.
TEST(BasicVideoFeatureVerifierTest, GammaAndMissingDisplayInformationExtension) {
    const struct {
        EdidBuilder edid;   // EDID 1.4 unless stated
        std::string value;  // "-": in an extension block
        bool missing;
    } cases[] = {
        {EdidBuilder().gamma(0x00), "1.00", false},
        {EdidBuilder().gamma(0xFE), "3.54", false},
        {EdidBuilder().gamma(0xFF).version(1, 3), "-", false},
        {EdidBuilder().gamma(0xFF), "-", true},
        {EdidBuilder().gamma(0xFF).extensionBlock(0x40), "-", false},
        {EdidBuilder().gamma(0xFF).extensionBlock(0x02), "-", true},
    };
    for (const auto& c : cases) {
        const Result r(c.edid);
        const std::string text =
            reported("Gamma", c.value == "-" ? label("InExtensionBlock") : c.value);
        const std::string missing =
            filled("MissingExtBlock", {{"type", label("DisplayInformationExtension")}});
        EXPECT_EQ(r.property("GammaValue"), c.value);
        expectReport(r, text);
        expectMessages(r, "MissingExtBlock", 2, 15, c.missing ? Texts{missing} : Texts{});
    }
}

// 18h bits 0-2 and 5-7, one set at a time (bits 3-4 hold the colour type or encodings).
TEST(BasicVideoFeatureVerifierTest, FeatureSupportBits) {
    const std::pair<unsigned, const char*> flags[] = {
        {0, "DisplayFrequency"},  {1, "PreferredTimingModeSupp"},
        {2, "SRGBStandardSpace"}, {5, "ActiveOff"},
        {6, "SuspendMode"},       {7, "StandbyMode"}};
    for (const auto& [bit, name] : flags) {
        const Result r(EdidBuilder().features(static_cast<std::uint8_t>(1u << bit)));
        for (const auto& [other, flag] : flags) {
            const std::string text = reported(flag, label(other == bit ? "Yes" : "No"));
            EXPECT_EQ(r.property(flag), other == bit ? "true" : "false") << name;
            EXPECT_TRUE(r.hasText(text)) << flag;
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
