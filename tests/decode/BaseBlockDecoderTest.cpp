// The base-block decoder against two crafted blocks. The expected values were read from an
// independent EDID decoder's output for the same bytes.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "decode/base/BaseBlockDecoder.h"
#include "decode/base/EstablishedTimings.h"

namespace {

using libEDID::decode::BaseBlock;
using libEDID::decode::DescriptorKind;

std::array<std::uint8_t, 128> fromHex(const std::string& hex) {
    std::array<std::uint8_t, 128> out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<std::uint8_t>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
    }
    return out;
}

// Digital 1.4: DTD 1920x1080, range limits with CVT support, product name, established III.
const auto kDigital = fromHex(
    "00ffffffffffff0010ac7ba0040302010c1e0104a53c2278eeee91a3544c99260f5054210880d1c08180010101"
    "010101010101010101023a801871382d40582c450058542100001e000000fd00304b1e551e0411512c98588"
    "03c000000fc00546573744d6f6e0a2020202020000000f7000a08000000020000000000000000b2");
// Analog 1.3 with a model year: DTD with high porch bits and borders, CVT 3-byte codes, a
// colour point and standard timing identifiers.
const auto kAnalog = fromHex(
    "00ffffffffffff000443341200000000ff1901030f4f00ff0aee91a3544c99260f505400000001010101010101"
    "010101010101010101341200a0420030302c044255f47711020306000000f800011b24297f1c540000000000"
    "00000000fb00010650547800000000000a2020000000fa00d1c08180a9400101010101010a009f");

struct Mode {
    unsigned width, height, refresh;
    bool operator==(const Mode&) const = default;
};

std::vector<Mode> establishedModes(const BaseBlock& b) {
    std::vector<Mode> out;
    for (unsigned i = 0; i < libEDID::decode::kEstablishedModes.size(); ++i) {
        if (libEDID::decode::establishedBit(b.establishedBits, i)) {
            const auto& m = libEDID::decode::kEstablishedModes[i];
            out.push_back({m.width, m.height, m.refresh});
        }
    }
    return out;
}

TEST(BaseBlockDecoderTest, IdentityAndDisplayParameters) {
    const BaseBlock d = libEDID::decode::decodeBaseBlock(kDigital);
    EXPECT_EQ(std::string(d.manufacturerId.data()), "DEL");
    EXPECT_EQ(d.productCode, 41083u);
    EXPECT_EQ(d.serialNumber, 16909060u);
    EXPECT_EQ(d.week, 12u);
    EXPECT_EQ(d.year(), 2020u);
    EXPECT_TRUE(d.isRevision14OrLater());
    EXPECT_TRUE(d.videoInput.digital);
    EXPECT_EQ(d.videoInput.bitsPerColor, 8u);
    EXPECT_EQ(d.videoInput.interface, libEDID::DigitalInterface::DisplayPort);
    EXPECT_EQ(d.widthCm, 60u);
    EXPECT_EQ(d.heightCm, 34u);
    EXPECT_DOUBLE_EQ(*d.gamma, 2.2);
    EXPECT_TRUE(d.features.standby && d.features.suspend && d.features.activeOff);
    EXPECT_EQ(d.features.colorType, 1u);  // RGB 4:4:4 and YCrCb 4:4:4
    EXPECT_TRUE(d.features.sRGBDefault);
    EXPECT_TRUE(d.features.preferredTimingNative);

    const BaseBlock a = libEDID::decode::decodeBaseBlock(kAnalog);
    EXPECT_EQ(std::string(a.manufacturerId.data()), "ABC");
    EXPECT_EQ(a.productCode, 4660u);
    EXPECT_EQ(a.week, 0xFFu);
    EXPECT_EQ(a.year(), 2015u);
    EXPECT_FALSE(a.videoInput.digital);
    EXPECT_EQ(a.videoInput.signalLevel, 0u);
    EXPECT_TRUE(a.videoInput.separateSync && a.videoInput.compositeSyncOnH &&
                a.videoInput.syncOnGreen && a.videoInput.serrations);
    EXPECT_FALSE(a.videoInput.blankToBlackSetup);
    EXPECT_FALSE(a.widthCm.has_value());
    EXPECT_NEAR(*a.aspectRatio, 1.78, 1e-9);  // 15h = 4Fh, 16h = 0: landscape
    EXPECT_FALSE(a.gamma.has_value());
    EXPECT_EQ(a.features.colorType, 1u);  // RGB colour display
}

