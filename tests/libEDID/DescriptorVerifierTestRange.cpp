// The display range limits descriptor (FDh): rates with their offsets, the padding of the
// default GTF and range-limits-only forms, the secondary GTF curve and the CVT support data.

#include <array>
#include <tuple>

#include "BaseBlockVerifierTestSupport.h"

namespace verifiertest {
namespace {

/// The default EDID with range limits in slot 1: byte 04h, then bytes 05h-11h.
Result rangeLimits(std::uint8_t offsets, const Bytes& bytes) {
    return withDescriptor(0xFD, bytes, offsets, 1);
}

/// The offsets named by the "InvalidValueAtOffset" findings, each followed by a blank.
std::string invalidOffsets(const Result& r) {
    std::string out;
    for (const std::string& text : r.texts("InvalidValueAtOffset")) {
        out += text.substr(text.find("offset ") + 7, 3) + " ";
    }
    return out;
}

// 04h bits 1-0 add 255 to the vertical maximum (1x) and minimum (11), bits 3-2 likewise to the
// horizontal rates; 01b is no offset.
TEST(DisplayRangeVerifierTest, RatesWithOffsets) {
    const struct {
        std::uint8_t offsets;
        std::array<std::uint8_t, 4> bytes;  // 05h-08h
        std::array<unsigned, 4> rates;      // vertical min, max, horizontal min, max
    } cases[] = {
        {0x02, {40, 10, 30, 83}, {40, 265, 30, 83}},
        {0x03, {40, 10, 30, 83}, {295, 265, 30, 83}},
        {0x01, {40, 10, 30, 83}, {40, 10, 30, 83}},
        {0x04, {50, 75, 90, 20}, {50, 75, 90, 20}},
        {0x08, {50, 75, 30, 20}, {50, 75, 30, 275}},
        {0x0C, {50, 75, 30, 20}, {50, 75, 285, 275}},
        {0xFF, {255, 255, 255, 255}, {510, 510, 510, 510}},  // bits 7-4 ignored
        {0x00, {76, 75, 84, 83}, {76, 75, 84, 83}},
    };
    for (const auto& c : cases) {
        const auto& [b5, b6, b7, b8] = c.bytes;
        const auto& [vMin, vMax, hMin, hMax] = c.rates;
        const std::string vertical = std::to_string(vMin) + "-" + std::to_string(vMax) + " Hz";
        const std::string horizontal = std::to_string(hMin) + "-" + std::to_string(hMax) + " kHz";
        SCOPED_TRACE(vertical + " " + horizontal);
        const Result r =
            rangeLimits(c.offsets, {b5, b6, b7, b8, 17, 0x01, 0x0A, 32, 32, 32, 32, 32, 32});
        expectProperties(r, {{"VertRangeLimit", vertical},
                             {"HorizRangeLimit", horizontal},
                             {"MaxPixelClockRangeLimit", "170 MHz"}});
        // An inverted range is still reported.
        EXPECT_EQ(r.faults(), Texts((vMin > vMax) + (hMin > hMax), "InvalidRangeLimits 2 8"));
    }
}

// 0Ah = 00h (default GTF) and 01h (range limits only) pad 0Bh-11h with 0Ah and 20h; the
// undefined forms are not decoded further. Neither has a support data block or property. (The
// goldens pin both forms padded right and the GTF form padded with 00h.)
TEST(DisplayRangeVerifierTest, FormsWithoutSupportData) {
    const struct {
        Bytes tail;             // bytes 0Ah-11h
        const char* invalidAt;  // offsets of the findings
    } cases[] = {
        {{0x01, 0x0A, 0x20, 0x0A, 0x20, 0x20, 0x20, 0xFF}, "0Dh 11h "},
        {{0x03, 0, 0, 0, 0, 0, 0, 0}, ""},
        {{0x05, 0, 0, 0, 0, 0, 0, 0}, ""},
        {{0x08, 0, 0, 0, 0, 0, 0, 0}, ""},
        {{0xFF, 0, 0, 0, 0, 0, 0, 0}, ""},
    };
    const std::size_t properties = Result(EdidBuilder()).observer->properties.size();
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.tail[0]));
        Bytes bytes{50, 75, 30, 83, 17};
        bytes.insert(bytes.end(), c.tail.begin(), c.tail.end());
        const Result r = rangeLimits(0, bytes);
        EXPECT_EQ(invalidOffsets(r), c.invalidAt);
        for (const std::string& fault : r.faults()) {
            EXPECT_EQ(fault, "InvalidValueAtOffset 2 9");
        }
        EXPECT_EQ(r.observer->properties.size(), properties) << "no support data";
    }
}

