// The byte-range map of an EDID (describeFields), the bytes that messages concern, and the
// gamut coverage figures, checked against values worked out by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "libEDID/ColorGamut.h"
#include "libEDID/EDIDAccessorBuffer.h"
#include "libEDID/EDIDLayout.h"
#include "libEDID/EDIDParser.h"

namespace {

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::filesystem::path kEdids = std::filesystem::path(TEST_DATA_DIR) / "edid";

const libEDID::FieldRange* findField(const std::vector<libEDID::FieldRange>& fields,
                                     const std::string& name) {
    for (const libEDID::FieldRange& field : fields) {
        if (field.field == name) {
            return &field;
        }
    }
    return nullptr;
}

// Every byte of every whole block belongs to exactly one field, in order, in its own block.
TEST(EDIDLayoutTest, FieldsCoverEveryByteOfEveryTestEdidOnce) {
    unsigned files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kEdids)) {
        if (entry.path().extension() != ".bin") {
            continue;
        }
        ++files;
        const std::vector<std::uint8_t> edid = readFile(entry.path());
        const std::vector<libEDID::FieldRange> fields = libEDID::describeFields(edid);
        unsigned next = 0;
        for (const libEDID::FieldRange& field : fields) {
            ASSERT_EQ(field.offset, next) << entry.path().filename() << " " << field.field;
            ASSERT_GT(field.length, 0U) << entry.path().filename() << " " << field.field;
            EXPECT_EQ(field.block, field.offset / 128) << field.field;
            EXPECT_EQ(field.block, (field.offset + field.length - 1) / 128) << field.field;
            EXPECT_FALSE(field.section.empty());
            next += field.length;
        }
        EXPECT_EQ(next, edid.size() / 128 * 128) << entry.path().filename();
    }
    EXPECT_GT(files, 50U);
}

struct ExpectedField {
    const char* name;
    unsigned offset;
    unsigned length;
    const char* section;
};

// Each expected field is in `fields`, at its offset and length, in its section.
template <std::size_t N>
void expectFields(const std::vector<libEDID::FieldRange>& fields,
                  const std::array<ExpectedField, N>& expected) {
    for (const ExpectedField& want : expected) {
        const libEDID::FieldRange* got = findField(fields, want.name);
        ASSERT_NE(got, nullptr) << want.name;
        EXPECT_EQ(got->offset, want.offset) << want.name;
        EXPECT_EQ(got->length, want.length) << want.name;
        EXPECT_EQ(got->section, want.section) << want.name;
    }
}

// Offsets of the base block as the E-EDID layout defines them; the sample holds a detailed
// timing in slot 1, range limits (FDh) in slot 2, a serial number (FFh) in slot 3 and a
// product name (FCh) in slot 4.
TEST(EDIDLayoutTest, BaseBlockFieldsLieWhereTheStandardPutsThem) {
    const std::vector<libEDID::FieldRange> fields =
        libEDID::describeFields(readFile(kEdids / "ACI-17D5-1.3-analog-83c8d582.bin"));
    const std::array<ExpectedField, 14> expected{{
        {"header", 0x00, 8, "header"},
        {"manufacturer-id", 0x08, 2, "vendor-product"},
        {"serial-number", 0x0C, 4, "vendor-product"},
        {"year", 0x11, 1, "vendor-product"},
        {"gamma", 0x17, 1, "basic-parameters"},
        {"red-green-low-bits", 0x19, 1, "chromaticity"},
        {"white-y", 0x22, 1, "chromaticity"},
        {"standard-timing-1", 0x26, 2, "standard-timings"},
        {"standard-timing-8", 0x34, 2, "standard-timings"},
        {"descriptor-1.pixel-clock", 0x36, 2, "detailed-timing"},
        {"descriptor-1.flags", 0x47, 1, "detailed-timing"},
        {"descriptor-2.range-limits", 0x4D, 13, "display-descriptor"},
        {"descriptor-4.product-name", 0x71, 13, "display-descriptor"},
        {"checksum", 0x7F, 1, "checksum"},
    }};
    expectFields(fields, expected);
}

// A CTA-861 block: header bytes 0-3, the data block collection from byte 4, detailed timings
// from the offset in byte 2, 18 bytes each.
TEST(EDIDLayoutTest, CTABlockFieldsFollowTheDTDOffset) {
    const std::vector<std::uint8_t> edid = readFile(kEdids / "GSM-5BD3-1.4-digital-3be1544c.bin");
    const std::vector<libEDID::FieldRange> fields = libEDID::describeFields(edid);
    const unsigned dtdOffset = edid[128 + 2];
    ASSERT_GT(dtdOffset, 4U);
    const libEDID::FieldRange* timing =
        findField(fields, "block-1.cta.detailed-timing-1.pixel-clock");
    ASSERT_NE(timing, nullptr);
    EXPECT_EQ(timing->offset, 128 + dtdOffset);
    EXPECT_EQ(timing->section, "cta-detailed-timing");
    const libEDID::FieldRange* revision = findField(fields, "block-1.cta.revision");
    ASSERT_NE(revision, nullptr);
    EXPECT_EQ(revision->offset, 129U);
    // The first data block starts right after the header, whatever its kind.
    const auto firstData = std::find_if(fields.begin(), fields.end(), [](const auto& field) {
        return field.section == "cta-data-block";
    });
    ASSERT_NE(firstData, fields.end());
    EXPECT_EQ(firstData->offset, 132U);
}

