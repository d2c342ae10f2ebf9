// HF-EEODB end to end: the parser reads as many extension blocks as the override in the first
// CTA-861 block announces when decoding is on, and exactly what byte 7Eh says when it is off.
// Also the tables the further CTA-861 decoders use: the HDMI VICs' timings and the OUI names.

#include "CTAVerifierTestSupport.h"
#include "decode/cta/CTATables.h"
#include "decode/other/OUIRegistry.h"

namespace ctatest {
namespace {

// A first CTA-861 block whose first data block is an HF-EEODB announcing `count` blocks.
Bytes overrideBlock(std::uint8_t count) {
    return withCollection({0xE2, 0x78, count, 0x41, 0x10});
}

// The EDID with the override block, `more` further CTA-861 blocks (each with one video data
// block listing VIC `n + 1`), and byte 7Eh set to `base`.
Bytes edid(std::uint8_t count, unsigned more, std::uint8_t base) {
    EdidBuilder builder;
    builder.extensionBlock(0x02).extensionBytes(1, 0, overrideBlock(count));
    for (unsigned n = 1; n <= more; ++n) {
        builder.extensionBlock(0x02).extensionBytes(
            n + 1, 0, withCollection({0x41, static_cast<std::uint8_t>(n + 1)}));
    }
    return builder.extensionCount(base).bytes();
}

struct OverrideParse : edidtest::Parsed {
    OverrideParse(const Bytes& bytes, bool decode) : Parsed(bytes) {
        parser.setDecodeExtensions(decode);
        parser.setReportMissingExtensions(true);
        EXPECT_TRUE(parse());
    }
};

TEST(ExtensionOverrideTest, ReadsTheAnnouncedBlocks) {
    const struct {
        const char* what;
        std::uint8_t count;
        unsigned more;
        std::uint8_t base;
        std::size_t blocksRead;
        Texts faults;
    } cases[] = {
        {"7Eh 1, three blocks announced and there", 3, 2, 1, 3, {}},
        {"7Eh agrees with the override", 3, 2, 3, 3, {}},
        {"7Eh neither 1 nor the override's count", 3, 2, 2, 3, {"CTAEEODBCountMismatch"}},
        {"source shorter than announced", 4, 1, 1, 2, {"CTAEEODBShortEDID"}},
        // Byte 7Eh short too: one finding, the override's, which names the count followed.
        {"7Eh and the override both beyond the source", 4, 1, 4, 2, {"CTAEEODBShortEDID"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const OverrideParse run(edid(c.count, c.more, c.base), true);
        EXPECT_EQ(run.parser.getExtensionBlocks().size(), c.blocksRead);
        EXPECT_EQ(run.parser.getCTABlocks().size(), c.blocksRead);
        EXPECT_EQ(run.faultKeys(), c.faults);
        const auto overrides = run.withKey("CTAEEODBOverride");
        ASSERT_EQ(overrides.size(), 1u);
        EXPECT_EQ(overrides[0].getLevel() * 100 + overrides[0].getCategory(), 0);
        // The last block read is decoded by its tag: its one video format is VIC `blocksRead`.
        const libEDID::CTABlock& last = run.parser.getCTABlocks().back();
        ASSERT_EQ(last.dataBlocks.videoFormats.size(), 1u);
        EXPECT_EQ(last.dataBlocks.videoFormats[0].vic, c.blocksRead == 1 ? 16 : c.blocksRead);
    }
}

TEST(ExtensionOverrideTest, DefaultParseReadsWhatByte7ESays) {
    const OverrideParse run(edid(3, 2, 1), false);
    EXPECT_EQ(run.parser.getExtensionBlocks().size(), 1u);
    EXPECT_TRUE(run.withKey("CTAEEODBOverride").empty());
    // The trailer lists the one block.
    const OverrideParse decoding(edid(3, 2, 1), true);
    EXPECT_EQ(decoding.parser.getExtensionBlocks().size(), 3u);
}

TEST(ExtensionOverrideTest, OnlyAFirstDataBlockOfTheFirstBlockCounts) {
    // The override as the second data block, and in the second extension block.
    EdidBuilder second;
    second.extensionBlock(0x02).extensionBytes(1, 0, withCollection({0x41, 0x10, 0xE2, 0x78, 3}));
    const OverrideParse notFirst(second.bytes(), true);
    EXPECT_EQ(notFirst.parser.getExtensionBlocks().size(), 1u);
    EXPECT_EQ(notFirst.faultKeys(), Texts{"CTAEEODBMisplaced"});
    EdidBuilder later;
    later.extensionBlock(0x02).extensionBytes(1, 0, withCollection({0x41, 0x10}));
    later.extensionBlock(0x02).extensionBytes(2, 0, overrideBlock(3));
    const OverrideParse inBlock2(later.bytes(), true);
    EXPECT_EQ(inBlock2.parser.getExtensionBlocks().size(), 2u);
    EXPECT_EQ(inBlock2.faultKeys(), Texts{"CTAEEODBMisplaced"});
}

// Each HDMI VIC's timing gives its nominal rate: pixel clock / (total pixels x total lines).
TEST(CTATablesTest, HDMIVICTimingsGiveTheirRates) {
    const struct {
        unsigned vic, width, height, refresh;
    } formats[] = {
        {1, 3840, 2160, 30}, {2, 3840, 2160, 25}, {3, 3840, 2160, 24}, {4, 4096, 2160, 24}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.vic);
        const libEDID::cta::HDMIVideoFormat* format = libEDID::cta::hdmiVideoFormat(f.vic);
        ASSERT_NE(format, nullptr);
        EXPECT_EQ(format->format.width, f.width);
        EXPECT_EQ(format->format.height, f.height);
        EXPECT_EQ(format->format.refresh, f.refresh);
        const unsigned hTotal = f.width + format->hFrontPorch + format->hSync + format->hBackPorch;
        const unsigned vTotal = f.height + format->vFrontPorch + format->vSync + format->vBackPorch;
        EXPECT_EQ(format->pixelClockKHz * 1000u, hTotal * vTotal * f.refresh);
    }
    EXPECT_EQ(libEDID::cta::hdmiVideoFormat(0), nullptr);
    EXPECT_EQ(libEDID::cta::hdmiVideoFormat(5), nullptr);
}

// The registry names the vendors of the blocks EDIDs carry with or without the full registry;
// an OUI it lacks gives no name.
TEST(OUIRegistryTest, NamesKnownVendors) {
    EXPECT_EQ(libEDID::oui::vendorName(0x000C03), "HDMI Licensing, LLC");
    EXPECT_EQ(libEDID::oui::vendorName(0xC45DD8), "HDMI Forum");
    EXPECT_EQ(libEDID::oui::vendorName(0x00D046), "DOLBY LABORATORIES, INC.");
    EXPECT_EQ(libEDID::oui::vendorName(0xFFFFFF), "");
    EXPECT_GE(libEDID::oui::registrySize(), 9u);
}

}  // namespace
}  // namespace ctatest
