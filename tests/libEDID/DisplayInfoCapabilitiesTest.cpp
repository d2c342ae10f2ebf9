// The display model's capabilities beyond the first layer, from real EDIDs of tests/data: the
// HDMI latencies and 3D, the HDMI Forum features and DSC, dynamic HDR (Dolby Vision, HDR10+)
// and the VRR range with its source. Expected values were read by hand from the bytes and from
// an independent decoder's output (latencies as (code - 1) x 2 ms; PQ luminances from the
// SMPTE ST 2084 curve of code / 4095).

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "libEDID/DisplayInfo.h"

namespace {

libEDID::DisplayInfo modelOf(const std::string& name) {
    std::ifstream in(std::filesystem::path(TEST_DATA_DIR "/edid") / name, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_GE(bytes.size(), 128u) << name;
    return libEDID::decodeDisplayInfo(bytes);
}

TEST(DisplayInfoCapabilitiesTest, HDMILatenciesAnd3D) {
    // Latency bytes 08 01 18 01: 14, 0, 46, 0 ms; HDMI video byte 80h: 3D present.
    const auto info = modelOf("ACR-2311-1.3-digital-e44de057.bin");
    ASSERT_TRUE(info.hdmi);
    EXPECT_EQ(info.hdmi->videoLatencyMs, 14u);
    EXPECT_EQ(info.hdmi->audioLatencyMs, 0u);
    EXPECT_EQ(info.hdmi->interlacedVideoLatencyMs, 46u);
    EXPECT_EQ(info.hdmi->interlacedAudioLatencyMs, 0u);
    EXPECT_TRUE(info.hdmi->present3D);
    EXPECT_FALSE(info.hdmi->contentGraphics || info.hdmi->contentPhoto ||
                 info.hdmi->contentCinema || info.hdmi->contentGame);
}

TEST(DisplayInfoCapabilitiesTest, HDMIForumFeaturesAndDSC) {
    const auto info = modelOf("AUS-42E0-1.3-digital-45e3cd38.bin");
    ASSERT_TRUE(info.hdmiForum);
    const libEDID::HDMIForumInfo& forum = *info.hdmiForum;
    EXPECT_EQ(forum.maxTMDSRateMHz, 600u);
    EXPECT_EQ(forum.maxFRL, libEDID::FRLRate::Lanes4x12);
    EXPECT_TRUE(forum.allm);
    EXPECT_FALSE(forum.fva || forum.qms || forum.cinemaVRR);
    EXPECT_TRUE(forum.deepColor420_30);
    EXPECT_TRUE(forum.deepColor420_36);
    EXPECT_FALSE(forum.deepColor420_48);
    libEDID::DSCInfo dsc;
    dsc.bpc10 = true;
    dsc.bpc12 = true;
    dsc.maxSlices = 8;
    dsc.maxPixelClockPerSliceMHz = 340;
    dsc.maxFRL = libEDID::FRLRate::Lanes4x12;
    dsc.totalChunkBytes = 30720;
    EXPECT_EQ(forum.dsc, dsc);
}

struct VisionCase {
    const char* file;
    unsigned version;
    unsigned dmMajor;
    double minLuminance;
    double maxLuminance;
    bool supports2160p60;
    bool globalDimming;
    bool lowLatency;
    std::optional<unsigned> hdr10Plus;
};

TEST(DisplayInfoCapabilitiesTest, DolbyVisionOfEveryVersion) {
    const VisionCase cases[] = {
        {"VIZ-1018-1.3-digital-8a22c0f7.bin", 0, 2, 0.0100032, 400.6295, false, false, false, {}},
        {"DON-0065-1.3-digital-e2a071ab.bin", 1, 3, 0.000992, 700, false, false, false, {}},
        {"GSM-0001-1.3-digital-0d9531dd.bin", 1, 3, 0.000062, 500, true, false, true, {}},
        {"BBY-5013-1.3-digital-ffd28737.bin", 2, 4, 0.0568965, 371.6015, false, true, true, {}},
        {"HEC-002F-1.3-digital-66dee85e.bin", 2, 3, 0.0347017, 275.8047, false, true, true, 1},
    };
    for (const VisionCase& c : cases) {
        SCOPED_TRACE(c.file);
        const auto info = modelOf(c.file);
        ASSERT_TRUE(info.dynamicHDR);
        ASSERT_TRUE(info.dynamicHDR->dolbyVision);
        const libEDID::DolbyVisionInfo& vision = *info.dynamicHDR->dolbyVision;
        EXPECT_EQ(vision.version, c.version);
        EXPECT_EQ(vision.dmMajor, c.dmMajor);
        EXPECT_NEAR(vision.minLuminance, c.minLuminance, c.minLuminance * 1e-3);
        EXPECT_NEAR(vision.maxLuminance, c.maxLuminance, 0.01);
        EXPECT_EQ(vision.supports2160p60, c.supports2160p60);
        EXPECT_EQ(vision.globalDimming, c.globalDimming);
        EXPECT_EQ(vision.lowLatency, c.lowLatency);
        EXPECT_EQ(info.dynamicHDR->hdr10PlusVersion, c.hdr10Plus);
    }
}

struct VRRCase {
    const char* file;
    unsigned minHz;
    unsigned maxHz;
    libEDID::VRRSource source;
};

TEST(DisplayInfoCapabilitiesTest, VRRRangeBySourcePrecedence) {
    using libEDID::VRRSource;
    const VRRCase cases[] = {
        // VRRmin 48, VRRmax 144 of the HDMI Forum block, an AMD block beside it.
        {"GBT-2800-1.3-digital-67bfa7da.bin", 48, 144, VRRSource::HDMIForum},
        // A native-range adaptive sync descriptor beside an AMD block and dynamic range limits.
        {"BOE-0B79-1.4-digital-880d1b68.bin", 60, 240, VRRSource::AdaptiveSync},
        {"AUO-D2A2-1.4-digital-f1ee1410.bin", 60, 144, VRRSource::AdaptiveSync},
        // AMD block payload bytes 5-6: 30h, A5h.
        {"ACR-072F-1.4-digital-14f3b6d5.bin", 48, 165, VRRSource::AMD},
        // EDID 1.4, continuous frequency, range limits 24-75 Hz and no VRR block.
        {"CLB-1234-1.4-digital-010c72d1.bin", 24, 75, VRRSource::RangeLimits},
    };
    for (const VRRCase& c : cases) {
        SCOPED_TRACE(c.file);
        const auto info = modelOf(c.file);
        ASSERT_TRUE(info.vrr);
        EXPECT_EQ(*info.vrr, (libEDID::VRRRange{c.minHz, c.maxHz, c.source}));
    }
    // EDID 1.3 (GTF range, no continuous-frequency flag of 1.4) without a VRR block: none.
    EXPECT_FALSE(modelOf("DON-0065-1.3-digital-e2a071ab.bin").vrr);
}

TEST(DisplayInfoCapabilitiesTest, DisplayIDTypeVIITimingInsideCTA) {
    // EDID 1.3 with one CTA-861 block whose only data block is extended tag 34 (length 22):
    // revision byte 00h, then one type VII descriptor of 3840 x 2160, 594 MHz, totals 4400 x
    // 2250, front porches 176 and 8, syncs 88 and 10, both positive: 60 Hz.
    std::vector<std::uint8_t> edid(256, 0);
    const std::uint8_t header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::copy(std::begin(header), std::end(header), edid.begin());
    edid[0x12] = 1;
    edid[0x13] = 3;
    edid[0x14] = 0x80;
    edid[0x7E] = 1;
    const std::uint8_t cta[] = {0x02, 0x03, 27,   0x00, 0xF6, 0x22, 0x00, 0x4F, 0x10,
                                0x09, 0x00, 0xFF, 0x0E, 0x2F, 0x02, 0xAF, 0x80, 0x57,
                                0x00, 0x6F, 0x08, 0x59, 0x00, 0x07, 0x80, 0x09, 0x00};
    std::copy(std::begin(cta), std::end(cta), edid.begin() + 128);
    const libEDID::DisplayInfo info = libEDID::decodeDisplayInfo(edid);
    ASSERT_EQ(info.modes.size(), 1u);
    const libEDID::SupportedMode& mode = info.modes.front();
    const libEDID::VideoTiming expected{594000, 3840, 560,  176,  88,    2160, 90,
                                        8,      10,   true, true, false, 0};
    EXPECT_EQ(mode.timing, expected);
    EXPECT_NEAR(mode.timing.refreshHz(), 60.0, 1e-9);
    ASSERT_EQ(mode.sources.size(), 1u);
    EXPECT_EQ(mode.sources[0], libEDID::ModeSource::DisplayID);
}

}  // namespace
