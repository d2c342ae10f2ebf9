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
        EXPECT_EQ(r.faults(), Texts(c.invalidOffsets.size(), "InvalidStdTiming 2 6"));
        const Texts invalid = r.texts("InvalidStdTiming");
        for (std::size_t i = 0; i < invalid.size() && i < c.invalidOffsets.size(); ++i) {
            EXPECT_THAT(invalid[i], HasSubstr(c.invalidOffsets[i]));
        }
        EXPECT_EQ(r.property("StandardTimingsID"), c.modes.empty() ? "-" : join(c.modes));
    }
}

/// What one CVT code gives: its position, lines, aspect ratio, preferred rate and supported
/// rates (empty: "None"), and the offsets of its reserved-field findings.
struct CVTCode {
    std::string n, lines, ratio, rate;
    Texts supported, faults = {};
};

TEST(DisplayCVTVerifierTest, FourCodes) {
    const std::string standard = " " + label("StandardBlanking");
    const std::string reduced = "60 Hz " + label("ReducedBlanking");
    const Texts every{reduced, "85 Hz" + standard, "75 Hz" + standard, "60 Hz" + standard,
                      "50 Hz" + standard};
    const struct {
        Bytes codes;  // descriptor bytes 06h-11h
        std::vector<CVTCode> expected;
    } cases[] = {
        {Bytes(12, 0x00), {CVTCode{"0", "2", "4:3", "50 Hz", {}, {"06h"}}}},
        {{0x1B, 0x28, 0x26},
         {CVTCode{"0", "1080", "16:10", "60 Hz", {"85 Hz" + standard, "75 Hz" + standard}}}},
        {{0xFF, 0xFC, 0x7F}, {CVTCode{"0", "8192", "15:9", "85 Hz", every}}},
        {{0x01, 0x0A, 0x80, 0x01, 0x4A, 0x20},
         {CVTCode{"0", "4", "16:10", "50 Hz", {}, {"07h bits 0-1", "08h bit 7"}},
          CVTCode{"1", "2052", "16:10", "60 Hz", {}, {"0Ah bits 0-1"}}}},
        // Code 1 is empty; code 2 has a zero low byte although its lines bits 11-8 are set.
        {{0x1B, 0x24, 0x08, 0, 0, 0, 0x00, 0x31, 0x01},
         {CVTCode{"0", "1080", "16:9", "50 Hz", {"60 Hz" + standard}},
          CVTCode{"2", "1538", "4:3", "50 Hz", {reduced}, {"0Ch", "0Dh bits 0-1"}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.back().lines);
        Bytes payload{0x01};
        payload.insert(payload.end(), c.codes.begin(), c.codes.end());
        const Result r = withDescriptor(0xF8, payload);
        Texts faults;
        for (const CVTCode& code : c.expected) {
            faults.insert(faults.end(), code.faults.begin(), code.faults.end());
            expectProperties(r, {{"CVT3AddressableLines" + code.n, code.lines},
                                 {"CVT3AspectRatio" + code.n, code.ratio},
                                 {"CVT3PrefVertRate" + code.n, code.rate},
                                 {"CVT3SuppVertRates" + code.n,
                                  code.supported.empty() ? label("None") : join(code.supported)}});
        }
        const Texts found = r.texts("InvalidValueAtOffset");
        ASSERT_EQ(found.size(), faults.size());
        for (std::size_t i = 0; i < faults.size(); ++i) {
            EXPECT_THAT(found[i], HasSubstr("offset " + faults[i] + " "));
        }
        EXPECT_EQ(r.faults(), Texts(faults.size(), "InvalidValueAtOffset 1 9"));
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
    }
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
