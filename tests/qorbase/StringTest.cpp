#include <gtest/gtest.h>

#include <string>

#include "QorTestSupport.h"
#include "qor/Array.h"
#include "qor/String.h"

namespace {

using qor::String;

struct ReplaceCase {
    const char* text;
    const char* what;
    const char* with;
    const char* expected;
};

TEST(StringTest, ReplaceReplacesEveryOccurrenceOnce) {
    const ReplaceCase cases[] = {
        {"a.b.c", ".", "", "abc"},
        {"{x}{x}", "{x}", "1", "11"},
        {"abc", "", "z", "abc"},      // empty pattern: nothing to replace
        {"aaa", "aa", "b", "ba"},     // matches do not overlap
        {"a-a", "a", "aa", "aa-aa"},  // the replacement is not searched again
        {"{type}: {value}", "{value}", "{type}", "{type}: {type}"},
        {"", "x", "y", ""},
        {"no match", "zz", "y", "no match"},
    };
    for (const ReplaceCase& c : cases) {
        EXPECT_EQ(String(c.text).replace(c.what, c.with), String(c.expected)) << c.text;
    }
    const String original("x.y");
    (void)original.replace(".", "-");
    EXPECT_EQ(original, String("x.y"));  // a copy is returned
}

TEST(StringTest, FindAndSubStringStayWithinBounds) {
    const String text("ab: cd: ef");
    EXPECT_EQ(text.find(": ", 3), 6u);
    EXPECT_EQ(text.find(": ", 7), String::npos);
    EXPECT_EQ(text.find("ab", 100), String::npos);
    EXPECT_EQ(text.subString(4, 2), String("cd"));
    EXPECT_EQ(text.subString(8, 100), String("ef"));
    EXPECT_EQ(text.subString(text.size()), String());
    EXPECT_EQ(text.subString(text.size() + 5, 3), String());
}

struct ByteCase {
    std::string utf8;
    std::string latin1;
};

TEST(StringTest, LowerByteStringDecodesUtf8AndMarksEverythingElse) {
    const ByteCase cases[] = {
        {"plain ASCII", "plain ASCII"},
        {"\xC3\xA4", "\xE4"},               // U+00E4 fits into one byte
        {"\xC3\xBF", "\xFF"},               // U+00FF, the last one that fits
        {"\xC4\x80", "?"},                  // U+0100 does not
        {"\xE2\x82\xAC", "?"},              // U+20AC
        {"\xF0\x9F\x98\x80", "?"},          // U+1F600
        {"a\x80z", "a?z"},                  // stray continuation byte
        {"\xC3", "?"},                      // sequence cut by the end of the text
        {std::string("\xC3") + "A", "?A"},  // sequence cut by an ASCII byte
        {"\xC0\x80", "??"},                 // overlong NUL
        {"\xC1\xBF", "??"},                 // overlong U+007F
        {"\xE0\x80\xA4", "???"},            // overlong U+0024
        {"\xF8\x88\x80\x80\x80", "?????"},  // five-byte form, not UTF-8
        {"\xFF", "?"},
    };
    for (const ByteCase& c : cases) {
        const qor::CString bytes = String(c.utf8).getLowerByteString();
        EXPECT_EQ(std::string(bytes.c_str(), bytes.size()), c.latin1) << c.utf8;
    }
    EXPECT_STREQ(String("caf\xC3\xA9").getUTF8String().c_str(), "caf\xC3\xA9");
}

TEST(StringTest, SprintfFormatNeverTruncates) {
    EXPECT_EQ(qor::SprintfFormat("%02Xh", 5u), String("05h"));
    EXPECT_EQ(qor::SprintfFormat("%s", ""), String());

    const std::string longText(5000, 'x');
    EXPECT_EQ(qor::SprintfFormat("[%s]%d", longText.c_str(), 42).str(), "[" + longText + "]42");
    EXPECT_EQ(qor::SprintfFormat("%0*d", 3000, 7).size(), 3000u);
}

// A failed bounds check logs the assertion (when admitted) and throws; it changes nothing.
TEST(ArrayTest, OutOfRangeAccessLogsTheAssertionAndThrows) {
    qor::Array<int> values;
    values.append(1);
    values.append(2);
    const qor::Array<int>& constValues = values;
    {
        edidtest::LogCapture log(0);
        EXPECT_EQ(values[1], 2);
        EXPECT_THROW(values[2], qor::AssertionFailure);
        EXPECT_THROW(constValues[100], std::logic_error);
        EXPECT_THROW(qor::Array<int>()[0], qor::AssertionFailure);
        ASSERT_EQ(log.lines().size(), 3u);
        for (const std::string& line : log.lines()) {
            EXPECT_EQ(line.rfind("qor.Assert 5 ", 0), 0u) << line;
            EXPECT_NE(line.find("index < size()"), std::string::npos) << line;
            EXPECT_NE(line.find("Array.h:"), std::string::npos) << line;
        }
    }
    EXPECT_EQ(values.size(), 2u);
    edidtest::LogCapture silent(qor::LogFactory::PRIORITY_OFF);
    EXPECT_THROW(qor::Array<qor::String>()[0], qor::AssertionFailure);
    EXPECT_TRUE(silent.lines().empty());
}

}  // namespace
