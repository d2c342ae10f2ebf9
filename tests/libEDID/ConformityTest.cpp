// The conformity layer (EDIDParser::setCheckConformity): each rule over crafted blocks at its
// boundary, the layer off by default, and the decoding fixes that the rules rely on (CTA-861
// timings after display descriptors, DisplayID filler).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
    {"native DTD 1920 x 1080 and native VIC 4 (1280 x 720)", edid({ctaBlock(0x01, {0x41, 0x84})}),
     "ConfCTANativeMix", 1, 1, kCTA},
    {"native DTD 1920 x 1080 and native VIC 16 (1920 x 1080)", edid({ctaBlock(0x01, {0x41, 0x90})}),
     "ConfCTANativeMix", 0, 1, kCTA},
    {"no native DTD, native VIC 4", edid({ctaBlock(0x00, {0x41, 0x84})}), "ConfCTANativeMix", 0, 1,
     kCTA},
    {"native DTD and native VIC 5 (interlaced)", edid({ctaBlock(0x01, {0x41, 0x85})}),
     "ConfCTANativeMix", 0, 1, kCTA},
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

constexpr int kBase = 20;

// Base blocks with one field changed from EdidBuilder's defaults (EDID 1.4, digital DisplayPort
// input, 52 x 32 cm, sRGB chromaticity codes, DTD 1 1920 x 1080 @ 60 Hz of 148.5 MHz and
// 67.5 kHz, range limits 50-75 Hz, 30-83 kHz, 170 MHz).
Bytes base(const EdidBuilder& builder) {
    return builder.bytes();
}
// The range limits in slot 1: vertical Hz, horizontal kHz, pixel clock / 10 MHz; limits only.
EdidBuilder withRange(std::uint8_t minV, std::uint8_t maxV, std::uint8_t minH, std::uint8_t maxH,
                      std::uint8_t clock) {
    EdidBuilder builder;
    builder.displayDescriptor(
        1, 0xFD, {minV, maxV, minH, maxH, clock, 0x01, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20});
    return builder;
}
// DTD 1 with the image size `width` x `height` mm and the screen size 52 x 32 cm.
EdidBuilder withImageSize(unsigned width, unsigned height) {
    EdidBuilder builder;
    builder.set(0x36 + 12, {static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height),
                            static_cast<std::uint8_t>((width >> 8) << 4 | (height >> 8))});
    return builder;
}
EdidBuilder withName(const std::string& text) {
    EdidBuilder builder;
    builder.stringDescriptor(2, 0xFC, text);
    return builder;
}
// Bytes 19h-1Ah hold the low bits of the codes; 1Ah bits 1-0 are those of white y.
const std::array<std::uint8_t, 10> kWhiteYOneOff{0xEE, 0x92, 0xA3, 0x54, 0x4C,
                                                 0x99, 0x26, 0x0F, 0x50, 0x54};
// The default range limits in slot 1 with timing support `support` (byte 10).
EdidBuilder withSupport(std::uint8_t support, std::uint8_t features) {
    EdidBuilder builder;
    builder.features(features).displayDescriptor(
        1, 0xFD, {50, 75, 30, 83, 17, support, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20});
    return builder;
}
// A CTA-861 detailed timing of 1280 x 720 @ 60 Hz with an image size of 530 x 320 mm.
const Bytes kCTATiming{0x01, 0x1D, 0x00, 0x72, 0x51, 0xD0, 0x1E, 0x20, 0x6E,
                       0x28, 0x55, 0x00, 0x12, 0x40, 0x21, 0x00, 0x00, 0x1E};
const std::vector<std::uint8_t> kVIC20{0x41, 20};  // 1920 x 1080i @ 50 Hz, 28.125 kHz

