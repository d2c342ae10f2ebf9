// The conformity layer (EDIDParser::setCheckConformity): each rule over crafted blocks at its
// boundary, the layer off by default, and the decoding fixes that the rules rely on (CTA-861
// timings after display descriptors, DisplayID filler).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"

namespace {

using edidtest::EdidBuilder;
using Bytes = std::vector<std::uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A CTA-861 revision 3 block: byte 3 `flags`, the data block collection, then `timings`.
Bytes ctaBlock(std::uint8_t flags, const Bytes& collection, const Bytes& timings = {}) {
    return Bytes{0x02, 3, static_cast<std::uint8_t>(4 + collection.size()), flags} + collection +
           timings;
}

// Data blocks of the collection.
const Bytes kVideoCapabilityQS{0xE2, 0x00, 0x40};  // QS = 1
const Bytes kVideoCapabilityNoQS{0xE2, 0x00, 0x00};
const Bytes kAudio{0x23, 0x09, 0x07, 0x07};  // one LPCM descriptor
const Bytes kEEODB3{0xE2, 0x78, 3};          // HF-EEODB: 3 extension blocks
constexpr std::uint8_t kBasicAudio = 0x40;
constexpr std::uint8_t kUnderscan = 0x80;
// The HDMI vendor-specific block with Max_TMDS_Clock = `clock5MHz` x 5 MHz.
Bytes hdmiBlock(std::uint8_t clock5MHz) {
    return {0x67, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x00, clock5MHz};
}

// An EDID with one extension block per entry, each written from byte 0.
EdidBuilder withBlocks(const std::vector<Bytes>& blocks) {
    EdidBuilder builder;
    for (unsigned i = 0; i < blocks.size(); ++i) {
        builder.extensionBlock(blocks[i].empty() ? 0 : blocks[i][0])
            .extensionBytes(i + 1, 0, blocks[i]);
    }
    return builder;
}

struct Checked : edidtest::Parsed {
    explicit Checked(const Bytes& bytes, bool conformity = true) : Parsed(bytes) {
        parser.setDecodeExtensions(true);
        parser.setCheckConformity(conformity);
        EXPECT_TRUE(parse());
    }
    std::size_t count(const std::string& key) const { return withKey(key).size(); }
};

struct Case {
    const char* name;
    Bytes bytes;
    const char* key;
    std::size_t expected;  // findings of `key`
    int level;
    int category;
};

class ConformityRuleTest : public testing::TestWithParam<Case> {};

TEST_P(ConformityRuleTest, FindsTheFactOnceAtItsBoundary) {
    const Case& c = GetParam();
    const Checked checked(c.bytes);
    const auto found = checked.withKey(c.key);
    ASSERT_EQ(found.size(), c.expected) << c.name;
    for (const auto& message : found) {
        EXPECT_EQ(message.getLevel(), c.level) << c.name;
        EXPECT_EQ(message.getCategory(), c.category) << c.name;
        EXPECT_EQ(message.getMesg().str().find('{'), std::string::npos) << message.getMesg().str();
    }
}

constexpr int kCTA = 18;
constexpr int kDisplayID = 19;
constexpr int kBlocks = 21;

Bytes edid(const std::vector<Bytes>& blocks) {
    return withBlocks(blocks).bytes();
}
Bytes edid13(const std::vector<Bytes>& blocks) {
    return withBlocks(blocks).version(1, 3).bytes();
}

// A DisplayID 1.3 section in an extension block: product type, extension count, data blocks.
Bytes displayID(std::uint8_t productType, std::uint8_t extensions, const Bytes& blocks,
                std::uint8_t version = 0x13) {
    Bytes section =
        Bytes{0x70, version, static_cast<std::uint8_t>(blocks.size()), productType, extensions} +
        blocks;
    unsigned sum = 0;
    for (std::size_t i = 1; i < section.size(); ++i) {
        sum += section[i];
    }
    section.push_back(static_cast<std::uint8_t>(0x100 - (sum & 0xFF)));
    return section;
}
const Bytes kProductBlock = Bytes{0x00, 0x00, 12, 'A', 'B', 'C', 1, 0, 0, 0, 0, 0, 1, 20, 0};
const Bytes kParametersBlock = Bytes{0x01, 0x00, 12, 0, 0, 0, 0, 0x80, 7, 0x38, 4, 0, 0, 0, 0};

const Case kCases[] = {
    {"no video capability block", edid({ctaBlock(0, {})}), "ConfCTANoVideoCapability", 1, 1, kCTA},
    {"video capability block present", edid({ctaBlock(0, kVideoCapabilityQS)}),
     "ConfCTANoVideoCapability", 0, 1, kCTA},
    {"QS = 0", edid({ctaBlock(0, kVideoCapabilityNoQS)}), "ConfCTARGBNotSelectable", 1, 1, kCTA},
    {"QS = 1", edid({ctaBlock(0, kVideoCapabilityQS)}), "ConfCTARGBNotSelectable", 0, 1, kCTA},
    {"IT underscanned, flag 0", edid({ctaBlock(0, {0xE2, 0x00, 0x48})}), "ConfCTAUnderscanConflict",
     1, 1, kCTA},
    {"IT underscanned, flag 1", edid({ctaBlock(kUnderscan, {0xE2, 0x00, 0x48})}),
     "ConfCTAUnderscanConflict", 0, 1, kCTA},
    {"IT overscanned, flag 1", edid({ctaBlock(kUnderscan, {0xE2, 0x00, 0x44})}),
     "ConfCTAUnderscanConflict", 1, 1, kCTA},
    {"IT both, flag 1", edid({ctaBlock(kUnderscan, {0xE2, 0x00, 0x4C})}),
     "ConfCTAUnderscanConflict", 0, 1, kCTA},
    {"audio without basic audio", edid({ctaBlock(0, kAudio + kVideoCapabilityQS)}),
     "ConfCTAAudioWithoutBasicAudio", 1, 2, kCTA},
    {"audio with basic audio", edid({ctaBlock(kBasicAudio, kAudio + kVideoCapabilityQS)}),
     "ConfCTAAudioWithoutBasicAudio", 0, 2, kCTA},
    {"colorimetry MD0 set", edid({ctaBlock(0, {0xE3, 0x05, 0x03, 0x01})}),
     "ConfCTAColorimetryReserved", 1, 1, kCTA},
    {"colorimetry MD3-MD0 set", edid({ctaBlock(0, {0xE3, 0x05, 0x03, 0x0F})}),
     "ConfCTAColorimetryReserved", 1, 1, kCTA},
    {"colorimetry DCI-P3 only", edid({ctaBlock(0, {0xE3, 0x05, 0x03, 0x80})}),
     "ConfCTAColorimetryReserved", 0, 1, kCTA},
    {"colorimetry without byte 3", edid({ctaBlock(0, {0xE2, 0x05, 0x03})}),
     "ConfCTAColorimetryReserved", 0, 1, kCTA},
    {"HDMI TMDS 340 MHz", edid({ctaBlock(0, hdmiBlock(68))}), "ConfHDMITMDSAbove340", 0, 2, kCTA},
    {"HDMI TMDS 345 MHz", edid({ctaBlock(0, hdmiBlock(69))}), "ConfHDMITMDSAbove340", 1, 2, kCTA},
    {"HDMI in EDID 1.4", edid({ctaBlock(0, hdmiBlock(0))}), "ConfHDMIEDIDRevision", 1, 1, kCTA},
    {"HDMI in EDID 1.3", edid13({ctaBlock(0, hdmiBlock(0))}), "ConfHDMIEDIDRevision", 0, 1, kCTA},
    {"4:2:0 map of 00h", edid({ctaBlock(0, {0xE2, 0x0F, 0x00})}), "ConfCTAEmptyYCbCr420Map", 1, 1,
     kCTA},
    {"4:2:0 map for every format", edid({ctaBlock(0, {0xE1, 0x0F})}), "ConfCTAEmptyYCbCr420Map", 0,
     1, kCTA},
    {"4:2:0 map marking one", edid({ctaBlock(0, {0xE2, 0x0F, 0x01})}), "ConfCTAEmptyYCbCr420Map", 0,
     1, kCTA},
    {"count as announced", edid({ctaBlock(0, kVideoCapabilityQS)}), "ConfExtensionCount", 0, 2,
     kBlocks},
    {"one more announced", withBlocks({ctaBlock(0, {})}).extensionCount(2).bytes(),
     "ConfExtensionCount", 1, 2, kBlocks},
    {"255 announced, 1 present", withBlocks({ctaBlock(0, {})}).extensionCount(255).bytes(),
     "ConfExtensionCount", 1, 2, kBlocks},
    {"one fewer announced", withBlocks({ctaBlock(0, {})}).extensionCount(0).bytes(),
     "ConfExtensionCount", 1, 2, kBlocks},
    {"HF-EEODB count of 3, all present",
     withBlocks({ctaBlock(0, kEEODB3), ctaBlock(0, {}), ctaBlock(0, {})}).extensionCount(1).bytes(),
     "ConfExtensionCount", 0, 2, kBlocks},
    {"HF-EEODB count of 3, all present, override agrees",
     withBlocks({ctaBlock(0, kEEODB3), ctaBlock(0, {}), ctaBlock(0, {})}).extensionCount(1).bytes(),
     "ConfEEODBExtensionCount", 0, 2, kBlocks},
    {"HF-EEODB count of 3, 2 present",
     withBlocks({ctaBlock(0, kEEODB3), ctaBlock(0, {})}).extensionCount(1).bytes(),
     "ConfEEODBExtensionCount", 1, 2, kBlocks},
    {"tag 00h", edid({Bytes{0x00, 0x01}}), "ConfUnknownExtensionTag", 1, 1, kBlocks},
    {"tag F0h", edid({Bytes{0xF0}}), "ConfUnknownExtensionTag", 0, 1, kBlocks},
    {"EDID 1.3, two blocks, no map", edid13({ctaBlock(0, {}), ctaBlock(0, {})}),
     "ConfBlockMapMissing", 1, 2, kBlocks},
    {"EDID 1.3, map first", edid13({Bytes{0xF0, 0x02}, ctaBlock(0, {})}), "ConfBlockMapMissing", 0,
     2, kBlocks},
    {"EDID 1.3, one block", edid13({ctaBlock(0, {})}), "ConfBlockMapMissing", 0, 2, kBlocks},
    {"EDID 1.4, two blocks", edid({ctaBlock(0, {}), ctaBlock(0, {})}), "ConfBlockMapMissing", 0, 2,
     kBlocks},
    {"DisplayID product type 0", edid({displayID(0, 0, kProductBlock)}),
     "ConfDisplayIDNoProductType", 1, 1, kDisplayID},
    {"DisplayID product type 3", edid({displayID(3, 0, kProductBlock + kParametersBlock)}),
     "ConfDisplayIDNoProductType", 0, 1, kDisplayID},
    {"DisplayID without product block", edid({displayID(0, 0, {})}), "ConfDisplayIDMissingBlock", 1,
     1, kDisplayID},
    {"DisplayID display without parameters", edid({displayID(3, 0, kProductBlock)}),
     "ConfDisplayIDMissingBlock", 1, 1, kDisplayID},
    {"DisplayID display complete", edid({displayID(3, 0, kProductBlock + kParametersBlock)}),
     "ConfDisplayIDMissingBlock", 0, 1, kDisplayID},
    {"DisplayID 0 sections announced, 1 follows",
     edid({displayID(3, 0, kProductBlock + kParametersBlock), displayID(0, 0, {})}),
     "ConfDisplayIDSectionCount", 1, 1, kDisplayID},
    {"DisplayID 1 section announced, 1 follows",
     edid({displayID(3, 1, kProductBlock + kParametersBlock), displayID(0, 0, {})}),
     "ConfDisplayIDSectionCount", 0, 1, kDisplayID},
};

std::string caseName(const testing::TestParamInfo<Case>& param) {
    std::string name = param.param.name;
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Rules, ConformityRuleTest, testing::ValuesIn(kCases), caseName);

TEST(ConformityTest, OffByDefault) {
    const Bytes bytes = edid({ctaBlock(0, {}), Bytes{0x00}});
    edidtest::Parsed parsed(bytes);
    parsed.parser.setDecodeExtensions(true);
    ASSERT_TRUE(parsed.parse());
    EXPECT_FALSE(parsed.parser.getCheckConformity());
    for (const std::string& key : parsed.keys()) {
        EXPECT_NE(key.rfind("Conf", 0), 0u) << key;
    }
}

TEST(ConformityTest, ExtensionChecksNeedExtensionDecoding) {
    edidtest::Parsed parsed(edid({ctaBlock(0, {}), Bytes{0x00}}));
    parsed.parser.setCheckConformity(true);
    ASSERT_TRUE(parsed.parse());
    EXPECT_TRUE(parsed.withKey("ConfCTANoVideoCapability").empty());
    EXPECT_TRUE(parsed.withKey("ConfUnknownExtensionTag").empty());
}

TEST(ConformityTest, TextsNameTheValues) {
    const Checked count(withBlocks({ctaBlock(0, {})}).extensionCount(3).bytes());
    ASSERT_EQ(count.count("ConfExtensionCount"), 1u);
    EXPECT_EQ(count.withKey("ConfExtensionCount")[0].getMesg().str(),
              "Byte 7Eh announces 3 extension blocks, but the EDID holds 1");
    const Checked hdmi(edid({ctaBlock(0, hdmiBlock(120))}));
    EXPECT_EQ(hdmi.withKey("ConfHDMITMDSAbove340")[0].getMesg().str(),
              "Extension block 1: the HDMI vendor-specific block gives a maximum TMDS clock of "
              "600 MHz; above 340 MHz it belongs in the HDMI Forum block");
}

// Some TVs put display descriptors (serial number FFh, name FCh) among their CTA-861 detailed
// timings: the walk passes over them to the timings behind them, and the padding starts after.
TEST(ConformityTest, CTATimingsWalkOnOverDisplayDescriptors) {
    const Bytes timing{0x01, 0x1D, 0x00, 0x72, 0x51, 0xD0, 0x1E, 0x20, 0x6E,
                       0x28, 0x55, 0x00, 0xC4, 0x8E, 0x21, 0x00, 0x00, 0x1E};
    const Bytes serial{0x00, 0x00, 0x00, 0xFF, 0x00, '1',  '2',  '3',  0x0A,
                       0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
    const Checked checked(edid({ctaBlock(0, kVideoCapabilityQS, timing + serial + timing)}));
    EXPECT_EQ(checked.count("CTANonZeroPadding"), 0u);
    ASSERT_EQ(checked.parser.getCTABlocks().size(), 1u);
    EXPECT_EQ(checked.parser.getCTABlocks()[0].detailedTimings.size(), 2u);
}

// Filler after the last DisplayID data block is 00h; other bytes behind it are one finding,
// not a run of empty data blocks.
TEST(ConformityTest, DisplayIDNonZeroFillerIsOneFinding) {
    Bytes blocks = kProductBlock + Bytes(20, 0x00);
    blocks.back() = 0x5A;
    const Checked checked(edid({displayID(3, 0, blocks + kParametersBlock)}));
    EXPECT_EQ(checked.count("DisplayIDNonZeroFiller"), 1u);
    EXPECT_EQ(checked.count("DisplayIDDataBlockOverrun"), 0u);
    EXPECT_EQ(checked.count("DisplayIDReservedTag"), 0u);
}

}  // namespace
