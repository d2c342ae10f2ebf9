// The JSON writer of edid-check: escaping, the replacement of malformed UTF-8, and the commas
// of nested objects and arrays.

#include "JsonWriter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using edidcheck::JsonBuffer;
using edidcheck::JsonWriter;

std::string asJsonString(std::string_view text) {
    JsonBuffer out;
    edidcheck::appendJsonString(out, text);
    return std::string(out.view());
}

// Plain runs are copied several bytes at a time: each case is also checked at every position of
// a run and with plain bytes after it, so that every byte that needs care is found wherever it
// falls, also in the bytes after the last whole run.
TEST(JsonWriterTest, StringsAreEscapedAndMalformedUtf8Replaced) {
    struct Case {
        std::string_view input;
        std::string expected;  // without the quotes
    };
    const std::string fffd = "\xEF\xBF\xBD";
    const std::string twoFffd = fffd + fffd;
    const Case cases[] = {
        {"plain ASCII ~\x7F", "plain ASCII ~\x7F"},
        {"\"\\/", "\\\"\\\\/"},
        {"\b\t\n\f\r", "\\b\\t\\n\\f\\r"},
        {std::string_view("\x00\x01\x1B\x1F", 4), "\\u0000\\u0001\\u001b\\u001f"},
        // Well-formed sequences of two, three and four bytes, at the edges of their ranges.
        {"\xC2\x80\xDF\xBF", "\xC2\x80\xDF\xBF"},
        {"\xE0\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF", "\xE0\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF"},
        {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
        // Bytes that start no sequence: one replacement each.
        {"a\x80z", "a\xEF\xBF\xBDz"},
        {"\xC0\xC1", twoFffd},
        {"\xF5\xFF", twoFffd},
        // Overlong forms, surrogates and code points above 10FFFFh: the lead alone is replaced,
        // the continuation byte then starts nothing either.
        {"\xE0\x80\x80", twoFffd + fffd},
        {"\xED\xA0\x80", twoFffd + fffd},
        {"\xF4\x90\x80\x80", twoFffd + twoFffd},
        // A cut sequence is one replacement; the byte that broke it is read again.
        {"\xE2\x82z", "\xEF\xBF\xBDz"},
        {"\xF0\x9F\x98\"", "\xEF\xBF\xBD\\\""},
        {"\xE2\x82\xC3\xA9", "\xEF\xBF\xBD\xC3\xA9"},
        {"end\xF0\x9F\x98", "end\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        for (std::size_t before = 0; before <= 17; ++before) {
            for (std::size_t after = 0; after <= 9; ++after) {
                const std::string a(before, 'a'), b(after, 'b');
                EXPECT_EQ(asJsonString(a + std::string(c.input) + b),
                          "\"" + a + c.expected + b + "\"")
                    << before << " " << c.input << " " << after;
            }
        }
    }
}

// Strings appended one after another to one buffer, which grows under them at many points.
TEST(JsonWriterTest, ABufferGrowsUnderLongAndShortStrings) {
    JsonBuffer out;
    std::string expected;
    for (std::size_t length = 0; length < 700; length += 7) {
        const std::string text = std::string(length, 'x') + "\t" + std::string(length % 5, 'y');
        edidcheck::appendJsonString(out, text);
        expected += "\"" + std::string(length, 'x') + "\\t" + std::string(length % 5, 'y') + "\"";
    }
    EXPECT_EQ(out.view(), expected);
    out.clear();
    edidcheck::appendJsonString(out, "z");
    EXPECT_EQ(out.view(), "\"z\"");
}

TEST(JsonWriterTest, CommasSeparateMembersAndItemsAtEveryDepth) {
    JsonBuffer out;
    out.append("prefix ");
    JsonWriter json(out);
    json.beginObject();
    json.key("a");
    json.beginArray();
    json.number(0);
    json.number(18446744073709551615ull);
    json.beginObject();
    json.endObject();
    json.beginArray();
    json.endArray();
    json.endArray();
    json.key("b");
    json.boolean(false);
    json.key("c");
    json.stringOrNull(std::nullopt);
    json.key("d");
    json.stringOrNull("x");
    json.key("e");
    const unsigned char bytes[] = {0x00, 0x9F, 0xFF};
    json.hexString(bytes);
    json.member("f", "q\"");
    json.member("g", 18446744073709551615ull);
    json.endObject();
    EXPECT_EQ(out.view(),
              "prefix {\"a\":[0,18446744073709551615,{},[]],\"b\":false,\"c\":null,\"d\":\"x\","
              "\"e\":\"009fff\",\"f\":\"q\\\"\",\"g\":18446744073709551615}");
}

}  // namespace