const Case kBaseCases[] = {
    {"sRGB set, sRGB codes", base(EdidBuilder().features(0x0E)), "ConfSRGBPrimaries", 0, 1, kBase},
    {"sRGB set, white y one code off",
     base(EdidBuilder().features(0x0E).chromaticity(kWhiteYOneOff)), "ConfSRGBPrimaries", 1, 1,
     kBase},
    {"sRGB not set, white y one code off", base(EdidBuilder().chromaticity(kWhiteYOneOff)),
     "ConfSRGBPrimaries", 0, 1, kBase},
    {"vertical 60 Hz at the maximum", base(withRange(50, 60, 30, 83, 17)), "ConfRangeVertical", 0,
     1, kBase},
    {"vertical 60 Hz above 59 Hz", base(withRange(50, 59, 30, 83, 17)), "ConfRangeVertical", 1, 1,
     kBase},
    {"vertical 60 Hz below 61 Hz", base(withRange(61, 75, 30, 83, 17)), "ConfRangeVertical", 1, 1,
     kBase},
    {"horizontal 67.5 kHz within 68 kHz", base(withRange(50, 75, 30, 68, 17)),
     "ConfRangeHorizontal", 0, 1, kBase},
    {"horizontal 67.5 kHz above 67 kHz", base(withRange(50, 75, 30, 67, 17)), "ConfRangeHorizontal",
     1, 1, kBase},
    {"pixel clock 148.5 MHz within 150 MHz", base(withRange(50, 75, 30, 83, 15)),
     "ConfRangePixelClock", 0, 1, kBase},
    {"pixel clock 148.5 MHz above 140 MHz", base(withRange(50, 75, 30, 83, 14)),
     "ConfRangePixelClock", 1, 1, kBase},
    {"CTA VIC 20 below 30 kHz",
     withRange(50, 75, 30, 83, 17)
         .extensionBlock(2)
         .extensionBytes(1, 0, ctaBlock(0, kVIC20))
         .bytes(),
     "ConfRangeHorizontal", 1, 1, kBase},
    {"CTA VIC 20 within 28 kHz",
     withRange(50, 75, 28, 83, 17)
         .extensionBlock(2)
         .extensionBytes(1, 0, ctaBlock(0, kVIC20))
         .bytes(),
     "ConfRangeHorizontal", 0, 1, kBase},
    {"EDID 1.3 digital, reserved bits 0", base(EdidBuilder().version(1, 3).videoInput(0x81)),
     "ConfReservedInputBits", 0, 1, kBase},
    {"EDID 1.3 digital, bit 5 set", base(EdidBuilder().version(1, 3).videoInput(0xA0)),
     "ConfReservedInputBits", 1, 1, kBase},
    {"EDID 1.4 DisplayPort", base(EdidBuilder()), "ConfReservedInputBits", 0, 1, kBase},
    {"CTA DTD image size 10 mm wider",
     withImageSize(520, 320)
         .extensionBlock(2)
         .extensionBytes(1, 0, ctaBlock(0, {}, kCTATiming))
         .bytes(),
     "ConfImageSizeMismatch", 1, 1, kBase},
    {"image size as the screen", base(withImageSize(520, 320)), "ConfImageSizeMismatch", 0, 1,
     kBase},
    {"image 9 mm wider", base(withImageSize(529, 320)), "ConfImageSizeMismatch", 0, 1, kBase},
    {"image 10 mm wider", base(withImageSize(530, 320)), "ConfImageSizeMismatch", 1, 1, kBase},
    {"image 10 mm lower", base(withImageSize(520, 310)), "ConfImageSizeMismatch", 1, 1, kBase},
    {"image size not given", base(withImageSize(0, 0)), "ConfImageSizeNotGiven", 1, 1, kBase},
    {"screen size not given", base(withImageSize(520, 320).set(0x15, {0, 0})),
     "ConfScreenSizeNotGiven", 1, 1, kBase},
    {"neither size given", base(withImageSize(0, 0).set(0x15, {0, 0})), "ConfScreenSizeNotGiven", 0,
     1, kBase},
    {"interface DisplayPort", base(EdidBuilder()), "ConfReservedInterface", 0, 2, kBase},
    {"interface 6h reserved", base(EdidBuilder().videoInput(0xA6)), "ConfReservedInterface", 1, 2,
     kBase},
    {"analog input", base(EdidBuilder().videoInput(0x06)), "ConfReservedInterface", 0, 2, kBase},
    {"all-zero descriptor", base(EdidBuilder().descriptor(3, {})), "ConfEmptyDescriptor", 1, 1,
     kBase},
    {"dummy descriptor", base(EdidBuilder()), "ConfEmptyDescriptor", 0, 1, kBase},
    {"name with a trailing blank", base(withName("TEST ")), "ConfStringTrailingBlanks", 1, 1,
     kBase},
    {"name of 13 characters", base(withName("TEST MONITOR1")), "ConfStringTrailingBlanks", 0, 1,
     kBase},
    {"empty name", base(withName("")), "ConfStringEmpty", 1, 1, kBase},
    {"name padded with 00h", base(EdidBuilder().displayDescriptor(2, 0xFC, {'A', 0x0A})),
     "ConfStringPadding", 1, 1, kBase},
    {"name padded with 20h", base(withName("A")), "ConfStringPadding", 0, 1, kBase},
    {"GTF, not continuous", base(withSupport(0x00, 0x0A)), "ConfGTFNonContinuous", 1, 1, kBase},
    {"secondary GTF, not continuous", base(withSupport(0x02, 0x0A)), "ConfGTFNonContinuous", 1, 1,
     kBase},
    {"GTF, continuous", base(withSupport(0x00, 0x0B)), "ConfGTFNonContinuous", 0, 1, kBase},
    {"limits only, not continuous", base(withSupport(0x01, 0x0A)), "ConfGTFNonContinuous", 0, 1,
     kBase},
    {"GTF in EDID 1.3", base(withSupport(0x00, 0x0A).version(1, 3)), "ConfGTFNonContinuous", 0, 1,
     kBase},
};

