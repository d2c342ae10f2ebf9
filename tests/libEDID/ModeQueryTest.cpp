// canDisplay over EDIDs of tests/data, one kind of answer per row, and the request syntax. The
// expected rates were worked out by hand from the EDIDs' values: a TMDS character rate is the
// pixel clock x bits per colour / 8; FRL carries 16 of 18 bits on each lane.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DisplayInfoTestSupport.h"
#include "libEDID/ModeQuery.h"

namespace {

using libEDID::ModeRequest;

libEDID::DisplayInfo displayOf(const std::string& prefix) {
    for (const auto& entry : std::filesystem::directory_iterator(TEST_DATA_DIR "/edid")) {
        if (entry.path().filename().string().starts_with(prefix)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                                  std::istreambuf_iterator<char>()};
            return libEDID::decodeDisplayInfo(bytes);
        }
    }
    ADD_FAILURE() << "no test EDID " << prefix;
    return {};
}

struct Reason {
    std::string code;
    double required;
    double limit;
};

struct Case {
    std::string edid;
    std::string request;
    std::vector<Reason> reasons;  // empty: yes
};

TEST(ModeQueryTest, AnswersOverTestEDIDs) {
    const std::vector<Case> cases{
        {"GSM-7799", "3840x2160@60,hdr10", {}},
        {"GSM-7799", "3840x2160@120,10bit", {}},  // 1485 MHz: FRL 4 x 12 Gbit/s carries it
        {"HEC-002F", "3840x2160@30", {}},
        {"BBC-0104", "3840x2160@59.94", {}},  // within 0.5% of its 59.98 Hz detailed timing
        {"GSM-7799", "3840x2160@60,hlg", {{"no-hlg", 0, 0}}},
        {"CLB-1234", "1920x1080@60,hdr10", {{"no-smpte-st2084", 0, 0}}},
        // 1188 MHz x 12 / 8 x 3 x 8 bits = 42.768 Gbit/s; 4 lanes x 12 x 16 / 18 = 42.667.
        {"GSM-7799", "3840x2160@120,12bit", {{"frl-rate-too-high", 42.768, 42.6667}}},
        // 533.12 MHz (its detailed timing) x 10 / 8 against the HDMI Forum block's 600 MHz.
        {"BBC-0104", "3840x2160@60,10bit", {{"tmds-rate-too-high", 666.4, 600}}},
        {"EGA-0001", "1920x1080@60,12bit", {{"tmds-rate-too-high", 222.75, 200}}},
        // Not HDMI: the base block's 8 bits per colour.
        {"DEL-A0E7", "2560x1440@60,10bit", {{"deep-color-missing", 10, 8}}},
        // VIC 97 only in the YCbCr 4:2:0 video data block; 594 MHz against an HDMI block's 300
        // MHz and range limits of 300 MHz and 15-81 kHz (4400 pixels a line: 135 kHz).
        {"HEC-002F",
         "3840x2160@60",
         {{"ycbcr420-only", 97, 0},
          {"tmds-rate-too-high", 594, 300},
          {"pixel-clock-out-of-range", 594, 300},
          {"horizontal-rate-out-of-range", 135, 81}}},
        // Its own preferred timing lies outside its range limits (24-75 Hz, 30-135 kHz).
        {"CLB-1234",
         "1920x1080@120",
         {{"vertical-rate-out-of-range", 119.982, 75},
          {"horizontal-rate-out-of-range", 137.26, 135}}},
        {"CLB-1234", "7680x4320@60", {{"no-such-mode", 60, 0}}},
    };
    for (const Case& c : cases) {
        const auto request = ModeRequest::parse(c.request);
        ASSERT_TRUE(request.has_value()) << c.request;
        const libEDID::ModeAnswer answer = libEDID::canDisplay(displayOf(c.edid), *request);
        const std::string where = c.edid + " " + c.request;
        EXPECT_EQ(answer.yes, c.reasons.empty()) << where;
        ASSERT_EQ(answer.reasons.size(), c.reasons.size()) << where;
        for (std::size_t i = 0; i < c.reasons.size(); ++i) {
            EXPECT_EQ(libEDID::modeReasonCode(answer.reasons[i].reason), c.reasons[i].code)
                << where;
            EXPECT_NEAR(answer.reasons[i].required, c.reasons[i].required, 1e-3) << where;
            EXPECT_NEAR(answer.reasons[i].limit, c.reasons[i].limit, 1e-3) << where;
        }
        const bool noMode = !c.reasons.empty() && c.reasons[0].code == "no-such-mode";
        EXPECT_EQ(answer.mode.has_value(), !noMode) << where;
        EXPECT_EQ(answer.nearest.size(), noMode ? 3u : 0u) << where;
    }
}

