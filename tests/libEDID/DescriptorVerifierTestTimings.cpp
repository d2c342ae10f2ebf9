// The timing descriptors: standard timing identifiers (FAh), CVT 3-byte timing codes (F8h)
// and established timings III (F7h).

#include "DescriptorVerifierTestSupport.h"

namespace descriptortest {
namespace {

TEST(DisplayTimingIDVerifierTest, SixIdentifiers) {
    const struct {
        const char* name;
        Bytes payload;
        std::vector<std::string> modes;
        std::vector<std::string> invalidOffsets;
    } cases[] = {
        {"decoded, invalid and unused",
         {0x81, 0x80, 0xA9, 0x40, 0x00, 0x00, 0x01, 0x01, 0x01, 0x00, 0xD1, 0xFF, 0x00},
         {"1280 x 1024 @ 60Hz", "1600 x 1200 @ 60Hz", "256 x 160 @ 60Hz", "1920 x 1080 @ 123Hz"},
         {"04h"}},
        {"all unused",
         {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x0A},
         {},
         {}},
        {"all invalid",
         {0x00, 0x01, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00},
         {},
         {"00h", "02h", "04h", "06h", "08h", "0Ah"}},
        {"aspect codes, last byte unread",
         {0x81, 0x00, 0x81, 0x40, 0x95, 0x80, 0xA8, 0xC0, 0x01, 0x01, 0x01, 0x01, 0x00},
         {"1280 x 800 @ 60Hz", "1280 x 960 @ 60Hz", "1440 x 1152 @ 60Hz", "1592 x 895 @ 60Hz"},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Result r{withDescriptor(0xFA, c.payload)};
        std::vector<std::string> invalid;
        for (const auto& offset : c.invalidOffsets) {
            invalid.push_back(filled("InvalidStdTiming", {{"offset", offset}}));
        }
        EXPECT_EQ(r.texts("InvalidStdTiming"), invalid);
        for (const auto& m : r.messages("InvalidStdTiming")) {
            EXPECT_EQ(m.getLevel(), kError);
            EXPECT_EQ(m.getCategory(), 6);
        }
        const auto reports = textsStarting(r, "ReportedValue", label("StandardTimingsID"));
        if (c.modes.empty()) {
            EXPECT_TRUE(reports.empty());
            EXPECT_EQ(r.property("StandardTimingsID"), "-");
            continue;
        }
        std::string lines = eol();
        for (const auto& mode : c.modes) {
            lines += " " + mode + eol();
        }
        const std::string text = reported("StandardTimingsID", lines);
        EXPECT_EQ(reports, std::vector<std::string>{text});
        expectReport(r, text, {}, {"StandardTimingsID"});
        EXPECT_EQ(r.type("StandardTimingsID"), qor::QORValue::TYPE_STRING_ARRAY);
        EXPECT_EQ(r.property("StandardTimingsID"), join(c.modes, ", "));
    }
}

/// What one CVT code gives: its position, its reserved-bit faults (offset, expected, value)
/// and its four values.
struct CVTCode {
    unsigned n;
    std::vector<std::array<std::string, 3>> faults;
    std::string lines, ratio, rate;
    std::vector<std::string> supported;  // empty: "None"
};

std::string cvtBlock(const CVTCode& code) {
    std::string rates;
    for (const auto& entry : code.supported) {
        rates += eol() + "  " + entry;
    }
    return eol() + " " + label("AddressableLines") + " : " + code.lines + eol() + " " +
           label("AspectRatio") + " : " + code.ratio + eol() + " " +
           label("PreferredVerticalRate") + " : " + code.rate + eol() + " " +
           label("SuppVertRateBlkStyle") + " : " + (code.supported.empty() ? label("None") : rates);
}

TEST(DisplayCVTVerifierTest, FourCodes) {
    const std::string standard = " " + label("StandardBlanking");
    const std::string none = label("None");
    const struct {
        const char* name;
        Bytes codes;  // descriptor bytes 06h-11h
        std::vector<CVTCode> expected;
    } cases[] = {
        {"all zero", Bytes(12, 0x00), {{0, {{"06h", "NONZERO", "00h"}}, "2", "4:3", "50 Hz", {}}}},
        {"1080 lines at 16:10",
         {0x1B, 0x28, 0x26},
         {{0, {}, "1080", "16:10", "60 Hz", {"85 Hz" + standard, "75 Hz" + standard}}}},
        {"every supported rate, 15:9 at 85 Hz",
         {0xFF, 0xFC, 0x7F},
         {{0,
           {},
           "8192",
           "15:9",
           "85 Hz",
           {"60 Hz " + label("ReducedBlanking"), "85 Hz" + standard, "75 Hz" + standard,
            "60 Hz" + standard, "50 Hz" + standard}}}},
        {"reserved bits of codes 0 and 1",
         {0x01, 0x0A, 0x80, 0x01, 0x4A, 0x20},
         {{0,
           {{"07h bits 0-1", "00b", "10b"}, {"08h bit 7", "0b", "1b"}},
           "4",
           "16:10",
           "50 Hz",
           {}},
          {1, {{"0Ah bits 0-1", "00b", "10b"}}, "2052", "16:10", "60 Hz", {}}}},
        {"codes 0 and 2",
         {0x1B, 0x24, 0x08, 0, 0, 0, 0x00, 0x31, 0x01},
         {{0, {}, "1080", "16:9", "50 Hz", {"60 Hz" + standard}},
          {2,
           {{"0Ch", "NONZERO", "00h"}, {"0Dh bits 0-1", "00b", "01b"}},
           "1538",
           "4:3",
           "50 Hz",
           {"60 Hz " + label("ReducedBlanking")}}}},
        {"lines bits 11-8 with a zero low byte",
         {0x00, 0x30, 0x40},
         {{0, {{"06h", "NONZERO", "00h"}}, "1538", "4:3", "75 Hz", {}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes payload{0x01};
        payload.insert(payload.end(), c.codes.begin(), c.codes.end());
        const Result r{withDescriptor(0xF8, payload)};

        std::vector<std::string> order, names, faults;
        for (const CVTCode& code : c.expected) {
            const std::string n = std::to_string(code.n);
            for (const auto& [offset, expected, value] : code.faults) {
                faults.push_back(filled("InvalidValueAtOffset", {{"type", label("CVT3")},
                                                                 {"offset", offset},
                                                                 {"expected", expected},
                                                                 {"value", value}}));
                order.push_back(faults.back());
            }
            const std::string text = reported("CVT3", cvtBlock(code));
            order.push_back(text);
            expectReport(
                r, text,
                {"CVT3AddressableLines" + n, "CVT3AspectRatio" + n, "CVT3PrefVertRate" + n},
                {"CVT3SuppVertRates" + n});
            for (const char* name : {"CVT3AddressableLines", "CVT3AspectRatio", "CVT3PrefVertRate",
                                     "CVT3SuppVertRates"}) {
                names.push_back(name + n);
            }
            EXPECT_EQ(r.property("CVT3AddressableLines" + n), code.lines);
            EXPECT_EQ(r.property("CVT3AspectRatio" + n), code.ratio);
            EXPECT_EQ(r.property("CVT3PrefVertRate" + n), code.rate);
            EXPECT_EQ(r.property("CVT3SuppVertRates" + n),
                      code.supported.empty() ? none : join(code.supported, ", "));
            EXPECT_EQ(r.type("CVT3SuppVertRates" + n), qor::QORValue::TYPE_STRING_ARRAY);
        }
        expectLoggedInOrder(r, order);
        expectPropertyOrder(r, {"CVT3"}, names);
        EXPECT_EQ(r.texts("InvalidValueAtOffset"), faults);
        for (const auto& m : r.messages("InvalidValueAtOffset")) {
            EXPECT_EQ(m.getLevel(), kWarning);
            EXPECT_EQ(m.getCategory(), 9);
        }
        EXPECT_EQ(textsStarting(r, "ReportedValue", label("CVT3")).size(), c.expected.size());
    }
}

TEST(DisplayEstTimingVerifierTest, ModesOfTheSetBits) {
    const std::vector<std::string> all{
        "640 x 350 @ 85Hz",        "640 x 400 @ 85Hz",        "720 x 400 @ 85Hz",
        "640 x 480 @ 85Hz",        "848 x 480 @ 60Hz",        "800 x 600 @ 85Hz",
        "1024 x 768 @ 85Hz",       "1152 x 864 @ 75Hz",       "1280 x 768 @ 60Hz (RB)",
        "1280 x 768 @ 60Hz",       "1280 x 768 @ 75Hz",       "1280 x 768 @ 85Hz",
        "1280 x 960 @ 60Hz",       "1280 x 960 @ 85Hz",       "1280 x 1024 @ 60Hz",
        "1280 x 1024 @ 85Hz",      "1360 x 768 @ 60Hz",       "1440 x 900 @ 60Hz (RB)",
        "1440 x 900 @ 60Hz",       "1440 x 900 @ 75Hz",       "1440 x 900 @ 85Hz",
        "1400 x 1050 @ 60Hz (RB)", "1400 x 1050 @ 60Hz",      "1400 x 1050 @ 75Hz",
        "1400 x 1050 @ 85Hz",      "1680 x 1050 @ 60Hz (RB)", "1680 x 1050 @ 60Hz",
        "1680 x 1050 @ 75Hz",      "1680 x 1050 @ 85Hz",      "1600 x 1200 @ 60Hz",
        "1600 x 1200 @ 65Hz",      "1600 x 1200 @ 70Hz",      "1600 x 1200 @ 75Hz",
        "1600 x 1200 @ 85Hz",      "1792 x 1344 @ 60Hz",      "1792 x 1344 @ 75Hz",
        "1856 x 1392 @ 60Hz",      "1856 x 1392 @ 75Hz",      "1920 x 1200 @ 60Hz (RB)",
        "1920 x 1200 @ 60Hz",      "1920 x 1200 @ 75Hz",      "1920 x 1200 @ 85Hz",
        "1920 x 1440 @ 60Hz",      "1920 x 1440 @ 75Hz"};
    const struct {
        Bytes payload;  // descriptor bytes 05h-11h
        std::vector<std::string> modes;
    } cases[] = {
        {{0x0A, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}, {}},  // bytes 0Ch-11h are not examined
        {{0x0A, 0x80}, {"640 x 350 @ 85Hz"}},
        {{0x0A, 0, 0x81}, {"1280 x 768 @ 60Hz (RB)", "1280 x 1024 @ 85Hz"}},
        {{0x0A, 0, 0, 0, 0, 0, 0x0F}, {}},  // reserved bits only
        {{0x0A, 0, 0, 0, 0, 0, 0xF0},
         {"1920 x 1200 @ 75Hz", "1920 x 1200 @ 85Hz", "1920 x 1440 @ 60Hz", "1920 x 1440 @ 75Hz"}},
        {{0x0B, 0, 0, 0x01, 0x40}, {"1400 x 1050 @ 75Hz", "1680 x 1050 @ 60Hz (RB)"}},
        {{0x0A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, all},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.modes.size());
        const Result r{withDescriptor(0xF7, c.payload)};
        std::string block = " " + eol() + " " + labels("EstablishedTimings3", "Version") + " : " +
                            qor::SprintfFormat("%02Xh", c.payload[0]).str() + eol();
        for (const auto& mode : c.modes) {
            block += " " + mode + eol();
        }
        const std::string text = filled(
            "ReportedValue",
            {{"type", labels("DisplayDescriptor", "EstablishedTimings3")}, {"value", block}});
        EXPECT_EQ(textsStarting(r, "ReportedValue", label("DisplayDescriptor")),
                  std::vector<std::string>{text});
        expectReport(r, text, {}, {"EstTimings3"});
        EXPECT_EQ(r.type("EstTimings3"), qor::QORValue::TYPE_STRING_ARRAY);
        EXPECT_EQ(r.property("EstTimings3"), join(c.modes, ", "));
    }
}

}  // namespace
}  // namespace descriptortest