// Blocks beyond the count in byte 7Eh (as an HF-EEODB announces them) are mapped too: a CTA-861
// block whose only data block is the HF-EEODB (extended tag 78h) and a block map (F0h).
TEST(EDIDLayoutTest, BlocksBeyondTheBaseCountAndNewerKindsAreNamed) {
    std::vector<std::uint8_t> edid(384, 0);
    edid[0x7E] = 1;
    const std::array<std::uint8_t, 7> cta{0x02, 0x03, 7, 0, 0xE2, 0x78, 3};
    std::copy(cta.begin(), cta.end(), edid.begin() + 128);
    edid[256] = 0xF0;
    edid[257] = 0x02;
    const std::vector<libEDID::FieldRange> fields = libEDID::describeFields(edid);
    const std::array<ExpectedField, 5> expected{{
        {"block-1.cta.data-block-1.hf-eeodb.header", 132, 1, "cta-data-block"},
        {"block-1.cta.data-block-1.hf-eeodb.payload", 133, 2, "cta-data-block"},
        {"block-1.cta.padding", 135, 120, "cta-padding"},
        {"block-2.block-map.tags", 257, 126, "extension"},
        {"block-2.checksum", 383, 1, "checksum"},
    }};
    expectFields(fields, expected);
}

// A DisplayID 1.2 section with one 3-byte string block (tag 0Bh): header bytes 1-4, the data
// block at 5 (3 header bytes, payload 8-10), the section checksum at 11, filler to 126.
TEST(EDIDLayoutTest, DisplayIDSectionFieldsFollowItsDataBlocks) {
    std::vector<std::uint8_t> edid(256, 0);
    edid[0x7E] = 1;
    const std::array<std::uint8_t, 11> section{0x70, 0x12, 6, 0, 0, 0x0B, 0, 3, 'a', 'b', 'c'};
    std::copy(section.begin(), section.end(), edid.begin() + 128);
    const std::vector<libEDID::FieldRange> fields = libEDID::describeFields(edid);
    const std::array<ExpectedField, 6> expected{{
        {"block-1.displayid.payload-length", 130, 1, "displayid-header"},
        {"block-1.displayid.data-block-1.string.header", 133, 3, "displayid-data-block"},
        {"block-1.displayid.data-block-1.string.payload", 136, 3, "displayid-data-block"},
        {"block-1.displayid.section-checksum", 139, 1, "displayid-header"},
        {"block-1.displayid.padding", 140, 115, "displayid-padding"},
        {"block-1.checksum", 255, 1, "checksum"},
    }};
    expectFields(fields, expected);
}

// Bytes after the last whole block, and a buffer shorter than a block, describe nothing.
TEST(EDIDLayoutTest, PartialBlocksAreNotDescribed) {
    EXPECT_TRUE(libEDID::describeFields(std::vector<std::uint8_t>(127, 0)).empty());
    const auto fields = libEDID::describeFields(std::vector<std::uint8_t>(200, 0xFF));
    ASSERT_FALSE(fields.empty());
    EXPECT_EQ(fields.back().offset + fields.back().length, 128U);
}

// A finding carries the bytes of the section its verifier judged: a wrong header byte the
// header's 8 bytes, a broken checksum the block's last byte.
TEST(MessageBytesTest, FindingsNameTheBytesOfTheirSection) {
    std::vector<std::uint8_t> edid = readFile(kEdids / "ACI-17D5-1.3-analog-83c8d582.bin");
    edid[1] = 0x00;  // header byte 1 must be FFh; the checksum is now off as well
    const libEDID::EDIDAccessorHandle accessor = libEDID::makeAccessor<libEDID::EDIDAccessorBuffer>(
        reinterpret_cast<const char*>(edid.data()), static_cast<unsigned>(edid.size()));
    libEDID::EDIDParser parser(accessor);
    ASSERT_TRUE(parser.verifyChecksum(false));
    ASSERT_TRUE(parser.parseEDID(false));
    bool sawHeader = false;
    bool sawChecksum = false;
    for (const libEDID::LibEDIDLog& message : parser.getMessages()) {
        const auto bytes = message.getBytes();
        if (message.getKey().str() == "InvalidHeader") {
            sawHeader = true;
            EXPECT_EQ(bytes.offset, 0);
            EXPECT_EQ(bytes.length, 8);
        } else if (message.getKey().str() == "ChecksumError") {
            sawChecksum = true;
            EXPECT_EQ(bytes.offset, 127);
            EXPECT_EQ(bytes.length, 1);
        }
    }
    EXPECT_TRUE(sawHeader);
    EXPECT_TRUE(sawChecksum);
}