TEST(ModeQueryTest, HDMIVideoAndYCbCr420OfTheCraftedEDID) {
    // Range limits 48-75 Hz, 30-85 kHz, 295 MHz; HDMI Forum 600 MHz; deep colour up to 16 bits.
    const libEDID::DisplayInfo info = libEDID::decodeDisplayInfo(displayinfotest::craftedHDMI());
    const auto codes = [&](const char* text, libEDID::ModeSource source) {
        const libEDID::ModeAnswer a = libEDID::canDisplay(info, *ModeRequest::parse(text));
        EXPECT_TRUE(a.mode && a.mode->sources.contains(source)) << text;
        std::string out;
        for (const auto& r : a.reasons) {
            out += std::string(out.empty() ? "" : " ") +
                   std::string(libEDID::modeReasonCode(r.reason));
        }
        EXPECT_EQ(a.yes, out.empty()) << text;
        return out;
    };
    using S = libEDID::ModeSource;
    EXPECT_EQ(codes("3840x2160@30", S::HDMIVideo),
              "pixel-clock-out-of-range vertical-rate-out-of-range");  // 297 MHz, 30 Hz
    EXPECT_EQ(codes("1920x1080@60,420,hdr10,12bit", S::Detailed), "");
    EXPECT_EQ(codes("1920x1080@60,hlg,16bit", S::CTAVideo), "");
    EXPECT_EQ(codes("1280x720@60,420", S::CTADetailed), "no-ycbcr420");
    // VIC 96 is 4:2:0 only: 297 MHz on the link, but the range limits judge its 594 MHz clock.
    EXPECT_EQ(codes("3840x2160@50,420", S::CTAVideo),
              "pixel-clock-out-of-range horizontal-rate-out-of-range");
    EXPECT_EQ(codes("3840x2160@50", S::CTAVideo),
              "ycbcr420-only pixel-clock-out-of-range horizontal-rate-out-of-range");
}

TEST(ModeQueryTest, RequestSyntax) {
    const auto full = ModeRequest::parse("3840x2160@59.94,hdr10,hlg,420,12bit");
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(full->width, 3840u);
    EXPECT_EQ(full->height, 2160u);
    EXPECT_DOUBLE_EQ(full->refreshHz, 59.94);
    EXPECT_TRUE(full->hdr10 && full->hlg && full->ycbcr420);
    EXPECT_EQ(full->bitsPerColor, 12u);
    const auto interlaced = ModeRequest::parse("1920x1080i@60");
    ASSERT_TRUE(interlaced.has_value());
    EXPECT_TRUE(interlaced->interlaced);
    EXPECT_EQ(interlaced->height, 1080u);
    EXPECT_EQ(interlaced->bitsPerColor, 8u);
    for (const char* bad :
         {"", "3840x2160", "3840@60", "x2160@60", "3840x2160@", "3840x2160@0", "3840x2160@60,",
          "3840x2160@60,hdr", "3840x2160@60,9bit", "0x0@60", "3840x2160p@60", "3840 x 2160@60"}) {
        EXPECT_FALSE(ModeRequest::parse(bad).has_value()) << bad;
    }
}

TEST(ModeQueryTest, ReasonCodesAreDistinct) {
    std::vector<std::string> codes;
    for (unsigned r = 1; r <= 11; ++r) {
        codes.emplace_back(libEDID::modeReasonCode(static_cast<libEDID::ModeReason>(r)));
        EXPECT_FALSE(codes.back().empty()) << r;
    }
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ(std::unique(codes.begin(), codes.end()), codes.end());
    EXPECT_TRUE(libEDID::modeReasonCode(static_cast<libEDID::ModeReason>(0)).empty());
}

}  // namespace
