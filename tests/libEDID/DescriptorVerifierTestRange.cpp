// The display range limits descriptor (FDh): rates with their offsets, the padding of the
// default GTF and range-limits-only forms, the secondary GTF curve and the CVT support data.

#include "DescriptorVerifierTestSupport.h"

namespace descriptortest {
namespace {

/// The default EDID with range limits in slot 1: byte 04h, then bytes 05h-11h.
Result rangeLimits(std::uint8_t offsets, const Bytes& bytes) {
    return withDescriptor(0xFD, bytes, offsets, 1);
}

/// EOL, indent, label, " : ", value for each pair.
std::string detailLines(const std::string& indent,
                        const std::vector<std::pair<std::string, std::string>>& lines) {
    std::string text;
    for (const auto& [key, value] : lines) {
        text += eol() + indent + label(key) + " : " + value;
    }
    return text;
}

std::string invalidRange(const char* typeKey, unsigned min, unsigned max) {
    return filled("InvalidRangeLimits", {{"type", label(typeKey)},
                                         {"minrate", std::to_string(min)},
                                         {"maxrate", std::to_string(max)}});
}

std::string invalidOffset(const std::string& type, const char* offset, const char* expected,
                          const char* value) {
    return filled("InvalidValueAtOffset",
                  {{"type", type}, {"offset", offset}, {"expected", expected}, {"value", value}});
}

TEST(DisplayRangeVerifierTest, RatesWithOffsets) {
    const struct {
        std::uint8_t offsets, vMin, vMax, hMin, hMax;
        std::string vertical, horizontal;
        Texts invalid;
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
        const Result r = rangeLimits(
            c.offsets, {c.vMin, c.vMax, c.hMin, c.hMax, 17, 0x01, 0x0A, 32, 32, 32, 32, 32, 32});
        const std::string text =
            reported("RangeLimits", detailLines(" ", {{"Vertical", c.vertical},
                                                      {"Horizontal", c.horizontal},
                                                      {"MaxPixelClock", "170 MHz"}}));
        const Texts names{"VertRangeLimit", "HorizRangeLimit", "MaxPixelClockRangeLimit"};
        expectReport(r, text, names);
        EXPECT_EQ(propertiesAmong(r, names), names);
        baseblocktest::expectProperties(
            r, {{names[0], c.vertical}, {names[1], c.horizontal}, {names[2], "170 MHz"}});
        expectMessages(r, "InvalidRangeLimits", 2, 8, c.invalid);
        Texts order = c.invalid;  // an inverted range is still reported, after its fault
        order.push_back(text);
        expectLoggedInOrder(r, order);
    }
}

TEST(DisplayRangeVerifierTest, PaddingOfDefaultGTFAndRangeLimitsOnly) {
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.invalid.size());
        Bytes bytes{50, 75, 30, 83, 17};
        bytes.insert(bytes.end(), c.tail.begin(), c.tail.end());
        const Result r = rangeLimits(0, bytes);
        expectMessages(r, "InvalidValueAtOffset", 2, 9, c.invalid);
        EXPECT_TRUE(textsStarting(r, "ReportedValue", " ").empty()) << "no support data block";
    }
}

