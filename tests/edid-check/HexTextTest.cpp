// The content rules of edid-check: raw bytes versus hex text versus the xrandr block, the hex
// syntax, the error texts, and which bytes of a source count as read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Examination.h"
#include "HexText.h"

namespace {

using edidcheck::ContentKind;
using Bytes = std::vector<unsigned char>;

// A content, its kind, and the error or the bytes it decodes to (raw content: itself).
struct ContentCase {
    std::string content;
    ContentKind kind;
    std::string error;
    Bytes bytes = {};
};

TEST(ContentTest, ClassifiesAndDecodes) {
    const std::string notEdid = "neither raw EDID bytes nor hex text";
    const std::vector<ContentCase> cases = {
        // The EDID header, then CR LF that must not be touched.
        {std::string("\x00\xFF\xFF\xFF\xFF\xFF\xFF\x00\r\n", 10), ContentKind::Raw, ""},
        // A broken header is still binary: any byte outside printable ASCII means raw.
        {std::string("\x01\x02 ab", 5), ContentKind::Raw, ""},
        {"00 ff \xC3\xA9", ContentKind::Raw, ""},
        {"00ff\n1a2B", ContentKind::Hex, "", {0x00, 0xFF, 0x1A, 0x2B}},
        {"\t00\r\n\v01\f 02  ", ContentKind::Hex, "", {0x00, 0x01, 0x02}},
        {"  0x00,0XfF, 0x7,\r\n", ContentKind::Hex, "", {0x00, 0xFF, 0x07}},
        {"0x00ff", ContentKind::Hex, "", {0x00, 0xFF}},
        {",00", ContentKind::Hex, "", {0x00}},
        // Pasted without indentation: lines of hex digits still belong to the block.
        {"EDID:\n00ff\n01\nother: 1\n", ContentKind::Xrandr, "", {0x00, 0xFF, 0x01}},
        // Only the first block of a whole `xrandr --verbose` listing is taken.
        {"\tEDID:\n\t\t0a\n\tEDID:\n\t\t0b\n", ContentKind::Xrandr, "", {0x0A}},
        {"0x", ContentKind::NotEdid, notEdid},
        {" , \n", ContentKind::NotEdid, notEdid},
        {"00 fff", ContentKind::Hex,
         "bad hex at line 1, column 4: \"fff\" has an odd number of hex digits"},
        {"00 0x", ContentKind::Hex, "bad hex at line 1, column 4: \"0x\" is not hex"},
        {"0x123", ContentKind::Hex,
         "bad hex at line 1, column 1: \"0x123\" has an odd number of hex digits"},
        {"\tEDID:\n\tother: 1\n", ContentKind::Xrandr, "bad hex: no hex lines follow \"EDID:\""},
        {"\tEDID:\n\t\t00ff\n\t\t00fg\n", ContentKind::Xrandr,
         "bad hex in the EDID: block at line 3, column 3: \"00fg\" is not hex"},
    };
    for (const ContentCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.content));
        EXPECT_EQ(edidcheck::classifyContent(c.content), c.kind);
        const edidcheck::DecodedHex decoded = edidcheck::decodeContent(c.content);
        EXPECT_EQ(decoded.error, c.error);
        EXPECT_EQ(decoded.bytes,
                  c.kind == ContentKind::Raw ? Bytes(c.content.begin(), c.content.end()) : c.bytes);
    }
}

}  // namespace