TEST(BaseBlockDecoderTest, Chromaticity) {
    const auto c = libEDID::decode::decodeBaseBlock(kDigital).chromaticity;
    const std::array<std::pair<double, double>, 8> expected{{
        {c.redX.value(), 0.6396},
        {c.redY.value(), 0.3300},
        {c.greenX.value(), 0.2998},
        {c.greenY.value(), 0.5996},
        {c.blueX.value(), 0.1503},
        {c.blueY.value(), 0.0595},
        {c.whiteX.value(), 0.3125},
        {c.whiteY.value(), 0.3291},
    }};
    for (const auto& [value, printed] : expected) {
        EXPECT_NEAR(value, printed, 1e-4);
    }
    EXPECT_EQ(c.redX.code, 655u);
}

TEST(BaseBlockDecoderTest, EstablishedAndStandardTimings) {
    const BaseBlock d = libEDID::decode::decodeBaseBlock(kDigital);
    EXPECT_EQ(
        establishedModes(d),
        (std::vector<Mode>{{800, 600, 60}, {640, 480, 60}, {1024, 768, 60}, {1152, 870, 75}}));
    using Kind = libEDID::decode::StandardTiming::Kind;
    ASSERT_EQ(d.standardTimings[0].kind, Kind::Mode);
    EXPECT_EQ(d.standardTimings[0].width, 1920u);
    EXPECT_EQ(d.standardTimings[0].height, 1080u);
    EXPECT_EQ(d.standardTimings[1].height, 1024u);
    EXPECT_EQ(d.standardTimings[2].kind, Kind::Unused);

    const auto& est3 = d.descriptors[3];
    ASSERT_EQ(est3.kind, DescriptorKind::EstablishedIII);
    std::vector<Mode> modes;
    for (unsigned i = 0; i < libEDID::decode::kEstablishedIIIModes.size(); ++i) {
        if (libEDID::decode::establishedIIIBit(est3.establishedIII, i)) {
            const auto& m = libEDID::decode::kEstablishedIIIModes[i];
            modes.push_back({m.width, m.height, m.refresh});
            EXPECT_EQ(m.reducedBlanking, m.width == 1920);
        }
    }
    EXPECT_EQ(modes, (std::vector<Mode>{{848, 480, 60}, {1920, 1200, 60}}));
}

TEST(BaseBlockDecoderTest, DetailedTimings) {
    struct Case {
        const std::array<std::uint8_t, 128>* block;
        unsigned clockKHz, hActive, hFront, hSync, hBack, vActive, vFront, vSync, vBack;
        unsigned widthMm, heightMm, hBorder, vBorder;
        bool positive;
        double refresh;
    };
    const std::array<Case, 2> cases{{
        {&kDigital, 148500, 1920, 88, 44, 148, 1080, 4, 5, 36, 600, 340, 0, 0, true, 60.0},
        {&kAnalog, 46600, 1024, 300, 260, 108, 768, 20, 18, 4, 500, 375, 2, 3, false, 33.672077},
    }};
    for (const Case& c : cases) {
        const auto base = libEDID::decode::decodeBaseBlock(*c.block);
        const auto& slot = base.descriptors[0];
        ASSERT_EQ(slot.kind, DescriptorKind::DetailedTiming);
        const auto& t = slot.timing->timing;
        EXPECT_EQ(t.pixelClockKHz, c.clockKHz);
        EXPECT_EQ(t.hActive, c.hActive);
        EXPECT_EQ(t.hFrontPorch, c.hFront);
        EXPECT_EQ(t.hSyncWidth, c.hSync);
        // The back porch printed excludes the borders on both sides.
        EXPECT_EQ(t.hBlank - t.hFrontPorch - t.hSyncWidth - 2 * c.hBorder, c.hBack);
        EXPECT_EQ(t.vActive, c.vActive);
        EXPECT_EQ(t.vFrontPorch, c.vFront);
        EXPECT_EQ(t.vSyncWidth, c.vSync);
        EXPECT_EQ(t.vBlank - t.vFrontPorch - t.vSyncWidth - 2 * c.vBorder, c.vBack);
        EXPECT_EQ(t.hSyncPositive, c.positive);
        EXPECT_EQ(t.vSyncPositive, c.positive);
        EXPECT_EQ(slot.timing->hImageSizeMm, c.widthMm);
        EXPECT_EQ(slot.timing->vImageSizeMm, c.heightMm);
        EXPECT_EQ(slot.timing->hBorder, c.hBorder);
        EXPECT_EQ(slot.timing->vBorder, c.vBorder);
        EXPECT_NEAR(t.refreshHz(), c.refresh, 1e-6);
    }
    const auto analog = libEDID::decode::decodeBaseBlock(kAnalog).descriptors[0].timing;
    EXPECT_EQ(analog->sync, libEDID::decode::SyncKind::AnalogComposite);
    EXPECT_TRUE(analog->serrations);
}

