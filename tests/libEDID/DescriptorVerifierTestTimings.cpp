// The timing descriptors: standard timing identifiers (FAh), CVT 3-byte timing codes (F8h)
// and established timings III (F7h).

#include <algorithm>

#include "BaseBlockVerifierTestSupport.h"

namespace verifiertest {
namespace {

TEST(DisplayTimingIDVerifierTest, SixIdentifiers) {
    const struct {
        Bytes payload;
        Texts modes, invalidOffsets;
    } cases[] = {
        {{0x81, 0x80, 0xA9, 0x40, 0x00, 0x00, 0x01, 0x01, 0x01, 0x00, 0xD1, 0xFF, 0x00},
         {"1280 x 1024 @ 60Hz", "1600 x 1200 @ 60Hz", "256 x 160 @ 60Hz", "1920 x 1080 @ 123Hz"},
         {"04h"}},
        {{0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x0A}, {}, {}},
        {{0x00, 0x01, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00},
         {},
         {"00h", "02h", "04h", "06h", "08h", "0Ah"}},
        // The four aspect ratio codes; the last payload byte is not read.
        {{0x81, 0x00, 0x81, 0x40, 0x95, 0x80, 0xA8, 0xC0, 0x01, 0x01, 0x01, 0x01, 0x00},
         {"1280 x 800 @ 60Hz", "1280 x 960 @ 60Hz", "1440 x 1152 @ 60Hz", "1592 x 895 @ 60Hz"},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(join(c.modes));
        const Result r = withDescriptor(0xFA, c.payload);
        Texts invalid;
        for (const auto& offset : c.invalidOffsets) {
            invalid.push_back(filled("InvalidStdTiming", {{"offset", offset}}));
        }
        expectMessages(r, "InvalidStdTiming", 2, 6, invalid);
        const std::string text =
            reported("StandardTimingsID", eol() + " " + join(c.modes, eol() + " ") + eol());
        EXPECT_EQ(textsStarting(r, "ReportedValue", label("StandardTimingsID")),
                  c.modes.empty() ? Texts{} : Texts{text});
        EXPECT_EQ(r.property("StandardTimingsID"), c.modes.empty() ? "-" : join(c.modes));
        if (!c.modes.empty()) {
            expectReport(r, text);
            EXPECT_EQ(r.type("StandardTimingsID"), qor::QORValue::TYPE_STRING_ARRAY);
        }
    }
}

/// What one CVT code gives: its position, lines, aspect ratio, preferred rate and supported
/// rates (empty: "None"), and its reserved-field faults (offset, expected, value).
struct CVTCode {
    std::string n, lines, ratio, rate;
    Texts supported;
    std::vector<std::array<std::string, 3>> faults;
};
CVTCode code(const char* n, const char* lines, const char* ratio, const char* rate,
             const Texts& supported, const std::vector<std::array<std::string, 3>>& faults = {}) {
    return {n, lines, ratio, rate, supported, faults};
}

TEST(DisplayCVTVerifierTest, FourCodes) {
    const std::string standard = " " + label("StandardBlanking");
    const std::string reduced = "60 Hz " + label("ReducedBlanking");
    const struct {
        Bytes codes;  // descriptor bytes 06h-11h
        std::vector<CVTCode> expected;
    } cases[] = {
        {Bytes(12, 0x00), {code("0", "2", "4:3", "50 Hz", {}, {{"06h", "NONZERO", "00h"}})}},
        {{0x1B, 0x28, 0x26},
         {code("0", "1080", "16:10", "60 Hz", {"85 Hz" + standard, "75 Hz" + standard})}},
        {{0xFF, 0xFC, 0x7F},
         {code("0", "8192", "15:9", "85 Hz",
               {reduced, "85 Hz" + standard, "75 Hz" + standard, "60 Hz" + standard,
                "50 Hz" + standard})}},
        {{0x01, 0x0A, 0x80, 0x01, 0x4A, 0x20},
         {code("0", "4", "16:10", "50 Hz", {},
               {{"07h bits 0-1", "00b", "10b"}, {"08h bit 7", "0b", "1b"}}),
          code("1", "2052", "16:10", "60 Hz", {}, {{"0Ah bits 0-1", "00b", "10b"}})}},
        // Code 1 is empty; code 2 has a zero low byte although its lines bits 11-8 are set.
        {{0x1B, 0x24, 0x08, 0, 0, 0, 0x00, 0x31, 0x01},
         {code("0", "1080", "16:9", "50 Hz", {"60 Hz" + standard}),
          code("2", "1538", "4:3", "50 Hz", {reduced},
               {{"0Ch", "NONZERO", "00h"}, {"0Dh bits 0-1", "00b", "01b"}})}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.back().lines);
        Bytes payload{0x01};
        payload.insert(payload.end(), c.codes.begin(), c.codes.end());
        const Result r = withDescriptor(0xF8, payload);
        Texts faults, names;
        for (const CVTCode& code : c.expected) {
            for (const auto& [offset, expected, value] : code.faults) {
                faults.push_back(filled("InvalidValueAtOffset", {{"type", label("CVT3")},
                                                                 {"offset", offset},
                                                                 {"expected", expected},
                                                                 {"value", value}}));
            }
            const std::string rates = code.supported.empty()
                                          ? label("None")
                                          : eol() + "  " + join(code.supported, eol() + "  ");
            expectReport(r, reported("CVT3", detailLines(" ", {{"AddressableLines", code.lines},
                                                               {"AspectRatio", code.ratio},
                                                               {"PreferredVerticalRate", code.rate},
                                                               {"SuppVertRateBlkStyle", rates}})));
            const Texts codeNames{"CVT3AddressableLines" + code.n, "CVT3AspectRatio" + code.n,
                                  "CVT3PrefVertRate" + code.n, "CVT3SuppVertRates" + code.n};
            expectProperties(
                r, {{codeNames[0], code.lines},
                    {codeNames[1], code.ratio},
                    {codeNames[2], code.rate},
                    {codeNames[3], code.supported.empty() ? label("None") : join(code.supported)}});
            EXPECT_EQ(r.type(codeNames[3]), qor::QORValue::TYPE_STRING_ARRAY);
            names.insert(names.end(), codeNames.begin(), codeNames.end());
        }
        expectMessages(r, "InvalidValueAtOffset", 1, 9, faults);
        EXPECT_EQ(textsStarting(r, "ReportedValue", label("CVT3")).size(), c.expected.size());
        EXPECT_EQ(r.propertyNames("CVT3"), names);
    }
}

TEST(DisplayEstTimingVerifierTest, ModesOfTheSetBits) {
    const struct {
        Bytes payload;  // descriptor bytes 05h-11h
        Texts modes;
    } cases[] = {
        {{0x0A, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}, {}},  // bytes 0Ch-11h are not examined
        {{0x0A, 0x80}, {"640 x 350 @ 85Hz"}},
        {{0x0A, 0, 0x81}, {"1280 x 768 @ 60Hz (RB)", "1280 x 1024 @ 85Hz"}},
        {{0x0A, 0, 0, 0, 0, 0, 0x0F}, {}},  // reserved bits only
        {{0x0A, 0, 0, 0, 0, 0, 0xF0},
         {"1920 x 1200 @ 75Hz", "1920 x 1200 @ 85Hz", "1920 x 1440 @ 60Hz", "1920 x 1440 @ 75Hz"}},
        {{0x0B, 0, 0, 0x01, 0x40}, {"1400 x 1050 @ 75Hz", "1680 x 1050 @ 60Hz (RB)"}},
    };
    for (const auto& c : cases) {
        const Result r = withDescriptor(0xF7, c.payload);
        EXPECT_EQ(r.property("EstTimings3"), join(c.modes));
        EXPECT_EQ(r.type("EstTimings3"), qor::QORValue::TYPE_STRING_ARRAY);  // even when empty
    }
    // The report shows the version byte as found, then one line per mode.
    const std::string block = " " + eol() + " " + labels("EstablishedTimings3", "Version") +
                              " : 0Bh" + eol() + " 1400 x 1050 @ 75Hz" + eol() +
                              " 1680 x 1050 @ 60Hz (RB)" + eol();
    expectReport(
        withDescriptor(0xF7, {0x0B, 0, 0, 0x01, 0x40}),
        filled("ReportedValue",
               {{"type", labels("DisplayDescriptor", "EstablishedTimings3")}, {"value", block}}));
    // Every defined bit: 44 modes in bit order, from bit 7 of 06h to bit 4 of 0Bh.
    const Result r = withDescriptor(0xF7, {0x0A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    const std::string modes = r.property("EstTimings3");
    EXPECT_EQ(std::count(modes.begin(), modes.end(), ','), 43);
    EXPECT_TRUE(modes.starts_with("640 x 350 @ 85Hz, 640 x 400 @ 85Hz, 720 x 400 @ 85Hz, "));
    EXPECT_NE(modes.find(", 1152 x 864 @ 75Hz, 1280 x 768 @ 60Hz (RB), "), std::string::npos);
    EXPECT_NE(modes.find(", 1400 x 1050 @ 75Hz, 1400 x 1050 @ 85Hz, 1680 x 1050 @ 60Hz (RB), "),
              std::string::npos);
    EXPECT_TRUE(modes.ends_with(", 1920 x 1440 @ 60Hz, 1920 x 1440 @ 75Hz"));
}

}  // namespace
}  // namespace verifiertest
