// The display range limits descriptor (FDh): rates with their offsets, the padding of the
// default GTF and range-limits-only forms, the secondary GTF curve and the CVT support data.

#include "DescriptorVerifierTestSupport.h"

namespace descriptortest {
namespace {

/// The default EDID with range limits in slot 1: byte 04h, then bytes 05h-11h.
Result rangeLimits(std::uint8_t offsets, const Bytes& bytes) {
    return Result(EdidBuilder().displayDescriptor(1, 0xFD, bytes, offsets));
}

/// The range limits report of `bytes` 05h-09h with the default padding after them.
Bytes withRates(std::uint8_t vMin, std::uint8_t vMax, std::uint8_t hMin, std::uint8_t hMax) {
    return {vMin, vMax, hMin, hMax, 17, 0x01, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
}

std::string detailLine(const std::string& indent, const char* labelKey, const std::string& value) {
    return indent + label(labelKey) + " : " + value;
}

std::string invalidRange(const char* typeKey, unsigned min, unsigned max) {
    return filled("InvalidRangeLimits", {{"type", label(typeKey)},
                                         {"minrate", std::to_string(min)},
                                         {"maxrate", std::to_string(max)}});
}

TEST(DisplayRangeVerifierTest, RatesWithOffsets) {
    const struct {
        std::uint8_t offsets, vMin, vMax, hMin, hMax;
        std::string vertical, horizontal;
        std::vector<std::string> invalid;
    } cases[] = {
        {0x00, 50, 75, 30, 83, "50-75 Hz", "30-83 kHz", {}},
        {0x02, 40, 10, 30, 83, "40-265 Hz", "30-83 kHz", {}},
        {0x03, 40, 10, 30, 83, "295-265 Hz", "30-83 kHz", {invalidRange("Vertical", 295, 265)}},
        {0x01, 40, 10, 30, 83, "40-10 Hz", "30-83 kHz", {invalidRange("Vertical", 40, 10)}},
        {0x04, 50, 75, 90, 20, "50-75 Hz", "90-20 kHz", {invalidRange("Horizontal", 90, 20)}},
        {0x08, 50, 75, 30, 20, "50-75 Hz", "30-275 kHz", {}},
        {0x0C, 50, 75, 30, 20, "50-75 Hz", "285-275 kHz", {invalidRange("Horizontal", 285, 275)}},
        {0xFF, 255, 255, 255, 255, "510-510 Hz", "510-510 kHz", {}},  // bits 7-4 ignored
        {0x00,
         76,
         75,
         84,
         83,
         "76-75 Hz",
         "84-83 kHz",
         {invalidRange("Vertical", 76, 75), invalidRange("Horizontal", 84, 83)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vertical + " " + c.horizontal);
        const Result r = rangeLimits(c.offsets, withRates(c.vMin, c.vMax, c.hMin, c.hMax));
        const std::string text =
            reported("RangeLimits", eol() + detailLine(" ", "Vertical", c.vertical) + eol() +
                                        detailLine(" ", "Horizontal", c.horizontal) + eol() +
                                        detailLine(" ", "MaxPixelClock", "170 MHz"));
        expectReport(r, text, {"VertRangeLimit", "HorizRangeLimit", "MaxPixelClockRangeLimit"});
        EXPECT_EQ(r.property("VertRangeLimit"), c.vertical);
        EXPECT_EQ(r.property("HorizRangeLimit"), c.horizontal);
        EXPECT_EQ(r.property("MaxPixelClockRangeLimit"), "170 MHz");
        expectPropertyOrder(r, {"VertRange", "HorizRange", "MaxPixelClockRange"},
                            {"VertRangeLimit", "HorizRangeLimit", "MaxPixelClockRangeLimit"});
        EXPECT_EQ(r.texts("InvalidRangeLimits"), c.invalid);
        for (const auto& m : r.messages("InvalidRangeLimits")) {
            EXPECT_EQ(m.getLevel(), kError);
            EXPECT_EQ(m.getCategory(), 8);
        }
        // An inverted range is still reported, after its fault.
        if (!c.invalid.empty()) {
            expectLoggedInOrder(r, {c.invalid.back(), text});
        }
    }
}

TEST(DisplayRangeVerifierTest, PaddingOfDefaultGTFAndRangeLimitsOnly) {
    const auto invalid = [](const char* offset, const char* expected, const char* value) {
        return filled("InvalidValueAtOffset", {{"type", label("RangeLimits")},
                                               {"offset", offset},
                                               {"expected", expected},
                                               {"value", value}});
    };
    const struct {
        const char* name;
        Bytes tail;  // bytes 0Ah-11h
        std::vector<std::string> invalid;
    } cases[] = {
        {"range limits only", {0x01, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}, {}},
        {"default GTF", {0x00, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}, {}},
        {"all zero",
         {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
         {invalid("0Bh", "0Ah", "00h"), invalid("0Ch", "20h", "00h"), invalid("0Dh", "20h", "00h"),
          invalid("0Eh", "20h", "00h"), invalid("0Fh", "20h", "00h"), invalid("10h", "20h", "00h"),
          invalid("11h", "20h", "00h")}},
        {"two bad bytes",
         {0x01, 0x0A, 0x20, 0x0A, 0x20, 0x20, 0x20, 0xFF},
         {invalid("0Dh", "20h", "0Ah"), invalid("11h", "20h", "FFh")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes{50, 75, 30, 83, 17};
        bytes.insert(bytes.end(), c.tail.begin(), c.tail.end());
        const Result r = rangeLimits(0, bytes);
        EXPECT_EQ(r.texts("InvalidValueAtOffset"), c.invalid);
        for (const auto& m : r.messages("InvalidValueAtOffset")) {
            EXPECT_EQ(m.getLevel(), kError);
            EXPECT_EQ(m.getCategory(), 9);
        }
        EXPECT_TRUE(textsStarting(r, "ReportedValue", " ").empty()) << "no support data block";
    }
}

TEST(DisplayRangeVerifierTest, SecondaryGTFCurve) {
    const std::vector<std::pair<const char*, std::string>> fields{
        {"StartBreakFrequency", "64 kHz"},  {"BlankingFormulaOffset", "32"},
        {"BlankingFormulaGradient", "600"}, {"BlankingFormulaScaling", "128"},
        {"BlankingFormulaWeighting", "20"},
    };
    std::string block = eol();
    std::vector<std::string> names;
    for (const auto& [key, value] : fields) {
        block += detailLine("  ", key, value) + eol();
        names.push_back(key);
    }
    const std::string text =
        filled("ReportedValue", {{"type", " " + label("GTFCurve")}, {"value", block}});
    for (const std::uint8_t reserved : {0x00, 0x05}) {
        SCOPED_TRACE(reserved);
        const Result r = rangeLimits(
            0, {50, 75, 30, 83, 17, 0x02, reserved, 0x20, 0x40, 0x58, 0x02, 0x80, 0x28});
        expectReport(r, text, names);
        for (const auto& [key, value] : fields) {
            EXPECT_EQ(r.property(key), value) << key;
        }
        expectPropertyOrder(r, {"StartBreak", "BlankingFormula"}, names);
        if (reserved == 0) {
            EXPECT_TRUE(r.messages("InvalidValueAtOffset").empty());
            continue;
        }
        const std::string invalid =
            filled("InvalidValueAtOffset", {{"type", labels("RangeLimits", "GTFCurve")},
                                            {"offset", "0Bh"},
                                            {"expected", "00h"},
                                            {"value", "05h"}});
        expectOne(r, "InvalidValueAtOffset", kWarning, 9, invalid);
        expectLoggedInOrder(r, {invalid, text});
    }
}

/// One CVT support case: bytes 09h and 0Bh-11h, and the values they give.
struct CVTCase {
    Bytes bytes;
    // Version, maximum pixel clock, maximum active pixels, preferred ratio, refresh rate.
    std::vector<std::string> values;
    std::vector<std::string> ratios;    // empty: "None"
    std::vector<std::string> scalings;  // empty: "None"
    bool standard, reduced;
};

std::string listLines(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items) {
        text += eol() + "   " + item;
    }
    return items.empty() ? label("None") : text;
}

std::string listValue(const std::vector<std::string>& items) {
    return items.empty() ? label("None") : join(items, ", ");
}

TEST(DisplayRangeVerifierTest, CVTSupport) {
    const CVTCase cases[] = {
        {{17, 0x11, 0x06, 0x00, 0x98, 0x38, 0xA0, 60},
         {"1.1", "169.75 MHz", "4096", "16:9", "60 Hz"},
         {"15:9", "5:4", "4:3"},
         {label("VerticalShrink"), label("HorizontalShrink")},
         true,
         true},
        {{17, 0x20, 0x04, 0x00, 0x00, 0xA0, 0x00, 0},
         {"2.0", "169.75 MHz", label("NoLimit"), label("Unknown"), label("Undefined")},
         {},
         {},
         false,
         false},
        {{0, 0x4F, 0x00, 0x01, 0xF8, 0x90, 0xF0, 255},
         {"4.15", "0.00 MHz", "8", "15:9", "255 Hz"},
         {"15:9", "5:4", "16:10", "16:9", "4:3"},
         {label("VerticalStretch"), label("VerticalShrink"), label("HorizontalStretch"),
          label("HorizontalShrink")},
         false,
         true},
        {{25, 0x11, 0xFF, 0xFF, 0x07, 0x68, 0x0F, 75},
         {"1.1", "234.25 MHz", "8184", "5:4", "75 Hz"},
         {},
         {},
         true,
         false},
    };
    const std::vector<std::string> names{
        "CVTVersion",          "CVTMaxPixelClock",      "CVTMaxActivePixelsPerLine",
        "CVTSuppAspectRatios", "CVTPrefAspectRatio",    "StandardCVTBlanking",
        "ReducedCVTBlanking",  "CVTSuppDisplayScaling", "CVTPrefVertRefreshRate"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.values[0] + " " + c.values[1]);
        const Bytes& b = c.bytes;
        const Result r =
            rangeLimits(0, {50, 75, 30, 83, b[0], 0x04, b[1], b[2], b[3], b[4], b[5], b[6], b[7]});
        // Text and property values in line order; the two lists differ between them.
        const std::string standard = label(c.standard ? "Yes" : "No");
        const std::string reduced = label(c.reduced ? "Yes" : "No");
        const std::vector<std::string> lines{
            c.values[0], c.values[1], c.values[2],           listLines(c.ratios), c.values[3],
            standard,    reduced,     listLines(c.scalings), c.values[4]};
        const std::vector<std::string> values{c.values[0],
                                              c.values[1],
                                              c.values[2],
                                              listValue(c.ratios),
                                              c.values[3],
                                              c.standard ? "true" : "false",
                                              c.reduced ? "true" : "false",
                                              listValue(c.scalings),
                                              c.values[4]};
        std::string block;
        for (std::size_t i = 0; i < names.size(); ++i) {
            // The preferred ratio's line label differs from its property name.
            const std::string key = i == 4 ? "CVTPrefAspectRatios" : names[i];
            block += eol() + detailLine("  ", key.c_str(), lines[i]);
            EXPECT_EQ(r.property(names[i]), values[i]) << names[i];
        }
        const std::string text = filled(
            "ReportedValue", {{"type", " " + label("RangeLimitsCVTSupport")}, {"value", block}});
        expectReport(r, text, names);
        expectPropertyOrder(r, {"CVT", "StandardCVT", "ReducedCVT"}, names);
        EXPECT_EQ(r.type("StandardCVTBlanking"), qor::QORValue::TYPE_BOOL);
        EXPECT_EQ(r.type("ReducedCVTBlanking"), qor::QORValue::TYPE_BOOL);
        EXPECT_EQ(r.type("CVTSuppAspectRatios"), qor::QORValue::TYPE_STRING_ARRAY);
        EXPECT_EQ(r.type("CVTSuppDisplayScaling"), qor::QORValue::TYPE_STRING_ARRAY);
        EXPECT_EQ(r.type("CVTVersion"), qor::QORValue::TYPE_STRING);
        EXPECT_TRUE(r.messages("InvalidValueAtOffset").empty());
    }
}

TEST(DisplayRangeVerifierTest, UndefinedTimingSupportDecodesNothingMore) {
    for (const std::uint8_t support : {0x03, 0x05, 0x08, 0xFF}) {
        SCOPED_TRACE(support);
        const Result r = rangeLimits(0, {50, 75, 30, 83, 17, support, 0, 0, 0, 0, 0, 0, 0});
        EXPECT_EQ(textsStarting(r, "ReportedValue", label("RangeLimits")).size(), 1u);
        EXPECT_TRUE(textsStarting(r, "ReportedValue", " ").empty());
        EXPECT_TRUE(r.messages("InvalidValueAtOffset").empty());
        EXPECT_EQ(r.property("CVTVersion"), "-");
        EXPECT_EQ(r.property("StartBreakFrequency"), "-");
    }
}

}  // namespace
}  // namespace descriptortest