// The layout of typical curves and CVT data is compared whole by the golden test; here
// the reserved byte 0Bh of the curve, and the CVT fields at their limits and undefined codes.
TEST(DisplayRangeVerifierTest, SecondaryGTFCurveWithItsReservedByteSet) {
    const Result r =
        rangeLimits(0, {50, 75, 30, 83, 17, 0x02, 0x05, 0x20, 0x40, 0x58, 0x02, 0x80, 0x28});
    expectProperties(r, {{"StartBreakFrequency", "64 kHz"},
                         {"BlankingFormulaOffset", "32"},
                         {"BlankingFormulaGradient", "600"},
                         {"BlankingFormulaScaling", "128"},
                         {"BlankingFormulaWeighting", "20"}});
    EXPECT_EQ(r.faults(), Texts{"InvalidValueAtOffset 1 9"});
    EXPECT_EQ(invalidOffsets(r), "0Bh ");
}

TEST(DisplayRangeVerifierTest, CVTSupport) {
    const std::string vShrink = label("VerticalShrink"), hShrink = label("HorizontalShrink"),
                      none = label("None");
    const Texts names{"CVTVersion",          "CVTMaxPixelClock",      "CVTMaxActivePixelsPerLine",
                      "CVTSuppAspectRatios", "CVTPrefAspectRatio",    "StandardCVTBlanking",
                      "ReducedCVTBlanking",  "CVTSuppDisplayScaling", "CVTPrefVertRefreshRate"};
    const struct {
        Bytes bytes;   // 09h, then 0Bh-11h
        Texts values;  // the properties of `names`
    } cases[] = {
        {{17, 0x11, 0x06, 0x00, 0x98, 0x38, 0xA0, 60},
         {"1.1", "169.75 MHz", "4096", "15:9, 5:4, 4:3", "16:9", "true", "true",
          vShrink + ", " + hShrink, "60 Hz"}},
        {{17, 0x20, 0x04, 0x00, 0x00, 0xA0, 0x00, 0},
         {"2.0", "169.75 MHz", label("NoLimit"), none, label("Unknown"), "false", "false", none,
          label("Undefined")}},
        {{0, 0x4F, 0x00, 0x01, 0xF8, 0x90, 0xF0, 255},
         {"4.15", "0.00 MHz", "8", "15:9, 5:4, 16:10, 16:9, 4:3", "15:9", "false", "true",
          label("VerticalStretch") + ", " + vShrink + ", " + label("HorizontalStretch") + ", " +
              hShrink,
          "255 Hz"}},
        {{25, 0x11, 0xFF, 0xFF, 0x07, 0x68, 0x0F, 75},
         {"1.1", "234.25 MHz", "8184", none, "5:4", "true", "false", none, "75 Hz"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.values[0] + " " + c.values[1]);
        const Bytes& b = c.bytes;
        const Result r =
            rangeLimits(0, {50, 75, 30, 83, b[0], 0x04, b[1], b[2], b[3], b[4], b[5], b[6], b[7]});
        for (std::size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(r.property(names[i]), c.values[i]) << names[i];
        }
        EXPECT_TRUE(r.faults().empty());
    }
}

}  // namespace
}  // namespace verifiertest
