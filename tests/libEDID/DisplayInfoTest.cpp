// The typed display model: the VIC tables, the merged mode list and the capabilities of a
// crafted EDID, and the parser's model against the fast path on every test EDID. Expected
// timings and capabilities were read from an independent EDID decoder's output for the same
// bytes.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DisplayInfoTestSupport.h"
#include "ParseHarness.h"
#include "libEDID/DisplayInfo.h"
#include "libEDID/EDIDParser.h"

namespace {

using namespace displayinfotest;

struct TableTiming {
    unsigned code;
    unsigned width, height;  // height of the frame
    bool interlaced;
    double refresh;
    double clockMHz;
    unsigned hFront, hSync, hBack, vFront, vSync, vBack;
    bool positive;
};

void expectTiming(const libEDID::VideoTiming* t, const TableTiming& e, double refreshTolerance) {
    ASSERT_NE(t, nullptr) << e.code;
    EXPECT_EQ(t->hActive, e.width) << e.code;
    EXPECT_EQ(t->vActive * (t->interlaced ? 2 : 1), e.height) << e.code;
    EXPECT_EQ(t->interlaced, e.interlaced) << e.code;
    EXPECT_NEAR(t->refreshHz(), e.refresh, refreshTolerance * e.refresh) << e.code;
    EXPECT_DOUBLE_EQ(t->pixelClockKHz / 1000.0, e.clockMHz) << e.code;
    EXPECT_EQ(t->hFrontPorch, e.hFront) << e.code;
    EXPECT_EQ(t->hSyncWidth, e.hSync) << e.code;
    EXPECT_EQ(t->hBlank - t->hFrontPorch - t->hSyncWidth, e.hBack) << e.code;
    EXPECT_EQ(t->vFrontPorch, e.vFront) << e.code;
    EXPECT_EQ(t->vSyncWidth, e.vSync) << e.code;
    EXPECT_EQ(t->vBlank - t->vFrontPorch - t->vSyncWidth, e.vBack) << e.code;
    EXPECT_EQ(t->hSyncPositive, e.positive) << e.code;
}

TEST(DisplayInfoTest, VideoFormatTable) {
    const std::array<TableTiming, 12> vics{{
        {16, 1920, 1080, false, 60.0, 148.5, 88, 44, 148, 4, 5, 36, true},
        {4, 1280, 720, false, 60.0, 74.25, 110, 40, 220, 5, 5, 20, true},
        {1, 640, 480, false, 59.940476, 25.175, 16, 96, 48, 10, 2, 33, false},
        {5, 1920, 1080, true, 60.0, 74.25, 88, 44, 148, 2, 5, 15, true},
        {20, 1920, 1080, true, 50.0, 74.25, 528, 44, 148, 2, 5, 15, true},
        {97, 3840, 2160, false, 60.0, 594.0, 176, 88, 296, 8, 10, 72, true},
        {118, 3840, 2160, false, 120.0, 1188.0, 176, 88, 296, 8, 10, 72, true},
        {219, 4096, 2160, false, 120.0, 1188.0, 88, 88, 128, 8, 10, 72, true},
        {193, 5120, 2160, false, 120.0, 1485.0, 164, 88, 128, 8, 10, 72, true},
        {6, 1440, 480, true, 59.940060, 27.0, 38, 124, 114, 4, 3, 15, false},
        {96, 3840, 2160, false, 50.0, 594.0, 1056, 88, 296, 8, 10, 72, true},
        // Both fields of VIC 39 have 625 lines; the model counts half a line more per field.
        {39, 1920, 1080, true, 50.0, 72.0, 32, 168, 184, 23, 5, 57, true},
    }};
    for (const TableTiming& e : vics) {
        expectTiming(libEDID::ctaVideoFormat(static_cast<std::uint8_t>(e.code)), e,
                     e.code == 39 ? 1e-3 : 1e-7);
    }
    const std::array<TableTiming, 4> hdmiVics{{
        {1, 3840, 2160, false, 30.0, 297.0, 176, 88, 296, 8, 10, 72, true},
        {2, 3840, 2160, false, 25.0, 297.0, 1056, 88, 296, 8, 10, 72, true},
        {3, 3840, 2160, false, 24.0, 297.0, 1276, 88, 296, 8, 10, 72, true},
        {4, 4096, 2160, false, 24.0, 297.0, 1020, 88, 296, 8, 10, 72, true},
    }};
    for (const TableTiming& e : hdmiVics) {
        expectTiming(libEDID::hdmiVideoFormat(static_cast<std::uint8_t>(e.code)), e, 1e-7);
    }
    for (const std::uint8_t none : {0, 128, 150, 192, 220, 255}) {
        EXPECT_EQ(libEDID::ctaVideoFormat(none), nullptr) << int(none);
    }
    EXPECT_EQ(libEDID::hdmiVideoFormat(0), nullptr);
    EXPECT_EQ(libEDID::hdmiVideoFormat(5), nullptr);
}

TEST(DisplayInfoTest, MergedModeList) {
    const libEDID::DisplayInfo info = libEDID::decodeDisplayInfo(craftedHDMI());
    // Preferred first, then by area and rate; duplicates across sources merged.
    const std::vector<ModeRow> expected{
        {"1920x1080@60", "standard detailed cta-vic", 16, "preferred native 420capable"},
        {"5120x2160@120", "cta-vic", 193, ""},
        {"4096x2160@120", "cta-vic", 219, ""},
        {"4096x2160@24", "hdmi-vic", 0, ""},
        {"3840x2160@120", "cta-vic", 118, ""},
        {"3840x2160@60", "cta-vic", 97, ""},
        {"3840x2160@50", "cta-vic", 96, "420only"},
        {"3840x2160@30", "hdmi-vic", 0, ""},
        {"3840x2160@25", "hdmi-vic", 0, ""},
        {"3840x2160@24", "hdmi-vic", 0, ""},
        {"1920x1200@60", "established3", 0, ""},
        {"1920x1080i@60", "cta-vic", 5, ""},
        {"1920x1080i@50", "cta-vic", 20, ""},
        {"1920x1080i@50", "cta-vic", 39, ""},
        {"1280x1024@60", "standard", 0, ""},
        {"1152x870@75", "established", 0, ""},
        {"1280x720@60", "cta-vic cta-detailed", 4, ""},
        {"1024x768@60", "established", 0, ""},
        {"1440x480i@60", "cta-vic", 6, ""},
        {"800x600@60", "established", 0, ""},
        {"848x480@60", "established3", 0, ""},
        {"640x480@60", "established cta-vic", 1, ""},
    };
    EXPECT_EQ(rows(info.modes), expected);
    ASSERT_TRUE(info.preferredMode.has_value());
    EXPECT_EQ(info.preferredMode->timing.pixelClockKHz, 148500u);
    EXPECT_EQ(info.nativeResolution, (libEDID::Resolution{1920, 1080}));
}

TEST(DisplayInfoTest, CapabilitiesOfTheCraftedEDID) {
    const libEDID::DisplayInfo info = libEDID::decodeDisplayInfo(craftedHDMI());
    EXPECT_EQ(info.manufacturerId, "DEL");
    if (info.manufacturerName) {  // when the build embedded the PNP ID registry
        EXPECT_EQ(*info.manufacturerName, "Dell Inc.");
    }
    EXPECT_EQ(info.productCode, 41083u);
    EXPECT_EQ(info.serialNumber, 16909060u);
    EXPECT_EQ(info.productName, "TestMon");
    EXPECT_EQ(info.week, 12u);
    EXPECT_EQ(info.year, 2020u);
    EXPECT_FALSE(info.modelYear.has_value());
    EXPECT_EQ(info.screenWidthCm, 60u);
    EXPECT_EQ(info.screenHeightCm, 34u);
    EXPECT_TRUE(info.ycbcr444);
    EXPECT_TRUE(info.ycbcr422);

    ASSERT_TRUE(info.rangeLimits.has_value());
    EXPECT_EQ(info.rangeLimits->minVerticalHz, 48u);
    EXPECT_EQ(info.rangeLimits->maxVerticalHz, 75u);
    EXPECT_EQ(info.rangeLimits->maxHorizontalKHz, 85u);
    EXPECT_EQ(info.rangeLimits->maxPixelClockKHz, 295000u);

    ASSERT_TRUE(info.hdr.has_value());
    EXPECT_TRUE(info.hdr->traditionalSDR && info.hdr->smpteST2084 && info.hdr->hlg);
    EXPECT_FALSE(info.hdr->traditionalHDR);
    EXPECT_NEAR(*info.hdr->maxLuminance, 672.717, 1e-3);
    EXPECT_NEAR(*info.hdr->maxFrameAverageLuminance, 282.843, 1e-3);
    EXPECT_NEAR(*info.hdr->minLuminance, 0.106, 1e-3);

    ASSERT_TRUE(info.colorimetry.has_value());
    EXPECT_TRUE(info.colorimetry->bt2020YCC && info.colorimetry->bt2020RGB);
    EXPECT_FALSE(info.colorimetry->bt2020cYCC || info.colorimetry->xvYCC709);

    ASSERT_EQ(info.audioFormats.size(), 1u);
    const libEDID::AudioFormat& pcm = info.audioFormats[0];
    EXPECT_EQ(pcm.format, 1u);
    EXPECT_EQ(pcm.channels, 2u);
    EXPECT_EQ(std::vector<unsigned>(pcm.sampleRatesHz.begin(), pcm.sampleRatesHz.end()),
              (std::vector<unsigned>{32000, 44100, 48000}));
    EXPECT_EQ(std::vector<unsigned>(pcm.sampleSizesBits.begin(), pcm.sampleSizesBits.end()),
              (std::vector<unsigned>{16, 20, 24}));

    ASSERT_TRUE(info.hdmi.has_value());
    EXPECT_EQ(info.hdmi->physicalAddress, 0x1000u);
    EXPECT_EQ(info.hdmi->maxTMDSClockMHz, 300u);
    EXPECT_TRUE(info.hdmi->deepColor30 && info.hdmi->deepColor36 && info.hdmi->deepColor48 &&
                info.hdmi->deepColorYCbCr444);
    ASSERT_TRUE(info.hdmiForum.has_value());
    EXPECT_EQ(info.hdmiForum->maxTMDSRateMHz, 600u);
    EXPECT_TRUE(info.hdmiForum->scdc);
    EXPECT_EQ(libEDID::frlLanes(info.hdmiForum->maxFRL), 4u);  // 6, 8 and 10 Gbit/s on 4 lanes
    EXPECT_EQ(libEDID::frlGbpsPerLane(info.hdmiForum->maxFRL), 10u);

    EXPECT_EQ(info.extensionBlocks, (std::vector<libEDID::ExtensionBlockInfo>{{1, 0x02}}));
}

TEST(DisplayInfoTest, AnyBytesDecode) {
    std::vector<std::uint8_t> bytes = craftedHDMI();
    for (std::size_t size = 0; size <= bytes.size(); size += 37) {
        const auto info =
            libEDID::decodeDisplayInfo(std::span<const std::uint8_t>(bytes.data(), size));
        EXPECT_EQ(info.modes.empty(), size < 128) << size;
        EXPECT_EQ(info.extensionBlocks.size(), size < 256 ? 0u : 1u) << size;
    }
    // Every byte of the extension block set in turn to FFh and 00h.
    for (std::size_t at = 128; at < bytes.size(); ++at) {
        for (const std::uint8_t value : {0x00, 0xFF}) {
            std::vector<std::uint8_t> changed = bytes;
            changed[at] = value;
            EXPECT_FALSE(libEDID::decodeDisplayInfo(changed).manufacturerId.empty());
        }
    }
}

TEST(DisplayInfoTest, ParserModelEqualsTheFastPathOnEveryTestEDID) {
    std::vector<std::vector<std::uint8_t>> edids{craftedHDMI()};
    for (const auto& entry : std::filesystem::directory_iterator(TEST_DATA_DIR "/edid")) {
        if (entry.path().extension() == ".bin") {
            std::ifstream in(entry.path(), std::ios::binary);
            edids.emplace_back(std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>());
        }
    }
    ASSERT_GT(edids.size(), 80u);
    for (const auto& bytes : edids) {
        edidtest::Parsed parsed(bytes);
        EXPECT_EQ(parsed.parser.getDisplayInfo(), libEDID::DisplayInfo{});  // before a read
        ASSERT_TRUE(parsed.parse());
        EXPECT_TRUE(parsed.parser.getDisplayInfo() == libEDID::decodeDisplayInfo(bytes));
    }
}

}  // namespace
