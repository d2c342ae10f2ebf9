// DisplayID extension blocks (tag 70h): the section rules, the data-block walk, and the bit
// layouts of the decoded data blocks, over crafted sections behind a valid base block.

#include <gtest/gtest.h>

#include <numeric>

#include "DisplayIDTestSupport.h"
#include "Templates.h"
#include "qor/Resource.h"

namespace {

using displayidtest::Bytes;
using displayidtest::dataBlock;
using displayidtest::Decoded;
using displayidtest::Keys;
using displayidtest::Section;
using displayidtest::timing;
using displayidtest::operator+;

const Bytes kProduct1x{'A', 'B', 'C', 0x34, 0x12, 0x2A, 0, 0, 0, 12, 19, 2, 'X', 'Y'};
const Bytes kPreferredTiming = timing(14849, 0x80, 1920, 280, 1080, 45);

TEST(DisplayIDVerifierTest, SectionRules) {
    const Bytes product = dataBlock(0x00, kProduct1x);
    const Bytes unnamed = dataBlock(0x03, timing(14849, 0x00, 1920, 280, 1080, 45));
    const struct {
        const char* name;
        Section section;
        Keys faults;
    } cases[] = {
        {"1.3 with product identification", {0x13, 3, product}, {}},
        {"1.3 with a preferred timing only", {0x13, 0, dataBlock(0x03, kPreferredTiming)}, {}},
        {"1.3 with neither", {0x13, 0, unnamed}, {"DisplayIDNotIdentified"}},
        {"2.0 needs neither", {0x20, 2, dataBlock(0x22, kPreferredTiming)}, {}},
        {"zero filler inside the payload", {0x13, 3, product, 121}, {}},
        {"section checksum off by one", {0x13, 3, product, -1, 1}, {"DisplayIDChecksumWrong"}},
        {"unknown version", {0x30, 0, product}, {"DisplayIDUnknownVersion"}},
        {"1.4 is not a known revision", {0x14, 3, product}, {"DisplayIDUnknownVersion"}},
        {"2.x tag in a 1.x section",
         {0x13, 3, product + dataBlock(0x29, Bytes(16))},
         {"DisplayIDReservedTag"}},
        {"1.x tag in a 2.x section",
         {0x20, 2, dataBlock(0x03, kPreferredTiming)},
         {"DisplayIDReservedTag"}},
        {"tag 80h is reserved", {0x20, 2, dataBlock(0x80, {1})}, {"DisplayIDReservedTag"}},
        {"payload past the block", {0x13, 3, product, 122}, {"DisplayIDPayloadBeyondBlock"}},
        {"block past the payload",
         {0x13, 3, product + dataBlock(0x7F, Bytes(8)), 20},
         {"DisplayIDDataBlockOverrun"}},
        {"block header past the payload",
         {0x13, 3, product + Bytes{0x7F, 0}, 19},
         {"DisplayIDDataBlockOverrun"}},
        {"short product identification",
         {0x13, 3, dataBlock(0x00, Bytes(11, 'A'))},
         {"DisplayIDDataBlockSize", "DisplayIDNotIdentified"}},
        {"timing block of 30 bytes",
         {0x13, 3, product + dataBlock(0x03, Bytes(30))},
         {"DisplayIDTimingBlockSize"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Decoded(c.section).faultKeys(), c.faults);
    }
    EXPECT_EQ(qor::Resource::getMissingKeys("libEDID").size(), 0u);
}

// Every tag and product type of each version family, so that every label is looked up.
TEST(DisplayIDVerifierTest, EveryLabelLookedUpHasAText) {
    for (const std::uint8_t version : {0x13, 0x21, 0x30}) {
        for (unsigned value = 0; value < 256; ++value) {
            const auto byte = static_cast<std::uint8_t>(value);
            Decoded(Section{version, byte, dataBlock(byte, Bytes(29, byte))});
        }
    }
    const std::vector<qor::String> missing = qor::Resource::getMissingKeys("libEDID");
    EXPECT_TRUE(missing.empty()) << "first missing key: " << missing.front().str();
}

// Properties ("#Key": the label of Key) and the finding, if any, of sections that each hold one
// data block that is decoded: an overrunning block and those after it are not.
TEST(DisplayIDVerifierTest, DecodedDataBlocks) {
    const Bytes vendor1x = dataBlock(0x7F, {1, 2, 3}), vendor2x = dataBlock(0x7E, {1, 2, 3});
    const struct {
        Section section;
        std::vector<std::pair<std::string, std::string>> properties;
        const char* fault = nullptr;
    } cases[] = {
        // Type VII: 1 kHz units, all 24 clock bits; bit 4 interlaced.
        {{0x20, 2, dataBlock(0x22, timing(0x09A52F, 0x10, 1920, 160, 1080, 84))},
         {{"DisplayIDTimings1", "1920 x 1080 @ 261.08Hz, 632.11 MHz, interlaced"}}},
        {{0x13, 3, dataBlock(0x00, kProduct1x)},
         {{"DisplayIDProduct1", "ABC, product 1234h, serial 0000002Ah, week 12 of 2019, \"XY\""}}},
        // 2.x product: OUI, model year; tiled topology: 6-bit fields.
        {{0x20, 2, dataBlock(0x20, {0x84, 0x8A, 0x59, 0x8E, 0, 1, 2, 3, 4, 0xFF, 23, 0})},
         {{"DisplayIDProduct1", "84-8A-59, product 008Eh, serial 04030201h, model year 2023"}}},
        {{0x20, 2,
          dataBlock(0x28, Bytes{0x00, 0xF1, 0x2F, 0xB6, 0x7F, 0x07, 0x37, 0x04} + Bytes(14))},
         {{"DisplayIDTiledTopology1", "48 x 50 tiles of 1920 x 1080 at 18, 47"}}},
        {{0x13, 3,
          dataBlock(0x00, kProduct1x) + dataBlock(0x7F, Bytes(50)) +
              dataBlock(0x03, kPreferredTiming),
          40},
         {{"DisplayIDDataBlocks1", "00h, 14 bytes"}, {"DisplayIDTimings1", "<none>"}},
         "DisplayIDDataBlockOverrun"},
        // Product types of each family, and one past the last defined one.
        {{0x12, 6, vendor1x},
         {{"DisplayIDVersion1", "1.2"}, {"DisplayIDProductType1", "#DisplayIDTypeDirectDrive"}},
         "DisplayIDNotIdentified"},
        {{0x13, 7, vendor1x},
         {{"DisplayIDVersion1", "1.3"}, {"DisplayIDProductType1", "#UnknownReserved"}},
         "DisplayIDNotIdentified"},
        {{0x21, 8, vendor2x},
         {{"DisplayIDVersion1", "2.1"}, {"DisplayIDProductType1", "#DisplayIDUseARHeadset"}}},
        {{0x20, 9, vendor2x},
         {{"DisplayIDVersion1", "2.0"}, {"DisplayIDProductType1", "#UnknownReserved"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.properties[0].second);
        const Decoded run(c.section);
        for (const auto& [name, value] : c.properties) {
            EXPECT_EQ(run.property(name),
                      value.starts_with("#") ? edidtest::label(value.substr(1)) : value);
        }
        EXPECT_EQ(run.faultKeys(), c.fault == nullptr ? Keys{} : Keys{c.fault});
        const std::vector<libEDID::DisplayIDSection>& sections = run.parser.getDisplayIDBlocks();
        ASSERT_EQ(sections.size(), 1u);
        EXPECT_EQ(sections[0].dataBlocks.size(), 1u);
        EXPECT_TRUE(sections[0].checksumValid);
    }
}

// The further kinds: each payload written from the block's layout, the value line's property
// and the findings. The 1.x sections carry a product block so that only the block's own
// findings remain.
TEST(DisplayIDVerifierTest, FurtherDataBlocks) {
    const Bytes product = dataBlock(0x00, kProduct1x);
    Bytes container(16);
    std::iota(container.begin(), container.end(), std::uint8_t{0});
    const struct {
        const char* what;
        Section section;
        std::string property;
        std::string value;
        Keys faults = {};
    } cases[] = {
        // Interface: type 0Ah, 4 links; version 1.4; depths; HDCP 2.0; down spread 0.5 %.
        {"display interface",
         {0x13, 3,
          product + dataBlock(0x0F, {0xA4, 0x14, 0x0E, 0x0E, 0x07, 0x01, 0x20, 0x45, 0, 0})},
         "DisplayIDInterface1",
         "DisplayPort, 4 links, version 1.4, RGB 8/10/12 bpc, YCbCr 4:4:4 8/10/12 bpc, "
         "YCbCr 4:2:2 8/10/12 bpc, HDCP 2.0, down spread 0.5%"},
        {"display interface of reserved type and protection",
         {0x13, 3, product + dataBlock(0x0F, {0xC1, 0x10, 0, 0, 0, 0x04, 0, 0})},
         "DisplayIDInterface1",
         "Unknown or reserved, 1 links, version 1.0",
         {"DisplayIDReservedValue", "DisplayIDReservedValue"}},
        {"display interface too short",
         {0x13, 3, product + dataBlock(0x0F, {0xA4, 0x14})},
         "DisplayIDInterface1",
         "<none>",
         {"DisplayIDDataBlockSize"}},
        // Colour: 3 primaries and 1 white point of 12-bit x, y.
        {"colour characteristics",
         {0x13, 3,
          product + dataBlock(0x02, {0x31, 0xF8, 0x8A, 0x4E, 0x08, 0x13, 0xB3, 0x58, 0x32, 0x0D,
                                     0x01, 0x45, 0x54})},
         "DisplayIDColor1",
         "spatial, primaries (0.6855, 0.3066) (0.1895, 0.6995) (0.1465, 0.0515), "
         "white (0.3127, 0.3291)"},
        {"colour characteristics with a point missing",
         {0x13, 3, product + dataBlock(0x02, {0x91, 0x00, 0x08, 0x80})},
         "DisplayIDColor1",
         "temporal, primaries (0.5000, 0.5000), white",
         {"DisplayIDDataBlockSize"}},
        // Bitmaps: bit 0 of byte 0 is DMT ID 01h and VIC 1.
        {"VESA timings",
         {0x13, 3,
          product + dataBlock(0x07, {0x08, 0x81, 0x00, 0x08, 0x04, 0, 0x04, 0x02, 0x10, 0})},
         "DisplayIDDMTTimings1",
         "DMT 04h: 640 x 480 @ 60Hz | DMT 09h: 800 x 600 @ 60Hz | DMT 10h: 1024 x 768 @ 60Hz | "
         "DMT 1Ch: 1280 x 800 @ 60Hz | DMT 23h: 1280 x 1024 @ 60Hz | DMT 33h: 1600 x 1200 @ 60Hz | "
         "DMT 3Ah: 1680 x 1050 @ 60Hz | DMT 45h: 1920 x 1200 @ 60Hz"},
        {"VESA timings, reduced blanking and interlaced",
         {0x13, 3, product + dataBlock(0x07, {0x00, 0x50})},
         "DisplayIDDMTTimings1",
         "DMT 0Dh: 800 x 600 @ 120Hz RB | DMT 0Fh: 1024 x 768 @ 43Hz (I)"},
        {"CTA-861 timings",
         {0x13, 3, product + dataBlock(0x08, {0x01, 0x80})},
         "DisplayIDCTATimings1",
         "VIC 1: 640 x 480 @ 60Hz | VIC 16: 1920 x 1080 @ 60Hz"},
        {"serial number",
         {0x13, 3, product + dataBlock(0x0A, {'S', 'N', '1', 0})},
         "DisplayIDSerial1",
         "SN1"},
        {"string",
         {0x13, 3, product + dataBlock(0x0B, {'H', 'i', 0x01, '\n'})},
         "DisplayIDString1",
         "Hi?"},
        {"1.x vendor block",
         {0x13, 3, product + dataBlock(0x7F, {0xFA, 0x10, 0x00, 0x01})},
         "DisplayIDVendor1",
         "OUI 00-10-FA (Apple, Inc.), 4 bytes"},
        // Dynamic range: clocks in kHz minus one (3 bytes each), refresh min and max, flags.
        {"dynamic range limits",
         {0x20, 2, dataBlock(0x25, {0x8F, 0xFF, 0x10, 0x8F, 0xFF, 0x10, 0x3C, 0x78, 0x80})},
         "DisplayIDDynamicRange1",
         "1114000-1114000 kHz, 60-120 Hz, seamless"},
        {"dynamic range limits, revision 1 with refresh bits 9-8",
         {0x20, 2, dataBlock(0x25, {0, 0, 0, 0xFF, 0xFF, 0, 0x90, 0x2C, 0x01}, 1)},
         "DisplayIDDynamicRange1",
         "1-65536 kHz, 144-300 Hz"},
        {"dynamic range limits inverted",
         {0x20, 2, dataBlock(0x25, {0, 0, 0, 0, 0, 0, 0x78, 0x3C, 0})},
         "DisplayIDDynamicRange1",
         "1-1 kHz, 120-60 Hz",
         {"DisplayIDRangeInverted"}},
        // Adaptive sync: flags, increase, minimum, maximum - 1 (10 bits), decrease.
        {"adaptive sync",
         {0x20, 2, dataBlock(0x2B, {0x27, 0x00, 0x3C, 0x8F, 0x00, 0x00})},
         "DisplayIDAdaptiveSync1",
         "60-144 Hz, native panel range, flags 27h"},
        {"adaptive sync of 7 bytes, 10-bit maximum",
         {0x20, 2, dataBlock(0x2B, {0x00, 0x00, 0x30, 0x2B, 0x01, 0x00, 0xAA})},
         "DisplayIDAdaptiveSync1",
         "48-300 Hz, flags 00h",
         {"DisplayIDTimingBlockSize"}},
        {"interface features",
         {0x20, 2, dataBlock(0x26, {0x02, 0, 0, 0, 0, 0, 0, 0, 0})},
         "DisplayIDInterfaceFeatures1",
         "RGB 8 bpc"},
        {"interface features with 4:2:0 and audio",
         {0x20, 2, dataBlock(0x26, {0x3F, 0, 0x03, 0x04, 0x02, 0xE0, 0, 0, 0})},
         "DisplayIDInterfaceFeatures1",
         "RGB 6/8/10/12/14/16 bpc, YCbCr 4:2:2 8/10 bpc, YCbCr 4:2:0 12 bpc from 148 MHz, "
         "audio 48/44.1/32 kHz"},
        {"interface features with audio only",
         {0x20, 2, dataBlock(0x26, {0, 0, 0, 0, 0, 0x20, 0, 0, 0})},
         "DisplayIDInterfaceFeatures1",
         "audio 48 kHz"},
        {"container ID",
         {0x20, 2, dataBlock(0x29, container)},
         "DisplayIDContainerID1",
         "00010203-0405-0607-0809-0A0B0C0D0E0F"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Decoded run(c.section);
        EXPECT_EQ(run.property(c.property), c.value);
        EXPECT_EQ(run.faultKeys(), c.faults);
    }
}

// A kind that is not decoded keeps a level-0 report of its tag and length; a reserved tag does
// not get it.
TEST(DisplayIDVerifierTest, KindsNotDecodedAreReported) {
    const Decoded headMounted(Section{0x21, 7, dataBlock(0x2C, Bytes(11))});
    const auto reports = headMounted.withKey("DisplayIDDataBlockNotDecoded");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].getLevel(), 0);
    EXPECT_EQ(reports[0].getMesg().str(),
              "DisplayID block 1: data block 2Ch of 11 bytes is not decoded");
    const Decoded reserved(Section{0x20, 2, dataBlock(0x80, {1})});
    EXPECT_TRUE(reserved.withKey("DisplayIDDataBlockNotDecoded").empty());
}

}  // namespace
