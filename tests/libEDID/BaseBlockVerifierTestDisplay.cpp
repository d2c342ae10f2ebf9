// Basic display parameters (14h-18h) and chromaticity (19h-22h) of the base block.

#include <array>

#include "BaseBlockVerifierTestSupport.h"

namespace verifiertest {
namespace {

// Digital input: 14h bits 6-4 the colour bit depth, bits 3-0 the interface. Real EDIDs use the
// defined codes; code 2 of the analog signal levels (14h bits 6-5 = 10b) neither.
TEST(BasicVideoFeatureVerifierTest, ReservedAndUnusedInputCodes) {
    const std::string unknown = "EDIDValueUnknown 1 12";
    const Result last(EdidBuilder().videoInput(0xE6));  // depth code 6 is the last defined one
    EXPECT_EQ(last.faults(), Texts{unknown});
    expectProperties(last, {{"ReportedColorBitDepth", "16"}, {"SerrationSupport", "-"}});
    EXPECT_THAT(last.property("DVIStandardSupported"), HasSubstr(label("UnknownReserved")));
    const Result reserved(EdidBuilder().videoInput(0xFF));
    EXPECT_EQ(reserved.faults(), (Texts{unknown, unknown}));
    expectProperties(reserved, {{"ReportedColorBitDepth", "#UnknownReserved"}});

    expectProperties(Result(EdidBuilder().videoInput(0x40)),
                     {{"SignalLevelStandard", "video 1.000 V, sync 0.400 V, total 1.400 V"},
                      {"ColorEncodingFormats", "-"}});
}

// Ratios at their limits (the sizes of the test EDIDs are pinned by the goldens).
TEST(BasicVideoFeatureVerifierTest, ScreenSizeOrAspectRatio) {
    const struct {
        std::uint8_t h, v;
        const char *property, *value;
    } cases[] = {
        {255, 0, "ReportedAspectRatioLandscape", "3.54 : 1.00"},
        {0, 79, "ReportedAspectRatioPortrait", "0.56 : 1.00"},
        {0, 1, "ReportedAspectRatioPortrait", "1.00 : 1.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Result(EdidBuilder().set(0x15, {c.h, c.v})).property(c.property), c.value)
            << c.property;
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
        EXPECT_EQ(r.property("GammaValue"), c.value);
        EXPECT_EQ(r.faults(), c.missing ? Texts{"MissingExtBlock 2 15"} : Texts{});
    }
}

// Ten bits a coordinate: 19h holds the low bits of red and green, 1Ah those of blue and white,
// x above y; the high bytes follow from 1Bh: red x, red y, green x, green y, blue x, blue y,
// white x, white y. That layout is pinned by the goldens (the low bits of the test EDIDs take
// every value); here the largest fraction and the rounding up to four places.
TEST(ChromaticityVerifierTest, CoordinatesRoundUpToFourPlaces) {
    const char* const names[8] = {"GreenY", "GreenX", "RedY",  "RedX",
                                  "WhiteY", "WhiteX", "BlueY", "BlueX"};
    const char* const values[8] = {"0.9991", "0.0000", "0.0000", "0.0000",
                                   "0.0040", "0.5000", "0.0000", "0.0000"};
    // Green y 1023/1024, white x 1/2, white y 1/256.
    const Result r(EdidBuilder().chromaticity({0x03, 0x00, 0, 0, 0, 0xFF, 0, 0, 0x80, 0x01}));
    for (unsigned i = 0; i < 8; ++i) {
        EXPECT_EQ(r.property(std::string("ReportedChromaticity") + names[i]), values[i])
            << names[i];
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
        EXPECT_EQ(r.faults(), Texts(c.messages, "ChromaticityNotSRGB 2 11"));
    }
}

}  // namespace
}  // namespace verifiertest
