// The VESA display transfer characteristic data block (CTA-861 tag 5): byte 1 holds the usage
// (bits 7-6: white, red, green, blue) and the first point (bits 5-0), each further byte the
// increase to the next point, and full luminance (1023) closes the curve: 8, 16 or 32 points.
// Crafted blocks, every expected value worked out by hand from that layout.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "libEDID/CTA861.h"
#include "libEDID/EDIDLayout.h"
#include "qor/Resource.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Points = std::vector<std::uint16_t>;
using Keys = std::vector<std::string>;

// An EDID with one CTA-861 block whose collection holds the blocks `blocks`, each given from its
// tag byte on.
Bytes ctaEdid(const std::vector<Bytes>& blocks) {
    Bytes collection;
    for (const Bytes& block : blocks) {
        collection.insert(collection.end(), block.begin(), block.end());
    }
    Bytes cta{3, static_cast<std::uint8_t>(4 + collection.size()), 0};
    cta.insert(cta.end(), collection.begin(), collection.end());
    return edidtest::EdidBuilder().extensionBlock(0x02).extensionBytes(1, 1, cta).bytes();
}

// A tag-5 data block: the tag byte (A0h plus the length) before `payload`.
Bytes transferBlock(const Bytes& payload) {
    Bytes block{static_cast<std::uint8_t>(0xA0 | payload.size())};
    block.insert(block.end(), payload.begin(), payload.end());
    return block;
}

// Byte 1, then `count` increases of `step` each.
Bytes steps(std::uint8_t first, unsigned count, std::uint8_t step) {
    Bytes out{first};
    out.insert(out.end(), count, step);
    return out;
}

struct Decoded : edidtest::Parsed {
    explicit Decoded(const std::vector<Bytes>& blocks, bool decode = true)
        : Parsed(ctaEdid(blocks)) {
        parser.setDecodeExtensions(decode);
        EXPECT_TRUE(parse());
    }
    const libEDID::CTADataBlockCollection& blocks() const {
        return parser.getCTABlocks().at(0).dataBlocks;
    }
    std::string property(const std::string& name) const { return propertyText(name, "<none>"); }
};

TEST(CTAVESATransferTest, Points) {
    const struct {
        const char* name;
        Bytes payload;
        unsigned usage;
        Points points;
        Keys faults;
    } cases[] = {
        {"green, black at 2, 8 points",
         {0x82, 0x01, 0x02, 0x11, 0x12, 0x21, 0x22},
         2,
         {2, 3, 5, 22, 40, 73, 107, 1023},
         {}},
        {"white, black at 0, steps of 16",
         steps(0x00, 6, 0x10),
         0,
         {0, 16, 32, 48, 64, 80, 96, 1023},
         {}},
        {"red, 16 points from 5 in steps of 64",
         steps(0x45, 14, 0x40),
         1,
         {5, 69, 133, 197, 261, 325, 389, 453, 517, 581, 645, 709, 773, 837, 901, 1023},
         {}},
        {"blue, 32 points from 63 in steps of 32: the last stored point reaches 1023",
         steps(0xFF, 30, 0x20),
         3,
         {63,  95,  127, 159, 191, 223, 255, 287, 319, 351, 383, 415, 447, 479, 511,  543,
          575, 607, 639, 671, 703, 735, 767, 799, 831, 863, 895, 927, 959, 991, 1023, 1023},
         {}},
        {"steps of 255 climb past full luminance",
         steps(0x3F, 6, 0xFF),
         0,
         {63, 318, 573, 828, 1083, 1338, 1593, 1023},
         {"CTAVESATransferOverflow"}},
        {"length 8: 9 points",
         steps(0x00, 7, 0x01),
         0,
         {0, 1, 2, 3, 4, 5, 6, 7, 1023},
         {"CTAVESATransferLength"}},
        {"length 1: the first point only", {0x05}, 0, {5, 1023}, {"CTAVESATransferLength"}},
        {"empty block", {}, 0, {}, {"CTAVESATransferLength"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d({transferBlock(c.payload)});
        ASSERT_EQ(d.blocks().vesaTransferCharacteristics.size(), 1u);
        const libEDID::CTAVESATransferCharacteristic& t = d.blocks().vesaTransferCharacteristics[0];
        EXPECT_EQ(t.length, c.payload.size());
        EXPECT_EQ(t.usage, c.usage);
        EXPECT_EQ(t.points, c.points);
        EXPECT_EQ(d.faultKeys(), c.faults);
        EXPECT_TRUE(d.withKey("CTADataBlock").empty());
    }
}

// One block per primary: each is listed, none is a repeat.
TEST(CTAVESATransferTest, ReportOfThreePrimaries) {
    const Decoded d({transferBlock(steps(0x41, 6, 0x10)), transferBlock(steps(0x82, 6, 0x20)),
                     transferBlock(steps(0xC3, 6, 0x30))});
    EXPECT_EQ(d.property("CTAVESATransfer1"),
              "red, 8 points of 0-1023 (1, 17, 33, 49, 65, 81, 97, 1023) | "
              "green, 8 points of 0-1023 (2, 34, 66, 98, 130, 162, 194, 1023) | "
              "blue, 8 points of 0-1023 (3, 51, 99, 147, 195, 243, 291, 1023)");
    EXPECT_TRUE(d.faultKeys().empty());
    EXPECT_EQ(Decoded({transferBlock({})}).property("CTAVESATransfer1"), "None");
}

TEST(CTAVESATransferTest, FindingLevelsAndTexts) {
    // A 7-byte block (8 bytes with its tag byte) at offset 4, then a 2-byte one at offset 0Ch.
    const Decoded d({transferBlock(steps(0x3F, 6, 0xFF)), transferBlock({0x00, 0x01})});
    const struct {
        const char* key;
        const char* text;
    } cases[] = {
        {"CTAVESATransferOverflow",
         "Extension block 1: the points of the VESA display transfer characteristic data block "
         "at offset 04h climb to 1593, above full luminance (1023)"},
        {"CTAVESATransferLength",
         "Extension block 1: the VESA display transfer characteristic data block at offset 0Ch "
         "has the length 2; its layout has 7, 15 or 31 (8, 16 or 32 points)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const auto found = d.withKey(c.key);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].getLevel(), libEDID::LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR);
        EXPECT_EQ(found[0].getMesg().str(), c.text);
    }
    EXPECT_EQ(qor::Resource::getMissingKeys("libEDID").size(), 0u);
}

// With decoding off nothing is reported; the byte map names the kind.
TEST(CTAVESATransferTest, DefaultParseAndByteMap) {
    const Decoded plain({transferBlock(steps(0x00, 6, 0x10))}, false);
    EXPECT_EQ(plain.property("CTAVESATransfer1"), "<none>");
    EXPECT_TRUE(plain.parser.getCTABlocks().empty());

    const std::vector<libEDID::FieldRange> fields =
        libEDID::describeFields(ctaEdid({transferBlock(steps(0x00, 6, 0x10))}));
    const struct {
        const char* name;
        unsigned offset;
        unsigned length;
    } expected[] = {
        {"cta.data-block-1.vesa-transfer-characteristic.header", 132, 1},
        {"cta.data-block-1.vesa-transfer-characteristic.payload", 133, 7},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const auto field = std::find_if(fields.begin(), fields.end(), [&](const auto& f) {
            return f.block == 1 && f.field.find(e.name) != std::string::npos;
        });
        ASSERT_NE(field, fields.end());
        EXPECT_EQ(field->offset, e.offset);
        EXPECT_EQ(field->length, e.length);
    }
}

}  // namespace
