// The content rules of edid-check: raw bytes versus hex text versus the xrandr block, the hex
// syntax, the error texts, and which bytes of a source count as read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Examination.h"
#include "HexText.h"

namespace {

using edidcheck::classifyContent;
using edidcheck::ContentKind;
using edidcheck::decodeContent;
using ::testing::HasSubstr;

using Bytes = std::vector<unsigned char>;

const Bytes kHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

std::string asText(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

struct KindCase {
    const char* name;
    std::string content;
    ContentKind kind;
};

class ContentKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(ContentKindTest, Classifies) {
    EXPECT_EQ(classifyContent(GetParam().content), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ContentKindTest,
    ::testing::Values(
        KindCase{"Empty", "", ContentKind::Empty},
        KindCase{"EdidHeader", asText(kHeader), ContentKind::Raw},
        // A broken header is still binary: any byte outside printable ASCII means raw.
        KindCase{"BinaryWithoutHeader", std::string("\x01\x02 ab", 5), ContentKind::Raw},
        KindCase{"HighByte", "00 ff \xC3\xA9", ContentKind::Raw},
        KindCase{"PlainHex", "00 ff ff ff\n", ContentKind::Hex},
        KindCase{"PrefixedHex", "  0x00, 0xFF,\r\n", ContentKind::Hex},
        KindCase{"LeadingComma", ",00", ContentKind::Hex},
        KindCase{"Xrandr", "HDMI-1 connected\n\tEDID: \n\t\t00ff\n", ContentKind::Xrandr},
        KindCase{"Prose", "hello world\n", ContentKind::NotEdid},
        KindCase{"BarePrefix", "0x", ContentKind::NotEdid},
        KindCase{"OnlySeparators", " , \n", ContentKind::NotEdid}),
    [](const auto& info) { return std::string(info.param.name); });

struct HexCase {
    const char* name;
    std::string text;
    Bytes bytes;
};

class HexDecodeTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexDecodeTest, DecodesToTheBytes) {
    const edidcheck::DecodedHex decoded = decodeContent(GetParam().text);
    EXPECT_EQ(decoded.error, "");
    EXPECT_EQ(decoded.bytes, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, HexDecodeTest,
    ::testing::Values(
        HexCase{"Pairs", "00 ff 1A", {0x00, 0xFF, 0x1A}},
        HexCase{"RunsOfPairs", "00ff\n1a2B", {0x00, 0xFF, 0x1A, 0x2B}},
        HexCase{"AnyWhiteSpace", "\t00\r\n\v01\f 02  ", {0x00, 0x01, 0x02}},
        HexCase{"PrefixedWithCommas", "0x00,0XfF, 0x7,", {0x00, 0xFF, 0x07}},
        HexCase{"PrefixedRun", "0x00ff", {0x00, 0xFF}},
        HexCase{"Xrandr",
                "DP-1 connected primary\n\tEDID: \n\t\t00ffffffffffff00\n\t\t0102\n"
                "\tBROADCAST_RGB: Automatic\n\t\tsupported: Automatic\n",
                {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x02}},
        // Pasted without indentation: lines of hex digits still belong to the block.
        HexCase{"XrandrUnindented", "EDID:\n00ff\n01\nother: 1\n", {0x00, 0xFF, 0x01}},
        // Only the first block of a whole `xrandr --verbose` listing is taken.
        HexCase{"XrandrFirstBlockOnly", "\tEDID:\n\t\t0a\n\tEDID:\n\t\t0b\n", {0x0A}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
    const char* name;
    std::string text;
    const char* error;
};

class HexErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(HexErrorTest, RefusesWithOneLine) {
    const edidcheck::DecodedHex decoded = decodeContent(GetParam().text);
    EXPECT_TRUE(decoded.bytes.empty());
    EXPECT_EQ(decoded.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, HexErrorTest,
    ::testing::Values(
        ErrorCase{"Empty", "", "is empty"},
        ErrorCase{"Prose", "hello world", "neither raw EDID bytes nor hex text"},
        ErrorCase{"BadToken", "00 ff\n 01 zz 02", "bad hex at line 2, column 5: \"zz\" is not hex"},
        ErrorCase{"OddDigits", "00 fff",
                  "bad hex at line 1, column 4: \"fff\" has an odd number "
                  "of hex digits"},
        ErrorCase{"PrefixWithoutDigits", "00 0x", "bad hex at line 1, column 4: \"0x\" is not hex"},
        ErrorCase{"LongPrefixedOdd", "0x123",
                  "bad hex at line 1, column 1: \"0x123\" has an odd "
                  "number of hex digits"},
        ErrorCase{"XrandrEmptyBlock", "\tEDID:\n\tother: 1\n",
                  "bad hex: no hex lines follow \"EDID:\""},
        ErrorCase{"XrandrBadLine", "\tEDID:\n\t\t00ff\n\t\t00fg\n",
                  "bad hex in the EDID: block at line 3, column 3: \"00fg\" is not hex"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RawContent, PassesThroughUnchanged) {
    Bytes raw = kHeader;
    raw.push_back(0x0D);  // a CR must not be touched
    raw.push_back(0x0A);
    EXPECT_EQ(decodeContent(asText(raw)).bytes, raw);
}

Bytes edidOf(std::size_t size, unsigned char announced) {
    Bytes bytes(size, 0x11);
    if (size > 0x7E) {
        bytes[0x7E] = announced;
    }
    return bytes;
}

struct ReadCase {
    const char* name;
    std::size_t size;
    unsigned char announced;
    std::size_t read;
};

class BlocksReadTest : public ::testing::TestWithParam<ReadCase> {};

// The parser reads whole blocks only, and no more than byte 7Eh announces.
TEST_P(BlocksReadTest, CountsWholeAnnouncedBlocks) {
    const Bytes bytes = edidOf(GetParam().size, GetParam().announced);
    const Bytes read = edidcheck::blocksRead(bytes);
    ASSERT_EQ(read.size(), GetParam().read);
    EXPECT_TRUE(std::equal(read.begin(), read.end(), bytes.begin()));
}

INSTANTIATE_TEST_SUITE_P(Blocks, BlocksReadTest,
                         ::testing::Values(ReadCase{"ShortOfABaseBlock", 127, 0, 0},
                                           ReadCase{"BaseOnly", 128, 0, 128},
                                           ReadCase{"ExtensionPresentButNotAnnounced", 256, 0, 128},
                                           ReadCase{"AnnouncedAndPresent", 384, 2, 384},
                                           ReadCase{"AnnouncedMoreThanPresent", 256, 3, 256},
                                           ReadCase{"PartialExtensionBlock", 200, 1, 128},
                                           ReadCase{"TrailingBytesIgnored", 300, 1, 256},
                                           ReadCase{"AnnouncedFewerThanPresent", 512, 1, 256}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