std::string caseName(const testing::TestParamInfo<Case>& param) {
    std::string name = param.param.name;
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Rules, ConformityRuleTest, testing::ValuesIn(kCases), caseName);
INSTANTIATE_TEST_SUITE_P(BaseRules, ConformityRuleTest, testing::ValuesIn(kBaseCases), caseName);

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
    const Checked range(base(withRange(50, 75, 30, 67, 17)));
    EXPECT_EQ(range.withKey("ConfRangeHorizontal")[0].getMesg().str(),
              "Timings outside the horizontal rates of the range limits descriptor (30-67 kHz): 1; "
              "the farthest, DTD 1: 1920 x 1080 @ 60.00 Hz, needs a horizontal rate of 67.50 kHz");
    const Checked srgb(base(EdidBuilder().features(0x0E).chromaticity(kWhiteYOneOff)));
    EXPECT_EQ(srgb.withKey("ConfSRGBPrimaries")[0].getMesg().str(),
              "The sRGB default colour space bit (byte 18h bit 2) is set, but these 10-bit "
              "chromaticity codes are not those of sRGB (expected in parentheses): Wy 338 (337)");
}

// A source shorter than byte 7Eh announces is one finding: the parser's when it reports missing
// blocks, the conformity check's otherwise; more blocks than announced stay the check's.
TEST(ConformityTest, FewerBlocksThanAnnouncedReportedOnce) {
    struct Count {
        std::uint8_t announced;
        bool parserReports;
        std::size_t conformity;
        std::size_t parser;
    };
    for (const Count c : {Count{2, true, 0, 1}, Count{2, false, 1, 0}, Count{0, true, 1, 0}}) {
        edidtest::Parsed parsed(withBlocks({ctaBlock(0, {})}).extensionCount(c.announced).bytes());
        parsed.parser.setDecodeExtensions(true);
        parsed.parser.setCheckConformity(true);
        parsed.parser.setReportMissingExtensions(c.parserReports);
        ASSERT_TRUE(parsed.parse());
        EXPECT_EQ(parsed.withKey("ConfExtensionCount").size(), c.conformity) << int(c.announced);
        EXPECT_EQ(parsed.withKey("ExtensionBlocksMissing").size(), c.parser) << int(c.announced);
    }
}

// Without extension decoding (edid-check --base-only) the checks of the base block still run.
TEST(ConformityTest, BaseChecksRunWithoutExtensionDecoding) {
    edidtest::Parsed parsed(base(withRange(50, 75, 30, 67, 17)));
    parsed.parser.setCheckConformity(true);
    ASSERT_TRUE(parsed.parse());
    EXPECT_EQ(parsed.withKey("ConfRangeHorizontal").size(), 1u);
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