constexpr libEDID::ColorPrimaries kSRGB{{0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}, {0.3127, 0.329}};

struct CoverageCase {
    const char* what;
    libEDID::ColorPrimaries display;
    libEDID::ColorPrimaries reference;
    double share;
};

// Worked out by hand with the shoelace formula: sRGB's triangle has twice-area 0.2241,
// BT.2020's 0.423733, and sRGB lies inside BT.2020.
TEST(GamutCoverageTest, SharesOfHandWorkedTriangles) {
    const libEDID::ColorPrimaries bt2020{{0.708, 0.292}, {0.170, 0.797}, {0.131, 0.046}, {}};
    const libEDID::ColorPrimaries unit{{0, 0}, {1, 0}, {0, 1}, {}};
    const libEDID::ColorPrimaries shifted{{0.5, 0}, {1.5, 0}, {0.5, 1}, {}};
    const libEDID::ColorPrimaries clockwise{{0.15, 0.06}, {0.30, 0.60}, {0.64, 0.33}, {}};
    const libEDID::ColorPrimaries flat{{0.1, 0.1}, {0.2, 0.2}, {0.3, 0.3}, {}};
    const std::array<CoverageCase, 6> cases{{
        {"sRGB of itself", kSRGB, kSRGB, 1.0},
        {"BT.2020 of sRGB (contains it)", bt2020, kSRGB, 1.0},
        {"sRGB of BT.2020", kSRGB, bt2020, 0.2241 / 0.423733},
        {"half-overlapping triangles", shifted, unit, 0.25},
        {"corners in the other order", clockwise, kSRGB, 1.0},
        {"a display without area", flat, kSRGB, 0.0},
    }};
    for (const CoverageCase& c : cases) {
        EXPECT_NEAR(libEDID::gamutCoverage(c.display, c.reference), c.share, 1e-9) << c.what;
    }
}

// A wide-gamut laptop panel (P3 primaries, 10-bit coded): it holds nearly all of sRGB and
// of DCI-P3. Its red 0.6797, 0.3203 / green 0.2646, 0.6904 sit just inside P3's 0.680, 0.320 /
// 0.265, 0.690; its blue 0.1504, 0.0527 lies a little below P3's 0.150, 0.060.
TEST(GamutCoverageTest, WideGamutPanel) {
    const std::vector<std::uint8_t> edid = readFile(kEdids / "APP-A044-1.4-digital-db12971d.bin");
    const libEDID::ColorPrimaries panel =
        libEDID::primariesOf(libEDID::decodeDisplayInfo(edid).chromaticity);
    EXPECT_NEAR(panel.red.x, 0.6797, 1e-4);
    EXPECT_NEAR(panel.red.y, 0.3203, 1e-4);
    EXPECT_NEAR(panel.green.x, 0.2646, 1e-4);
    EXPECT_NEAR(panel.green.y, 0.6904, 1e-4);
    const auto references = libEDID::referenceGamuts();
    ASSERT_EQ(references.size(), 3U);
    EXPECT_STREQ(references[0].name, "srgb");
    // Its blue x (0.1504) lies a hair right of sRGB's 0.150: a sliver of sRGB stays outside.
    EXPECT_GT(libEDID::gamutCoverage(panel, references[0].primaries), 0.999);
    const double p3 = libEDID::gamutCoverage(panel, references[1].primaries);
    EXPECT_GT(p3, 0.99);
    EXPECT_LT(p3, 1.0);
}

// The locus runs from 380 to 700 nm in 5 nm steps and starts and ends at the published
// chromaticities (0.1741, 0.0050) and (0.7347, 0.2653).
TEST(GamutCoverageTest, SpectralLocusEnds) {
    const auto locus = libEDID::spectralLocus();
    ASSERT_EQ(locus.size(), 65U);
    EXPECT_EQ(locus.front().nanometres, 380U);
    EXPECT_EQ(locus.back().nanometres, 700U);
    EXPECT_NEAR(locus.front().xy.x, 0.1741, 1e-9);
    EXPECT_NEAR(locus.front().xy.y, 0.0050, 1e-9);
    EXPECT_NEAR(locus.back().xy.x, 0.7347, 1e-9);
    EXPECT_NEAR(locus.back().xy.y, 0.2653, 1e-9);
    // Around 520 nm the locus reaches its top, y = 0.8338.
    EXPECT_NEAR(locus[(520 - 380) / 5].xy.y, 0.8338, 1e-9);
}

}  // namespace