TEST(DisplayRangeVerifierTest, SecondaryGTFCurve) {
    const std::vector<std::pair<std::string, std::string>> fields{
        {"StartBreakFrequency", "64 kHz"},  {"BlankingFormulaOffset", "32"},
        {"BlankingFormulaGradient", "600"}, {"BlankingFormulaScaling", "128"},
        {"BlankingFormulaWeighting", "20"},
    };
    const std::string text =
        filled("ReportedValue",
               {{"type", " " + label("GTFCurve")}, {"value", detailLines("  ", fields) + eol()}});
    Texts names;
    for (const auto& [name, value] : fields) {
        names.push_back(name);
    }
    for (const std::uint8_t reserved : {0x00, 0x05}) {
        SCOPED_TRACE(reserved);
        const Result r = rangeLimits(
            0, {50, 75, 30, 83, 17, 0x02, reserved, 0x20, 0x40, 0x58, 0x02, 0x80, 0x28});
        expectReport(r, text, names);
        baseblocktest::expectProperties(r, fields);
        EXPECT_EQ(propertiesAmong(r, names), names);
        const Texts invalid =
            reserved == 0
                ? Texts{}
                : Texts{invalidOffset(labels("RangeLimits", "GTFCurve"), "0Bh", "00h", "05h")};
        expectMessages(r, "InvalidValueAtOffset", 1, 9, invalid);
        if (!invalid.empty()) {
            expectLoggedInOrder(r, {invalid[0], text});
        }
    }
}

std::string listLines(const Texts& items) {
    std::string text;
    for (const auto& item : items) {
        text += eol() + "   " + item;
    }
    return items.empty() ? label("None") : text;
}

TEST(DisplayRangeVerifierTest, CVTSupport) {
    const struct {
        Bytes bytes;  // 09h, then 0Bh-11h
        // Version, maximum pixel clock, maximum active pixels, preferred ratio, refresh rate.
        Texts values;
        Texts ratios, scalings;  // empty: "None"
        bool standard, reduced;
    } cases[] = {
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
    const Texts names{"CVTVersion",          "CVTMaxPixelClock",      "CVTMaxActivePixelsPerLine",
                      "CVTSuppAspectRatios", "CVTPrefAspectRatio",    "StandardCVTBlanking",
                      "ReducedCVTBlanking",  "CVTSuppDisplayScaling", "CVTPrefVertRefreshRate"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.values[0] + " " + c.values[1]);
        const Bytes& b = c.bytes;
        const Result r =
            rangeLimits(0, {50, 75, 30, 83, b[0], 0x04, b[1], b[2], b[3], b[4], b[5], b[6], b[7]});
        const auto yesNo = [](bool flag) { return label(flag ? "Yes" : "No"); };
        const auto orNone = [](const Texts& items) {
            return items.empty() ? label("None") : join(items);
        };
        // The preferred ratio's line label differs from its property name.
        const std::string block = detailLines("  ", {{names[0], c.values[0]},
                                                     {names[1], c.values[1]},
                                                     {names[2], c.values[2]},
                                                     {names[3], listLines(c.ratios)},
                                                     {"CVTPrefAspectRatios", c.values[3]},
                                                     {names[5], yesNo(c.standard)},
                                                     {names[6], yesNo(c.reduced)},
                                                     {names[7], listLines(c.scalings)},
                                                     {names[8], c.values[4]}});
        expectReport(r,
                     filled("ReportedValue",
                            {{"type", " " + label("RangeLimitsCVTSupport")}, {"value", block}}),
                     names);
        EXPECT_EQ(propertiesAmong(r, names), names);
        baseblocktest::expectProperties(r, {{names[0], c.values[0]},
                                            {names[1], c.values[1]},
                                            {names[2], c.values[2]},
                                            {names[3], orNone(c.ratios)},
                                            {names[4], c.values[3]},
                                            {names[5], c.standard ? "true" : "false"},
                                            {names[6], c.reduced ? "true" : "false"},
                                            {names[7], orNone(c.scalings)},
                                            {names[8], c.values[4]}});
        EXPECT_EQ(r.type(names[0]), qor::QORValue::TYPE_STRING);
        EXPECT_EQ(r.type(names[3]), qor::QORValue::TYPE_STRING_ARRAY);
        EXPECT_EQ(r.type(names[5]), qor::QORValue::TYPE_BOOL);
        EXPECT_EQ(r.type(names[7]), qor::QORValue::TYPE_STRING_ARRAY);
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
        EXPECT_EQ(r.propertyNames().size(), Result(EdidBuilder()).propertyNames().size());
    }
}

}  // namespace
}  // namespace descriptortest
