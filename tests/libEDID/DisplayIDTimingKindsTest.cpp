// The DisplayID timing kinds beyond types I and VII (II-VI of 1.x, VIII-X of 2.x), the device
// blocks of 1.x (range limits, display device data, power sequencing, transfer
// characteristics) and the stereo interface: each payload written by hand from the block's
// layout, the value line's property and the findings; then what the display model takes.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "DisplayIDTestSupport.h"
#include "libEDID/DisplayInfo.h"

namespace {

using displayidtest::Bytes;
using displayidtest::dataBlock;
using displayidtest::Decoded;
using displayidtest::Keys;
using displayidtest::Section;
using displayidtest::operator+;

// A 1.x product identification block, so that 1.x sections hold only their block's findings.
const Bytes kProduct = dataBlock(0x00, {'A', 'B', 'C', 0x34, 0x12, 0x2A, 0, 0, 0, 12, 19, 0});

Section v1(const Bytes& blocks) {
    return Section{0x13, 3, kProduct + blocks};
}
Section v2(const Bytes& blocks) {
    return Section{0x20, 2, blocks};
}

struct Case {
    const char* what;
    Section section;
    std::string property;
    std::string value;
    Keys faults = {};
};

void check(const Case& c) {
    SCOPED_TRACE(c.what);
    const Decoded run(c.section);
    EXPECT_EQ(run.property(c.property), c.value);
    EXPECT_EQ(run.faultKeys(), c.faults);
    EXPECT_TRUE(run.withKey("DisplayIDDataBlockNotDecoded").empty());
}

// Type II: 10 kHz clock - 1, options, sizes in 8-pixel cells - 1; type VI: 1 kHz clock - 1 in
// 22 bits, 14-bit sizes - 1. Both join the section's detailed timings.
TEST(DisplayIDTimingKindsTest, DetailedTypesIIAndVI) {
    // 148.5 MHz; 1920 (EFh) + 280 (22h in bits 7-1) pixels; 1080 + 45 lines.
    const Bytes typeII{0x01, 0x3A, 0x00, 0x8C, 0xEF, 0x44, 0xA4, 0x37, 0x04, 0x2C, 0x24};
    const Bytes typeVI{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                       0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E};
    Bytes typeVIWithSize = typeVI + Bytes{0x10, 0x20, 0x30};
    typeVIWithSize[2] = 0xC3;  // bit 7 preferred, bit 6: 3 bytes of image size follow
    Bytes interlacedVI = typeVI;
    interlacedVI[13] = 0x8E;
    const Case cases[] = {
        {"type II", v1(dataBlock(0x04, typeII)), "DisplayIDTimings1",
         "1920 x 1080 @ 60.00Hz, 148.50 MHz, preferred"},
        // Bit 0 of byte 5 is bit 8 of the width in cells: (1EFh + 1) x 8.
        {"type II, 9-bit width",
         v1(dataBlock(0x04, {0x01, 0x3A, 0x00, 0x00, 0xEF, 0x45, 0xA4, 0x37, 0x04, 0x2C, 0x24})),
         "DisplayIDTimings1", "3968 x 1080 @ 31.07Hz, 148.50 MHz"},
        {"type II with a byte over",
         v1(dataBlock(0x04, typeII + Bytes{0})),
         "DisplayIDTimings1",
         "1920 x 1080 @ 60.00Hz, 148.50 MHz, preferred",
         {"DisplayIDTimingBlockSize"}},
        {"type II of reserved stereo code 3",
         v1(dataBlock(0x04, {0x01, 0x3A, 0x00, 0x60, 0xEF, 0x44, 0xA4, 0x37, 0x04, 0x2C, 0x24})),
         "DisplayIDTimings1",
         "1920 x 1080 @ 60.00Hz, 148.50 MHz",
         {"DisplayIDReservedValue"}},
        // 030201h + 1 kHz; 0504h + 1 by 0706h + 1; blank 0A08h + 1 and 0Ch + 1.
        {"type VI", v1(dataBlock(0x13, typeVI)), "DisplayIDTimings1",
         "1285 x 1799 @ 28.23Hz, 197.12 MHz"},
        {"type VI with image size, preferred", v1(dataBlock(0x13, typeVIWithSize)),
         "DisplayIDTimings1", "1285 x 1799 @ 28.23Hz, 197.12 MHz, preferred"},
        {"type VI interlaced", v1(dataBlock(0x13, interlacedVI)), "DisplayIDTimings1",
         "1285 x 1799 @ 28.23Hz, 197.12 MHz, interlaced"},
        {"type VI of 13 bytes",
         v1(dataBlock(0x13, Bytes(13))),
         "DisplayIDTimings1",
         "<none>",
         {"DisplayIDTimingBlockSize"}},
    };
    for (const Case& c : cases) {
        check(c);
    }
    // The fields of the type II timing, read from the struct.
    const Decoded run(v1(dataBlock(0x04, typeII)));
    const auto& timings = run.parser.getDisplayIDBlocks().at(0).timings;
    ASSERT_EQ(timings.size(), 1u);
    EXPECT_EQ(timings[0].pixelClockKHz, 148500u);
    EXPECT_EQ(timings[0].hFrontPorch, 88u);
    EXPECT_EQ(timings[0].hSyncWidth, 40u);
    EXPECT_EQ(timings[0].vFrontPorch, 3u);
    EXPECT_EQ(timings[0].vSyncWidth, 5u);
    EXPECT_TRUE(timings[0].hSyncPositive);
    EXPECT_TRUE(timings[0].vSyncPositive);
}

// A type VI descriptor whose image size runs past the payload is not decoded.
TEST(DisplayIDTimingKindsTest, TypeVIImageSizePastThePayload) {
    Bytes typeVI(15, 0);
    typeVI[2] = 0x40;
    const Decoded run(v1(dataBlock(0x13, typeVI)));
    EXPECT_EQ(run.property("DisplayIDTimings1"), "<none>");
    EXPECT_EQ(run.faultKeys(), Keys{"DisplayIDTimingBlockSize"});
}

// Formula-based timings: type III (width in cells, height from the aspect ratio), type V and
// IX (16-bit sizes - 1, refresh - 1), type X (6- or 7-byte descriptors, 10-bit refresh).
TEST(DisplayIDTimingKindsTest, FormulaBasedTimings) {
    const Bytes size1080{0x7F, 0x07, 0x37, 0x04};
    const Case cases[] = {
        {"type III, 16:9, preferred", v1(dataBlock(0x05, {0x84, 0xEF, 0x3B})),
         "DisplayIDFormulaTimings1", "1920 x 1080 @ 60Hz, CVT, preferred"},
        {"type III, reduced blanking, 5:4", v1(dataBlock(0x05, {0x11, 0xEF, 0x3B})),
         "DisplayIDFormulaTimings1", "1920 x 1536 @ 60Hz, CVT reduced blanking"},
        {"type III, 256:135 interlaced, two descriptors",
         v1(dataBlock(0x05, {0x07, 0xEF, 0xBB, 0x00, 0x00, 0x7F})), "DisplayIDFormulaTimings1",
         "1920 x 1012 @ 60Hz, CVT, interlaced | 8 x 8 @ 128Hz, CVT"},
        {"type III, reserved aspect ratio and formula",
         v1(dataBlock(0x05, {0x28, 0xEF, 0x3B})),
         "DisplayIDFormulaTimings1",
         "1920 x 0 @ 60Hz, Unknown or reserved",
         {"DisplayIDReservedValue", "DisplayIDReservedValue"}},
        {"type III of 4 bytes",
         v1(dataBlock(0x05, {0x04, 0xEF, 0x3B, 0})),
         "DisplayIDFormulaTimings1",
         "1920 x 1080 @ 60Hz, CVT",
         {"DisplayIDTimingBlockSize"}},
        {"type V, 1000/1001, preferred", v1(dataBlock(0x11, Bytes{0x90, 0} + size1080 + Bytes{59})),
         "DisplayIDFormulaTimings1",
         "1920 x 1080 @ 60Hz, CVT reduced blanking v2, also at 1000/1001 of the rate, preferred"},
        {"type V, formula 1 and stereo 3 reserved",
         v1(dataBlock(0x11, Bytes{0x61, 0} + size1080 + Bytes{0xFF})),
         "DisplayIDFormulaTimings1",
         "1920 x 1080 @ 256Hz, Unknown or reserved",
         {"DisplayIDReservedValue", "DisplayIDReservedValue"}},
        {"type IX, CVT", v2(dataBlock(0x24, Bytes{0x00} + size1080 + Bytes{59})),
         "DisplayIDFormulaTimings1", "1920 x 1080 @ 60Hz, CVT"},
        {"type IX, reduced blanking, 1000/1001",
         v2(dataBlock(0x24, Bytes{0x11} + size1080 + Bytes{59})), "DisplayIDFormulaTimings1",
         "1920 x 1080 @ 60Hz, CVT reduced blanking, also at 1000/1001 of the rate"},
        {"type IX, formula 3 reserved",
         v2(dataBlock(0x24, Bytes{0x03} + size1080 + Bytes{119})),
         "DisplayIDFormulaTimings1",
         "1920 x 1080 @ 120Hz, Unknown or reserved",
         {"DisplayIDReservedValue"}},
        {"type X of 6 bytes, RB v3", v2(dataBlock(0x2A, Bytes{0x03} + size1080 + Bytes{59})),
         "DisplayIDFormulaTimings1", "1920 x 1080 @ 60Hz, CVT reduced blanking v3"},
        // 7-byte descriptors: byte 6 bits 1-0 are refresh bits 9-8; 1F3h + 1 = 500 Hz.
        {"type X of 7 bytes", v2(dataBlock(0x2A, {0x02, 0xFF, 0x0E, 0x6F, 0x08, 0xF3, 0x01}, 0x10)),
         "DisplayIDFormulaTimings1", "3840 x 2160 @ 500Hz, CVT reduced blanking v2"},
        {"type X, 7-byte payload of 6-byte descriptors",
         v2(dataBlock(0x2A, Bytes{0x04} + size1080 + Bytes{59, 0})),
         "DisplayIDFormulaTimings1",
         "1920 x 1080 @ 60Hz, Unknown or reserved",
         {"DisplayIDTimingBlockSize", "DisplayIDReservedValue"}},
    };
    for (const Case& c : cases) {
        check(c);
    }
}

// Timing codes: bits 7-6 of the revision byte select DMT, VIC or HDMI VIC; type VIII with bit 3
// has 2-byte codes.
TEST(DisplayIDTimingKindsTest, TimingCodes) {
    const Case cases[] = {
        {"type IV, DMT IDs", v1(dataBlock(0x06, {0x04, 0x10, 0x52}, 0x01)), "DisplayIDTimingCodes1",
         "DMT 04h: 640 x 480 @ 60Hz | DMT 10h: 1024 x 768 @ 60Hz | DMT 52h: 1920 x 1080 @ 60Hz"},
        {"type IV, VICs", v1(dataBlock(0x06, {0x01, 0x10, 0x61, 0x7F}, 0x41)),
         "DisplayIDTimingCodes1",
         "VIC 1: 640 x 480 @ 60Hz | VIC 16: 1920 x 1080 @ 60Hz | VIC 97: 3840 x 2160 @ 60Hz | "
         "VIC 127: 5120 x 2160 @ 100Hz"},
        {"type IV, HDMI VICs, 5 unknown",
         v1(dataBlock(0x06, {0x01, 0x04, 0x05}, 0x81)),
         "DisplayIDTimingCodes1",
         "HDMI VIC 1: 3840 x 2160 @ 30Hz | HDMI VIC 4: 4096 x 2160 @ 24Hz | HDMI VIC 5",
         {"DisplayIDReservedValue"}},
        {"type IV, reserved code type",
         v1(dataBlock(0x06, {0x01}, 0xC1)),
         "DisplayIDTimingCodes1",
         "1",
         {"DisplayIDReservedValue"}},
        {"type VIII, DMT ID 00h has no format",
         v2(dataBlock(0x23, {0x00, 0x58})),
         "DisplayIDTimingCodes1",
         "DMT 00h | DMT 58h: 4096 x 2160 @ 60Hz RB",
         {"DisplayIDReservedValue"}},
        // D1h C0h: (D1h + 31) x 8 = 1920 pixels, 16:9, 60 Hz.
        {"type VIII, 2-byte DMT codes", v2(dataBlock(0x23, {0xD1, 0xC0}, 0x08)),
         "DisplayIDTimingCodes1", "DMT D1C0h: 1920 x 1080 @ 60Hz"},
        {"type VIII, 2-byte VICs, odd length",
         v2(dataBlock(0x23, {0x10, 0x00, 0x01}, 0x48)),
         "DisplayIDTimingCodes1",
         "VIC 16: 1920 x 1080 @ 60Hz",
         {"DisplayIDTimingBlockSize"}},
    };
    for (const Case& c : cases) {
        check(c);
    }
}

// Range limits, display device data, power sequencing, transfer characteristics and stereo.
TEST(DisplayIDTimingKindsTest, DeviceBlocks) {
    const Bytes range{0x8F, 0x3A, 0x00, 0xFF, 0x6F, 0x01, 30, 80, 80, 0, 40, 60, 30, 0, 0xE0};
    Bytes inverted = range;
    inverted[10] = 61;
    const Bytes device{0x40, 0x0C, 0x7F, 0x07, 0x37, 0x04, 0x80,
                       0xE4, 0x01, 0x0A, 0x0A, 0x07, 0x85};
    const Case cases[] = {
        {"range limits", v1(dataBlock(0x09, range)), "DisplayIDRangeLimits1",
         "149.92-942.08 MHz, 30-80 kHz, 40-60 Hz, blanking at least 80 pixels and 30 lines, "
         "interlaced, CVT, CVT reduced blanking"},
        {"range limits, discrete frequencies only",
         v1(dataBlock(0x09, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0x10})),
         "DisplayIDRangeLimits1",
         "0.01-0.01 MHz, 0-0 kHz, 0-0 Hz, blanking at least 256 pixels and 256 lines, discrete "
         "frequencies only"},
        {"range limits inverted",
         v1(dataBlock(0x09, inverted)),
         "DisplayIDRangeLimits1",
         "149.92-942.08 MHz, 30-80 kHz, 61-60 Hz, blanking at least 80 pixels and 30 lines, "
         "interlaced, CVT, CVT reduced blanking",
         {"DisplayIDRangeInverted"}},
        {"range limits of 14 bytes",
         v1(dataBlock(0x09, Bytes(14))),
         "DisplayIDRangeLimits1",
         "<none>",
         {"DisplayIDDataBlockSize"}},
        {"display device", v1(dataBlock(0x0C, device)), "DisplayIDDevice1",
         "Inorganic LED (40h), direct-view reflective, ambient light, 1920 x 1080 pixels, aspect "
         "2.28, orientation E4h, sub-pixel layout 1, pitch 0.10 x 0.10 mm, 7 bits per primary, "
         "response 5 ms white to black, backlight can be switched, backlight intensity "
         "adjustable"},
        {"display device of reserved technology, mode and scan direction",
         v1(dataBlock(0x0C, {0xB0, 0xE0, 0, 0, 0, 0, 0, 0x03, 0, 0, 0, 0, 0x05})),
         "DisplayIDDevice1",
         "Unknown or reserved (B0h), Unknown or reserved, 1 x 1 pixels, aspect 1.00, orientation "
         "03h, sub-pixel layout 0, pitch 0.00 x 0.00 mm, 0 bits per primary, response 5 ms "
         "black to white",
         {"DisplayIDReservedValue", "DisplayIDReservedValue", "DisplayIDReservedValue"}},
        {"display device of 12 bytes",
         v1(dataBlock(0x0C, Bytes(12))),
         "DisplayIDDevice1",
         "<none>",
         {"DisplayIDDataBlockSize"}},
        {"power sequencing", v1(dataBlock(0x0D, {1, 2, 3, 4, 5, 6})), "DisplayIDPowerSequencing1",
         "T1 0.0-2 ms, T2 at most 4 ms, T3 at most 6 ms, T4 at least 40 ms, T5 at least 50 ms, "
         "T6 at least 60 ms"},
        {"power sequencing, the fields' high bits",
         v1(dataBlock(0x0D, {0x10, 0xF0, 0xFF, 0x80, 0xFF, 0x01})), "DisplayIDPowerSequencing1",
         "T1 0.1-0 ms, T2 at most 96 ms, T3 at most 126 ms, T4 at least 0 ms, T5 at least 630 "
         "ms, T6 at least 10 ms"},
        {"transfer characteristics", v1(dataBlock(0x0E, {0x00, 0x10, 0x20, 0x30, 0xFF})),
         "DisplayIDTransfer1", "first byte 00h, 4 curve bytes: 16 32 48 255"},
        {"transfer characteristics without points", v1(dataBlock(0x0E, {0x80})),
         "DisplayIDTransfer1", "first byte 80h, 0 curve bytes: "},
        {"stereo, side by side", v1(dataBlock(0x10, {0x01, 0x01, 0x02}, 0x40)), "DisplayIDStereo1",
         "side by side, timing support 1, 1 parameter bytes"},
        {"2.x stereo, field sequential", v2(dataBlock(0x27, {0x00, 0x00}, 0x80)),
         "DisplayIDStereo1", "field sequential, timing support 2, 0 parameter bytes"},
        {"stereo of a reserved method",
         v1(dataBlock(0x10, {0x00, 0x06})),
         "DisplayIDStereo1",
         "Unknown or reserved, timing support 0, 0 parameter bytes",
         {"DisplayIDReservedValue"}},
        {"stereo parameters missing",
         v1(dataBlock(0x10, {0x03, 0x02, 0x11})),
         "DisplayIDStereo1",
         "pixel interleaved, timing support 0, 1 parameter bytes",
         {"DisplayIDStereoLength"}},
        {"stereo of 1 byte",
         v1(dataBlock(0x10, {0x00})),
         "DisplayIDStereo1",
         "<none>",
         {"DisplayIDDataBlockSize"}},
    };
    for (const Case& c : cases) {
        check(c);
    }
}

