// CTA-861 extension blocks as a whole: the header by revision, the offset of the detailed
// timings, the padding after them, their numbering across blocks, the decoded blocks of the
// public interface, and the default parse that decodes nothing.

#include "CTAVerifierTestSupport.h"

namespace ctatest {
namespace {

// 1920 x 1080 at 148.5 MHz: a detailed timing descriptor.
const Bytes kTiming{0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58,
                    0x2C, 0x45, 0x00, 0xFE, 0x1F, 0x11, 0x00, 0x00, 0x1E};

Bytes concat(std::vector<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// Byte 1 is the revision and byte 2 the DTD offset: 0 (nothing after the header, so the bytes
// there are padding) or 4-127; 1-3 and beyond the block are errors that stop the decoding of the
// block. Byte 3 holds underscan, basic audio, 4:4:4, 4:2:2 (bits 7-4) and the native count from
// revision 2 on; revision 1 has no flags and neither 1 nor 2 has data blocks. Other revisions
// are decoded as 3 after a warning.
TEST(CTABlockTest, Header) {
    const struct {
        std::uint8_t revision, offset, flags;
        const char* flagValues;  // underscan, audio, 4:4:4, 4:2:2, native count; "-" absent
        bool videoFormats;
        const char* finding = nullptr;  // the one finding's key, and its level
        int level = 0;
    } cases[] = {
        {1, 6, 0xF2, "- - - - -", false},
        {2, 6, 0xA3, "Y N Y N 3", false},
        {3, 6, 0x5F, "N Y N Y 15", true},
        {0, 6, 0x00, "N N N N 0", true, "CTAUnknownRevision", 1},
        {4, 6, 0xF0, "Y Y Y Y 0", true, "CTAUnknownRevision", 1},
        {3, 0, 0x00, "N N N N 0", false, "CTANonZeroPadding", 1},
        {3, 1, 0x00, "N N N N 0", false, "CTAInvalidDTDOffset", 2},
        {3, 3, 0x00, "N N N N 0", false, "CTAInvalidDTDOffset", 2},
        {3, 4, 0x00, "N N N N 0", false},
        {3, 127, 0x00, "N N N N 0", true},
        {3, 128, 0x00, "N N N N 0", false, "CTAInvalidDTDOffset", 2},
        {3, 255, 0x00, "N N N N 0", false, "CTAInvalidDTDOffset", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.revision) + " " + std::to_string(c.offset));
        const Decoded r({ctaBlock(c.revision, c.offset, c.flags, {0x41, 0x10})});
        EXPECT_EQ(r.property("CTARevision1"), std::to_string(c.revision));
        std::string flags;
        for (const char* name :
             {"CTAUnderscan1", "CTABasicAudio1", "CTAYCbCr4441", "CTAYCbCr4221"}) {
            const std::string value = r.property(name);
            flags += value == label("Yes") ? "Y " : value == label("No") ? "N " : value + " ";
        }
        EXPECT_EQ(flags + r.property("CTANativeDTDs1"), c.flagValues);
        EXPECT_EQ(r.property("CTAVideoFormats1") != "-", c.videoFormats);
        EXPECT_EQ(r.faultKeys(), c.finding == nullptr ? Texts{} : Texts{c.finding});
        if (c.finding != nullptr) {
            r.texts(c.finding, c.level);  // checks the level and the category
        }
    }
}

// Timings follow the collection until a zero pixel clock or the checksum; the bytes after the
// last one must be 00h (one warning per block, at the first other byte).
TEST(CTABlockTest, TimingsAndPadding) {
    const struct {
        const char* what;
        Bytes block;
        unsigned timings;
        const char* padding;  // "offset value" of the warning, or ""
    } cases[] = {
        {"two timings, clean", ctaBlock(3, 4, 0, concat({kTiming, kTiming})), 2, ""},
        {"one timing, stray byte", concat({ctaBlock(3, 4, 0, kTiming), {0, 0, 0, 0x20}}), 1,
         "19h 20h"},
        {"nothing after the header", ctaBlock(3, 0, 0, {0x00, 0x41}), 0, "05h 41h"},
        {"six timings fill the block",
         ctaBlock(3, 18, 0,
                  concat({Bytes(14, 0), kTiming, kTiming, kTiming, kTiming, kTiming, kTiming})),
         6, ""},
        {"a dummy descriptor is skipped",
         ctaBlock(3, 4, 0, concat({kTiming, {0, 0, 0, 0x10}, Bytes(14, 0), kTiming})), 2, ""},
        {"a zero clock ends them", ctaBlock(3, 4, 0, concat({kTiming, Bytes(18, 0), kTiming})), 1,
         "28h 02h"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Decoded r({c.block});
        ASSERT_EQ(r.parser.getCTABlocks().size(), 1u);
        EXPECT_EQ(r.parser.getCTABlocks()[0].detailedTimings.size(), c.timings);
        for (unsigned slot = 4; slot < 11; ++slot) {
            EXPECT_EQ(r.property("PixelClock" + std::to_string(slot)) != "-", slot < 4 + c.timings)
                << slot;
        }
        const std::string padding(c.padding);
        EXPECT_EQ(r.texts("CTANonZeroPadding", 1),
                  padding.empty() ? Texts{}
                                  : Texts{"Extension block 1: byte " + padding.substr(0, 3) +
                                          " after the last detailed timing is " +
                                          padding.substr(4) + ", 00h expected"});
    }
}

// Slots go on from the base block's four across every CTA block; other blocks are skipped.
TEST(CTABlockTest, TimingsNumberedAcrossBlocks) {
    EdidBuilder builder = edidWith({ctaBlock(3, 4, 0, concat({kTiming, kTiming}))});
    builder.extensionBlock(0x10).extensionBlock(0x02).extensionBytes(
        3, 0, ctaBlock(3, 5, 0, concat({{0x40}, kTiming})));
    edidtest::Parsed r(builder.bytes());
    r.parser.setDecodeExtensions(true);
    ASSERT_TRUE(r.parse());
    for (const char* name : {"PixelClock0", "PixelClock4", "PixelClock5", "PixelClock6",
                             "CTARevision1", "CTARevision3", "CTAVideoFormats3"}) {
        EXPECT_NE(r.observer->find(name), nullptr) << name;
    }
    for (const char* name : {"PixelClock7", "CTARevision2"}) {
        EXPECT_EQ(r.observer->find(name), nullptr) << name;
    }
    const auto& blocks = r.parser.getCTABlocks();
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].blockNumber * 10 + blocks[1].blockNumber, 13u);
    // The section of each block starts with its heading, before its first property.
    EXPECT_EQ(r.withKey("CTABlockHeading").size(), 2u);
}

// The decoded numbers reach a C++ caller; a parse without decoding, or a second parse, leaves
// no stale blocks.
TEST(CTABlockTest, DecodedBlocksThroughThePublicInterface) {
    const Bytes collection{0x42, 0x90, 0x04, 0x67, 0x03, 0x0C, 0x00, 0x10, 0x00,
                           0x00, 0x78, 0xE6, 0x06, 0x05, 0x01, 0x60, 0x00, 0x33};
    Decoded r({withCollection(collection)});
    ASSERT_EQ(r.parser.getCTABlocks().size(), 1u);
    const libEDID::CTABlock& block = r.parser.getCTABlocks()[0];
    EXPECT_EQ(block.revision, 3);
    EXPECT_EQ(block.dtdOffset, 4 + collection.size());
    const libEDID::CTADataBlockCollection& data = block.dataBlocks;
    ASSERT_EQ(data.videoFormats.size(), 2u);
    EXPECT_EQ(data.videoFormats[0].vic, 16);
    EXPECT_TRUE(data.videoFormats[0].native);
    EXPECT_EQ(data.videoFormats[1].vic, 4);
    EXPECT_FALSE(data.videoFormats[1].native);
    ASSERT_TRUE(data.hdmi.has_value());
    EXPECT_EQ(data.hdmi->physicalAddress, 0x1000);
    EXPECT_EQ(data.hdmi->maxTMDSClock, 600u);
    ASSERT_TRUE(data.hdrStaticMetadata.has_value());
    EXPECT_NEAR(*data.hdrStaticMetadata->minLuminance, 0.16, 1e-9);
    ASSERT_EQ(data.blocks.size(), 3u);
    EXPECT_EQ(data.blocks[1].kind, libEDID::CTADataBlockKind::HDMI);
    EXPECT_EQ(data.blocks[2].offset, 11u);

    ASSERT_TRUE(r.parser.parseEDID(false));
    EXPECT_EQ(r.parser.getCTABlocks().size(), 1u);
    r.parser.setDecodeExtensions(false);
    ASSERT_TRUE(r.parser.parseEDID(false));
    EXPECT_TRUE(r.parser.getCTABlocks().empty());
}

}  // namespace
}  // namespace ctatest
