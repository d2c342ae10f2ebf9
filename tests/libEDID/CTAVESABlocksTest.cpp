// The VESA data blocks inside CTA-861: the display device data block (extended tag 2) and the
// video timing block extension (extended tag 3). Crafted blocks, with every expected value
// worked out by hand from the block layout.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "libEDID/CTA861.h"
#include "libEDID/DisplayInfo.h"
#include "libEDID/EDIDLayout.h"
#include "qor/Resource.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Keys = std::vector<std::string>;

// Bytes 1-31 of a display device data block (byte 0, tag 7 and length, is added by ctaEdid):
// DisplayPort with 4 lanes, version 1.2, HDCP, 40-300 MHz, 1920 x 1080, aspect 1.78, portrait
// with the zero pixel lower left and fast scan on the short axis, four sub-pixels red top left,
// 0.28 mm pitch, temporal dithering, direct drive and deinterlacing, every audio flag, audio
// 8 ms early, single buffering at 60 Hz +/- 17 Hz, 8 bits at the interface and 6 in the
// device, one additional primary, 8 ms white to black, overscan 8 % x 5 %.
const Bytes kDisplayDevice{0x02, 0x94, 0x12, 0x01, 0xA1, 0x2C, 0x80, 0x07, 0x38, 0x04, 0x4E,
                           0x4A, 0x05, 0x1C, 0x1C, 0xA8, 0xE0, 0x04, 0x51, 0x3C, 0x75, 0xA0,
                           0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x85};

// 1920 x 1080, 148.5 MHz, blanking 280 x 45: 60.00 Hz.
const Bytes kDTD1080p{0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58,
                      0x2C, 0x45, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1E};

// An EDID with one CTA-861 block whose collection holds the extended-tag blocks `payloads`
// (each from its extended tag on).
Bytes ctaEdid(const std::vector<Bytes>& payloads, std::uint8_t features = 0x0A) {
    Bytes collection;
    for (const Bytes& payload : payloads) {
        collection.push_back(static_cast<std::uint8_t>(0xE0 | payload.size()));
        collection.insert(collection.end(), payload.begin(), payload.end());
    }
    Bytes cta{3, static_cast<std::uint8_t>(4 + collection.size()), 0};
    cta.insert(cta.end(), collection.begin(), collection.end());
    return edidtest::EdidBuilder()
        .features(features)
        .extensionBlock(0x02)
        .extensionBytes(1, 1, cta)
        .bytes();
}

Bytes with(Bytes bytes, std::size_t blockByte, std::uint8_t value) {
    bytes[blockByte - 1] = value;
    return bytes;
}

struct Decoded : edidtest::Parsed {
    explicit Decoded(const std::vector<Bytes>& payloads, bool decode = true)
        : Parsed(ctaEdid(payloads)) {
        parser.setDecodeExtensions(decode);
        EXPECT_TRUE(parse());
    }
    const libEDID::CTADataBlockCollection& blocks() const {
        return parser.getCTABlocks().at(0).dataBlocks;
    }
    std::string property(const std::string& name) const { return propertyText(name, "<none>"); }
};

TEST(CTAVESABlocksTest, DisplayDeviceFields) {
    const Decoded d({kDisplayDevice});
    ASSERT_TRUE(d.blocks().vesaDisplayDevice.has_value());
    const libEDID::CTAVESADisplayDevice& v = *d.blocks().vesaDisplayDevice;
    const struct {
        const char* field;
        unsigned actual;
        unsigned expected;
    } cases[] = {
        {"length", v.length, 31},
        {"interface type", v.interfaceType, 9},
        {"lanes", v.interfaceLinks, 4},
        {"version", v.interfaceVersion, 1},
        {"release", v.interfaceRelease, 2},
        {"content protection", v.contentProtection, 1},
        {"min clock: A1h bits 7-2", v.minClockMHz, 40},
        {"max clock: A1h bits 1-0 as 9-8, then 2Ch", v.maxClockMHz, 300},
        {"width 0780h", v.nativeWidth, 1920},
        {"height 0438h", v.nativeHeight, 1080},
        {"aspect", v.aspectRatio, 78},
        {"orientation", v.orientation, 0x4A},
        {"sub-pixels", v.subpixelLayout, 5},
        {"h pitch", v.hPitchHundredthMm, 28},
        {"v pitch", v.vPitchHundredthMm, 28},
        {"misc", v.miscellaneous, 0xA8},
        {"audio", v.audioFlags, 0xE0},
        {"audio delay", v.audioDelay, 4},
        {"frame rate conversion", v.frameRateConversion, 0x51},
        {"native rate", v.nativeFrameRate, 60},
        {"colour depth", v.colorDepth, 0x75},
        {"primaries given", v.additionalPrimaryCount, 1},
        {"x4: 22h << 2 | 2", v.additionalPrimaries[0], 138},
        {"y4: 33h << 2 | 2", v.additionalPrimaries[1], 206},
        {"x5: 44h << 2", v.additionalPrimaries[2], 272},
        {"y5: 55h << 2", v.additionalPrimaries[3], 340},
        {"x6: 66h << 2 | 0", v.additionalPrimaries[4], 408},
        {"y6: 77h << 2 | 1", v.additionalPrimaries[5], 477},
        {"response", v.responseTime, 0x88},
        {"overscan", v.overscan, 0x85},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.actual, c.expected) << c.field;
    }
}