TEST(BaseBlockDecoderTest, RangeLimitsWithCVT) {
    const auto base = libEDID::decode::decodeBaseBlock(kDigital);
    const auto& slot = base.descriptors[1];
    ASSERT_EQ(slot.kind, DescriptorKind::RangeLimits);
    const auto& r = *slot.range;
    EXPECT_EQ(r.minVerticalHz, 48u);
    EXPECT_EQ(r.maxVerticalHz, 75u);
    EXPECT_EQ(r.minHorizontalKHz, 30u);
    EXPECT_EQ(r.maxHorizontalKHz, 85u);
    EXPECT_EQ(r.maxPixelClockKHz(), 295000u);
    ASSERT_TRUE(r.cvt.has_value());
    EXPECT_EQ(r.cvt->version, 0x11u);
    EXPECT_EQ(r.cvt->maxActivePixels, 2400u);
    EXPECT_EQ(r.cvt->aspectRatios, 0b10011u);  // 4:3, 5:4, 15:9
    EXPECT_EQ(r.cvt->preferredAspect, 2u);     // 16:10
    EXPECT_TRUE(r.cvt->reducedBlanking);
    EXPECT_TRUE(r.cvt->standardBlanking);
    EXPECT_EQ(r.cvt->scaling, 0x8u);  // horizontal shrink
    EXPECT_EQ(r.cvt->preferredRefreshHz, 60u);
}

TEST(BaseBlockDecoderTest, RangeLimitOffsets) {
    // Byte 4: 0Ah adds 255 to both maxima only; 0Fh to minima and maxima.
    struct Case {
        std::uint8_t offsets;
        unsigned minV, maxV, minH, maxH;
    };
    for (const Case& c : {Case{0x0A, 1, 256, 2, 257}, Case{0x0F, 256, 256, 257, 257}}) {
        const std::array<std::uint8_t, 18> bytes{0, 0, 0, 0xFD, c.offsets, 1, 1, 2, 2, 10, 1};
        const auto r = libEDID::decode::decodeDescriptor(bytes).range;
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->minVerticalHz, c.minV);
        EXPECT_EQ(r->maxVerticalHz, c.maxV);
        EXPECT_EQ(r->minHorizontalKHz, c.minH);
        EXPECT_EQ(r->maxHorizontalKHz, c.maxH);
    }
}

