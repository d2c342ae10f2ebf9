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

std::string invalidOffset(const std::string& type, const char* offset, const char* expected,
                          const char* value) {
    return filled("InvalidValueAtOffset",
                  {{"type", type}, {"offset", offset}, {"expected", expected}, {"value", value}});
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
    const Texts names{"VertRangeLimit", "HorizRangeLimit", "MaxPixelClockRangeLimit"};
    for (const auto& c : cases) {
        const auto& [b5, b6, b7, b8] = c.bytes;
        const auto& [vMin, vMax, hMin, hMax] = c.rates;
        const std::string vertical = std::to_string(vMin) + "-" + std::to_string(vMax) + " Hz";
        const std::string horizontal = std::to_string(hMin) + "-" + std::to_string(hMax) + " kHz";
        SCOPED_TRACE(vertical + " " + horizontal);
        const Result r =
            rangeLimits(c.offsets, {b5, b6, b7, b8, 17, 0x01, 0x0A, 32, 32, 32, 32, 32, 32});
        const std::string text =
            reported("RangeLimits", detailLines(" ", {{"Vertical", vertical},
                                                      {"Horizontal", horizontal},
                                                      {"MaxPixelClock", "170 MHz"}}));
        expectReport(r, text);
        expectProperties(r, {{names[0], vertical}, {names[1], horizontal}, {names[2], "170 MHz"}});
        Texts invalid;  // an inverted range is still reported
        for (const auto& [type, min, max] :
             {std::tuple{"Vertical", vMin, vMax}, std::tuple{"Horizontal", hMin, hMax}}) {
            if (min > max) {
                invalid.push_back(filled("InvalidRangeLimits", {{"type", label(type)},
                                                                {"minrate", std::to_string(min)},
                                                                {"maxrate", std::to_string(max)}}));
            }
        }
        expectMessages(r, "InvalidRangeLimits", 2, 8, invalid);
    }
}

// 0Ah = 00h (default GTF) and 01h (range limits only) pad 0Bh-11h with 0Ah and 20h; the
// undefined forms are not decoded further. Neither has a support data block or property.
TEST(DisplayRangeVerifierTest, FormsWithoutSupportData) {
    const std::string type = label("RangeLimits");
    const struct {
        Bytes tail;  // bytes 0Ah-11h
        Texts invalid;
    } cases[] = {
        {{0x01, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}, {}},
        {{0x00, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}, {}},
        {{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
         {invalidOffset(type, "0Bh", "0Ah", "00h"), invalidOffset(type, "0Ch", "20h", "00h"),
          invalidOffset(type, "0Dh", "20h", "00h"), invalidOffset(type, "0Eh", "20h", "00h"),
          invalidOffset(type, "0Fh", "20h", "00h"), invalidOffset(type, "10h", "20h", "00h"),
          invalidOffset(type, "11h", "20h", "00h")}},
        {{0x01, 0x0A, 0x20, 0x0A, 0x20, 0x20, 0x20, 0xFF},
         {invalidOffset(type, "0Dh", "20h", "0Ah"), invalidOffset(type, "11h", "20h", "FFh")}},
        {{0x03, 0, 0, 0, 0, 0, 0, 0}, {}},
        {{0x05, 0, 0, 0, 0, 0, 0, 0}, {}},
        {{0x08, 0, 0, 0, 0, 0, 0, 0}, {}},
        {{0xFF, 0, 0, 0, 0, 0, 0, 0}, {}},
    };
    const std::size_t properties = Result(EdidBuilder()).propertyNames().size();
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.tail[0]));
        Bytes bytes{50, 75, 30, 83, 17};
        bytes.insert(bytes.end(), c.tail.begin(), c.tail.end());
        const Result r = rangeLimits(0, bytes);
        expectMessages(r, "InvalidValueAtOffset", 2, 9, c.invalid);
        EXPECT_EQ(textsStarting(r, "ReportedValue", label("RangeLimits")).size(), 1u);
        EXPECT_TRUE(textsStarting(r, "ReportedValue", " ").empty()) << "no support data block";
        EXPECT_EQ(r.propertyNames().size(), properties);
    }
}

/// Expects one support data block of `r` whose type label is `typeKey`.
void expectSupportBlock(const Result& r, const char* typeKey) {
    const Texts blocks = textsStarting(r, "ReportedValue", " " + label(typeKey));
    ASSERT_EQ(blocks.size(), 1u) << typeKey;
    expectReport(r, blocks[0]);
}

// The layout of typical curves and CVT data is compared whole by the golden test; here
// the reserved byte 0Bh of the curve, and the CVT fields at their limits and undefined codes.
TEST(DisplayRangeVerifierTest, SecondaryGTFCurveWithItsReservedByteSet) {
    const Result r =
        rangeLimits(0, {50, 75, 30, 83, 17, 0x02, 0x05, 0x20, 0x40, 0x58, 0x02, 0x80, 0x28});
    expectSupportBlock(r, "GTFCurve");
    expectProperties(r, {{"StartBreakFrequency", "64 kHz"},
                         {"BlankingFormulaOffset", "32"},
                         {"BlankingFormulaGradient", "600"},
                         {"BlankingFormulaScaling", "128"},
                         {"BlankingFormulaWeighting", "20"}});
    const std::string invalid =
        invalidOffset(labels("RangeLimits", "GTFCurve"), "0Bh", "00h", "05h");
    expectMessages(r, "InvalidValueAtOffset", 1, 9, {invalid});
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
        expectSupportBlock(r, "RangeLimitsCVTSupport");
        for (std::size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(r.property(names[i]), c.values[i]) << names[i];
        }
        EXPECT_TRUE(r.withKey("InvalidValueAtOffset").empty());
    }
}

}  // namespace
}  // namespace verifiertest
