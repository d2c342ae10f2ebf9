// The native video resolution data block (extended tag 8): byte 2 is a short video reference
// with the codes of the video format preference block (VICs 1-127 and 193-253, the Nth
// detailed timing from 129, the Nth DisplayID type VII timing from 145 and type X timing from
// 161); later bytes are kept as stored. One table row per case, as in the other CTA tables.

#include "CTAVerifierTestSupport.h"
#include "libEDID/CTA861.h"

namespace ctatest {
namespace {

TEST(CTANativeResolutionTest, References) {
    expectCases({
        {"VIC 16", {0xE2, 0x08, 0x10}, {{"CTANativeResolution", "VIC 16: 1920 x 1080 @ 60Hz"}}},
        {"VIC 193", {0xE2, 0x08, 0xC1}, {{"CTANativeResolution", "VIC 193: 5120 x 2160 @ 120Hz"}}},
        {"first detailed timing",
         {0xE2, 0x08, 0x81},
         {{"CTANativeResolution", "detailed timing 1"}}},
        {"16th detailed timing",
         {0xE2, 0x08, 0x90},
         {{"CTANativeResolution", "detailed timing 16"}}},
        {"first DisplayID type VII timing",
         {0xE2, 0x08, 0x91},
         {{"CTANativeResolution", "DisplayID type VII timing 1"}}},
        {"15th DisplayID type X timing",
         {0xE2, 0x08, 0xAF},
         {{"CTANativeResolution", "DisplayID type X timing 15"}}},
        {"a further byte is listed as stored",
         {0xE3, 0x08, 0x10, 0x05},
         {{"CTANativeResolution", "VIC 16: 1920 x 1080 @ 60Hz"},
          {"CTANativeResolutionBytes", "05"}}},
        {"no further byte", {0xE2, 0x08, 0x10}, {{"CTANativeResolutionBytes", "-"}}},
        {"code 0 reserved",
         {0xE2, 0x08, 0x00},
         {{"CTANativeResolution", "Unknown or reserved (0)"}},
         {"CTANativeResolutionReserved"}},
        {"code 128 reserved",
         {0xE2, 0x08, 0x80},
         {{"CTANativeResolution", "Unknown or reserved (128)"}},
         {"CTANativeResolutionReserved"}},
        {"code 176 reserved", {0xE2, 0x08, 0xB0}, {}, {"CTANativeResolutionReserved"}},
        {"code 255 reserved", {0xE2, 0x08, 0xFF}, {}, {"CTANativeResolutionReserved"}},
        {"only the extended tag",
         {0xE1, 0x08},
         {{"CTANativeResolution", "-"}},
         {"CTAShortDataBlock"}},
        {"a second block is a repeat",
         {0xE2, 0x08, 0x10, 0xE2, 0x08, 0x81},
         {{"CTANativeResolution", "VIC 16: 1920 x 1080 @ 60Hz"}},
         {"CTADuplicateDataBlock"}},
    });
}

TEST(CTANativeResolutionTest, DecodedFieldsAndFinding) {
    const Decoded d({withCollection({0xE4, 0x08, 0xB0, 0x12, 0x34})});
    const auto& blocks = d.parser.getCTABlocks();
    ASSERT_EQ(blocks.size(), 1u);
    ASSERT_TRUE(blocks[0].dataBlocks.nativeResolution.has_value());
    const libEDID::CTANativeResolution& native = *blocks[0].dataBlocks.nativeResolution;
    EXPECT_EQ(native.length, 4u);
    EXPECT_EQ(native.reference, 0xB0u);
    EXPECT_EQ(native.furtherBytes, (Bytes{0x12, 0x34}));
    EXPECT_TRUE(d.withKey("CTAExtendedDataBlock").empty());
    EXPECT_EQ(
        d.texts("CTANativeResolutionReserved", libEDID::LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING),
        Texts{"Extension block 1: the native video resolution data block refers to the "
              "reserved code 176"});
}

}  // namespace
}  // namespace ctatest