TEST(BaseBlockDecoderTest, DisplayDescriptorsOfTheAnalogBlock) {
    const BaseBlock a = libEDID::decode::decodeBaseBlock(kAnalog);
    const auto& cvt = a.descriptors[1];
    ASSERT_EQ(cvt.kind, DescriptorKind::CVT3Byte);
    EXPECT_EQ(cvt.cvt[0].width, 1920u);
    EXPECT_EQ(cvt.cvt[0].lines, 1080u);
    EXPECT_EQ(cvt.cvt[0].rates, 0b01001u);  // 60 Hz and 60 Hz reduced blanking
    EXPECT_EQ(cvt.cvt[0].preferredRate, 1u);
    EXPECT_EQ(cvt.cvt[1].width, 1280u);
    EXPECT_EQ(cvt.cvt[1].lines, 768u);
    EXPECT_EQ(cvt.cvt[1].rates, 0b10100u);  // 50 and 75 Hz
    EXPECT_EQ(cvt.cvt[1].preferredRate, 2u);
    EXPECT_EQ(cvt.cvt[2].lines, 0u);

    const auto& point = a.descriptors[2];
    ASSERT_EQ(point.kind, DescriptorKind::ColorPoint);
    EXPECT_EQ(point.colorPoints[0].index, 1u);
    EXPECT_NEAR(point.colorPoints[0].x.value(), 0.3134, 1e-4);
    EXPECT_NEAR(point.colorPoints[0].y.value(), 0.3300, 1e-4);
    EXPECT_EQ(point.colorPoints[0].gammaCode, 0x78u);
    EXPECT_EQ(point.colorPoints[1].index, 0u);

    const auto& ids = a.descriptors[3];
    ASSERT_EQ(ids.kind, DescriptorKind::StandardTimingIds);
    const std::array<Mode, 3> expected{{{1920, 1080, 60}, {1280, 1024, 60}, {1600, 1200, 60}}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& st = ids.standardTimings[i];
        EXPECT_EQ((Mode{st.width, st.height, st.refresh}), expected[i]);
    }
}

TEST(BaseBlockDecoderTest, StringDescriptors) {
    const BaseBlock d = libEDID::decode::decodeBaseBlock(kDigital);
    EXPECT_EQ(d.descriptors[2].kind, DescriptorKind::ProductName);
    EXPECT_EQ(d.descriptors[2].text, "TestMon");
    // Thirteen characters without an end mark; trailing blanks dropped.
    const std::array<std::uint8_t, 18> full{0,   0,   0,   0xFF, 0,   'A', 'B', 'C', 'D',
                                            'E', 'F', 'G', 'H',  'I', 'J', 'K', 'L', 'M'};
    EXPECT_EQ(libEDID::decode::decodeDescriptor(full).text, "ABCDEFGHIJKLM");
    const std::array<std::uint8_t, 18> blanks{0, 0, 0, 0xFE, 0, 'x', ' ', ' ', 0x0A, ' '};
    EXPECT_EQ(libEDID::decode::decodeDescriptor(blanks).text, "x");
    // The text's layout as stored: blanks before the end, padding other than 20h.
    struct Layout {
        std::array<std::uint8_t, 18> bytes;
        bool trailingBlanks;
        bool paddingNotBlank;
    };
    const Layout layouts[] = {
        {full, false, false},
        {blanks, true, true},  // 00h padding after the 0Ah
        {{0, 0, 0, 0xFC, 0, 'x', 0x0A, ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '},
         false,
         false},
        {{0, 0, 0, 0xFC, 0, 'x', 0x0A, ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', 0x0A},
         false,
         true},
        {{0, 0, 0, 0xFF, 0, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', ' '},
         true,
         false},
    };
    for (const Layout& layout : layouts) {
        const auto decoded = libEDID::decode::decodeDescriptor(layout.bytes);
        EXPECT_EQ(decoded.textTrailingBlanks, layout.trailingBlanks) << decoded.text;
        EXPECT_EQ(decoded.textPaddingNotBlank, layout.paddingNotBlank) << decoded.text;
    }
    const std::array<std::uint8_t, 18> dummy{0, 0, 0, 0x10};
    EXPECT_EQ(libEDID::decode::decodeDescriptor(dummy).kind, DescriptorKind::Dummy);
    const std::array<std::uint8_t, 18> vendor{0, 0, 0, 0x0F};
    EXPECT_EQ(libEDID::decode::decodeDescriptor(vendor).kind, DescriptorKind::Manufacturer);
    // Only a slot of 18 bytes 00h is empty; tag 00h with other bytes is the manufacturer's.
    EXPECT_TRUE(libEDID::decode::decodeDescriptor(std::array<std::uint8_t, 18>{}).allZero);
    EXPECT_FALSE(libEDID::decode::decodeDescriptor(vendor).allZero);
    const std::array<std::uint8_t, 18> vendorData{0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                  0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_FALSE(libEDID::decode::decodeDescriptor(vendorData).allZero);
}

}  // namespace