// The display model: the new timing kinds join the modes as DisplayID modes, and the range
// limits block stands in for a base block without a range limits descriptor.
TEST(DisplayIDTimingKindsTest, DisplayModelTakesTheNewKinds) {
    const Bytes range{0x8F, 0x3A, 0x00, 0xFF, 0x6F, 0x01, 30, 80, 80, 0, 40, 60, 30, 0, 0xE0};
    Bytes edid = v1(dataBlock(0x06, {0x10}, 0x41) + dataBlock(0x05, {0x05, 0xEF, 0x4A}) +
                    dataBlock(0x09, range))
                     .edid();
    const auto has = [](const libEDID::DisplayInfo& info, unsigned width, unsigned height,
                        unsigned rate) {
        return std::any_of(info.modes.begin(), info.modes.end(), [&](const auto& mode) {
            return mode.timing.hActive == width && mode.timing.vActive == height &&
                   static_cast<unsigned>(mode.timing.refreshHz() + 0.5) == rate &&
                   std::find(mode.sources.begin(), mode.sources.end(),
                             libEDID::ModeSource::DisplayID) != mode.sources.end();
        });
    };
    const libEDID::DisplayInfo withBaseRange = libEDID::decodeDisplayInfo(edid);
    EXPECT_TRUE(has(withBaseRange, 1920, 1080, 60));  // VIC 16
    EXPECT_TRUE(has(withBaseRange, 1920, 1200, 75));  // type III, 16:10
    ASSERT_TRUE(withBaseRange.rangeLimits.has_value());
    EXPECT_NE(withBaseRange.rangeLimits->maxPixelClockKHz, 942080u);

    // Descriptor slot 1 (bytes 48h-59h) made a dummy descriptor: no range limits in the base.
    std::fill(edid.begin() + 0x48, edid.begin() + 0x5A, 0);
    edid[0x4B] = 0x10;
    edid[127] = static_cast<std::uint8_t>(
        0x100 - std::accumulate(edid.begin(), edid.begin() + 127, 0u) % 0x100);
    const libEDID::DisplayInfo fromDisplayID = libEDID::decodeDisplayInfo(edid);
    ASSERT_TRUE(fromDisplayID.rangeLimits.has_value());
    EXPECT_EQ(fromDisplayID.rangeLimits->minVerticalHz, 40u);
    EXPECT_EQ(fromDisplayID.rangeLimits->maxVerticalHz, 60u);
    EXPECT_EQ(fromDisplayID.rangeLimits->minHorizontalKHz, 30u);
    EXPECT_EQ(fromDisplayID.rangeLimits->maxHorizontalKHz, 80u);
    EXPECT_EQ(fromDisplayID.rangeLimits->maxPixelClockKHz, 942080u);
}

}  // namespace