TEST(CTAVESABlocksTest, DisplayDeviceReport) {
    const Decoded d({kDisplayDevice});
    const struct {
        const char* property;
        const char* text;
    } cases[] = {
        {"CTAVESAInterface1", "DisplayPort, 4 lanes or channels"},
        {"CTAVESAInterfaceVersion1", "1.2"},
        {"CTAVESAContentProtection1", "HDCP"},
        {"CTAVESAPixelClock1", "40 to 300 MHz per link"},
        {"CTAVESANativePixels1", "1920 x 1080"},
        {"CTAVESAAspectRatio1", "1.78"},
        {"CTAVESAOrientation1",
         "portrait, no rotation, first pixel lower left, fast scan along the short axis"},
        {"CTAVESASubpixelLayout1", "four sub-pixels, red top left"},
        {"CTAVESAPixelPitch1", "0.28 x 0.28 mm"},
        {"CTAVESADithering1", "temporal"},
        {"CTAVESADirectDrive1", "Yes"},
        {"CTAVESAOverdriveNotRecommended1", "No"},
        {"CTAVESADeinterlacing1", "Yes"},
        {"CTAVESAAudioOnInterface1", "Yes"},
        {"CTAVESASeparateAudioInputs1", "Yes"},
        {"CTAVESAAudioInputOverride1", "Yes"},
        {"CTAVESAAudioDelay1", "-8 ms"},
        {"CTAVESAFrameRateConversion1", "single buffering"},
        {"CTAVESAFrameRate1", "60 Hz native, ±17 Hz"},
        {"CTAVESAColorDepth1", "8 bits per primary at the interface, 6 in the display device"},
        {"CTAVESAAdditionalPrimaries1", "0.1348, 0.2012"},
        {"CTAVESAResponseTime1", "8 ms, white to black"},
        {"CTAVESAOverscan1", "8 % x 5 %"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(d.property(c.property), c.text) << c.property;
    }
    EXPECT_TRUE(d.faultKeys().empty());
    EXPECT_TRUE(d.withKey("CTAExtendedDataBlock").empty());
}

// Other codes of the same fields, one byte changed from the crafted block each.
TEST(CTAVESABlocksTest, DisplayDeviceCodes) {
    const struct {
        const char* name;
        std::size_t byte;
        std::uint8_t value;
        const char* property;
        const char* text;
    } cases[] = {
        {"analog, 15-pin", 2, 0x00, "CTAVESAInterface1", "analog, 15-pin HD (VGA) connector"},
        {"analog, NAVI-D", 2, 0x02, "CTAVESAInterface1", "analog, NAVI-D connector"},
        {"M1 digital, 1 channel", 2, 0xC1, "CTAVESAInterface1", "M1, digital, 1 lanes or channels"},
        {"no content protection", 4, 0x00, "CTAVESAContentProtection1", "None"},
        {"DPCP", 4, 0x03, "CTAVESAContentProtection1", "DPCP"},
        {"landscape, both rotations, upper right, long axis", 12, 0x35, "CTAVESAOrientation1",
         "landscape, rotates 90° both ways, first pixel upper right, fast scan along the long "
         "axis"},
        {"orientation not fixed, scan not defined", 12, 0x80, "CTAVESAOrientation1",
         "no fixed orientation, no rotation, first pixel upper left, not defined"},
        {"PenTile", 13, 0x0C, "CTAVESASubpixelLayout1", "PenTile matrix"},
        {"no dithering, overdrive not recommended", 16, 0x10, "CTAVESAOverdriveNotRecommended1",
         "Yes"},
        {"spatial and temporal dithering", 16, 0xC0, "CTAVESADithering1", "spatial and temporal"},
        {"audio 254 ms late", 18, 0xFF, "CTAVESAAudioDelay1", "254 ms"},
        {"no audio delay given", 18, 0x00, "CTAVESAAudioDelay1", "<none>"},
        {"advanced conversion, range 63", 19, 0xFF, "CTAVESAFrameRate1", "60 Hz native, ±63 Hz"},
        {"16 bits everywhere", 21, 0xFF, "CTAVESAColorDepth1",
         "16 bits per primary at the interface, 16 in the display device"},
        {"no additional primary", 23, 0x10, "CTAVESAAdditionalPrimaries1", "<none>"},
        {"three primaries, y6 low bits 3", 23, 0x33, "CTAVESAAdditionalPrimaries1",
         "0.1348, 0.2012 | 0.2656, 0.3320 | 0.3984, 0.4678"},
        {"black to white", 30, 0x7F, "CTAVESAResponseTime1", "127 ms, black to white"},
        {"overscan 15 % x 0 %", 31, 0xF0, "CTAVESAOverscan1", "15 % x 0 %"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d({with(kDisplayDevice, c.byte, c.value)});
        EXPECT_EQ(d.property(c.property), c.text);
        EXPECT_TRUE(d.faultKeys().empty());
    }
}

TEST(CTAVESABlocksTest, DisplayDeviceRules) {
    Bytes shortBlock(kDisplayDevice.begin(), kDisplayDevice.begin() + 8);
    const struct {
        const char* name;
        Bytes payload;
        Keys faults;
    } cases[] = {
        {"interface type 0Dh reserved", with(kDisplayDevice, 2, 0xD4), {"CTAVESAReservedValue"}},
        {"analog connector 3 reserved", with(kDisplayDevice, 2, 0x03), {"CTAVESAReservedValue"}},
        {"content protection 04h reserved",
         with(kDisplayDevice, 4, 0x04),
         {"CTAVESAReservedValue"}},
        {"min clock 63 MHz above max 62 MHz",
         with(with(kDisplayDevice, 5, 0xFC), 6, 0x3E),
         {"CTAVESAClockRange"}},
        {"min equal to max", with(with(kDisplayDevice, 5, 0x28), 6, 0x0A), {}},
        {"scan direction 3 reserved", with(kDisplayDevice, 12, 0x4B), {"CTAVESAReservedValue"}},
        {"sub-pixel layout 0Dh reserved", with(kDisplayDevice, 13, 0x0D), {"CTAVESAReservedValue"}},
        {"eight payload bytes: the height is missing", shortBlock, {"CTAVESADisplayDeviceLength"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d({c.payload});
        EXPECT_EQ(d.faultKeys(), c.faults);
    }
    // Fields past the end read as 0.
    EXPECT_EQ(Decoded({shortBlock}).withKey("CTAVESADisplayDeviceLength").at(0).getLevel(),
              libEDID::LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR);
    const Decoded shortDecoded({shortBlock});
    EXPECT_EQ(shortDecoded.property("CTAVESANativePixels1"), "1920 x 0");
    EXPECT_EQ(qor::Resource::getMissingKeys("libEDID").size(), 0u);
}

// Extended tag 3 carries bytes 1-4 and the descriptors of a video timing block extension.
TEST(CTAVESABlocksTest, VideoTimingBlock) {
    Bytes oneDTD{0x03, 0x01, 0x01, 0x00, 0x01};
    oneDTD.insert(oneDTD.end(), kDTD1080p.begin(), kDTD1080p.end());
    oneDTD.insert(oneDTD.end(), {0xD1, 0xC0});  // standard timing 1920 x 1080 at 60 Hz
    const Decoded d({oneDTD});
    ASSERT_TRUE(d.blocks().vesaVideoTimingBlock.has_value());
    const libEDID::VESAVideoTimingBlock& vtb = *d.blocks().vesaVideoTimingBlock;
    EXPECT_EQ(vtb.version, 1u);
    ASSERT_EQ(vtb.detailedTimings.size(), 1u);
    EXPECT_EQ(vtb.detailedTimings[0].hActive, 1920u);
    ASSERT_EQ(vtb.standardTimings.size(), 1u);
    EXPECT_EQ(vtb.standardTimings[0].height, 1080u);
    EXPECT_EQ(d.property("CTAVESAVideoTimingVersion1"), "1");
    EXPECT_EQ(d.property("CTAVESAVideoTimingCounts1"),
              "1 detailed timings, 0 CVT codes, 1 standard timings");
    EXPECT_EQ(d.property("CTAVESAVideoTimingModes1"),
              "1920 x 1080 @ 60.00Hz, 148.50 MHz | 1920 x 1080 @ 60Hz");
    EXPECT_TRUE(d.faultKeys().empty());

    const struct {
        const char* name;
        Bytes payload;
        Keys faults;
    } rules[] = {
        {"two detailed timings announced, one fits",
         with(oneDTD, 3, 0x02),
         {"CTAVESAVideoTimingOverflow"}},
        {"a detailed timing with clock 0",
         with(with(oneDTD, 6, 0), 7, 0),
         {"CTAVESAVideoTimingInvalidDetailed"}},
        {"only the extended tag", {0x03}, {}},
    };
    for (const auto& c : rules) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Decoded({c.payload}).faultKeys(), c.faults);
    }
}

// Extended tag 16 stays reserved; a second display device block is a repeat; with decoding
// off nothing of the VESA blocks is reported.
TEST(CTAVESABlocksTest, OtherTagsRepeatsAndDefaultParse) {
    const Decoded reserved({{16, 9}});
    ASSERT_EQ(reserved.withKey("CTAExtendedDataBlock").size(), 1u);
    EXPECT_EQ(Decoded({kDisplayDevice, kDisplayDevice}).faultKeys(), Keys{"CTADuplicateDataBlock"});
    const Decoded plain({kDisplayDevice}, false);
    EXPECT_EQ(plain.property("CTAVESAInterface1"), "<none>");
    EXPECT_TRUE(plain.parser.getCTABlocks().empty());
}

// The display model takes the native pixel format only when nothing else gives one: here the
// preferred timing (1920 x 1080) unless feature bit 1 says it is not the native format.
TEST(CTAVESABlocksTest, NativeResolutionInTheDisplayModel) {
    // 3840 x 2160: 0F00h and 0870h.
    const Bytes uhd = with(with(with(with(kDisplayDevice, 7, 0x00), 8, 0x0F), 9, 0x70), 10, 0x08);
    const Bytes noHeight = with(with(uhd, 9, 0), 10, 0);
    const struct {
        const char* name;
        Bytes edid;
        unsigned width;
        unsigned height;
    } cases[] = {
        {"preferred timing is native", ctaEdid({uhd}), 1920, 1080},
        {"preferred timing is not native", ctaEdid({uhd}, 0x08), 3840, 2160},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const libEDID::DisplayInfo info = libEDID::decodeDisplayInfo(c.edid);
        ASSERT_TRUE(info.nativeResolution.has_value());
        EXPECT_EQ(info.nativeResolution->width, c.width);
        EXPECT_EQ(info.nativeResolution->height, c.height);
    }
    EXPECT_FALSE(libEDID::decodeDisplayInfo(ctaEdid({noHeight}, 0x08)).nativeResolution);
}

// The byte map names both kinds: block 1 (from offset 128) holds the display device block (32
// bytes from its byte 4) and a video timing block of 6 payload bytes after it.
TEST(CTAVESABlocksTest, ByteMapNamesTheKinds) {
    const std::vector<libEDID::FieldRange> fields =
        libEDID::describeFields(ctaEdid({kDisplayDevice, {0x03, 0x01, 0x00, 0x00, 0x01, 0xD1}}));
    const struct {
        const char* name;
        unsigned offset;
        unsigned length;
    } expected[] = {
        {"cta.data-block-1.vesa-display-device.header", 132, 1},
        {"cta.data-block-1.vesa-display-device.payload", 133, 31},
        {"cta.data-block-2.vesa-video-timing-block.header", 164, 1},
        {"cta.data-block-2.vesa-video-timing-block.payload", 165, 6},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const auto found = std::find_if(fields.begin(), fields.end(), [&](const auto& f) {
            return f.block == 1 && f.field.find(e.name) != std::string::npos;
        });
        ASSERT_NE(found, fields.end());
        EXPECT_EQ(found->offset, e.offset);
        EXPECT_EQ(found->length, e.length);
    }
}

}  // namespace
