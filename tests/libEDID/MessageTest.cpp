#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "CoreTestSupport.h"
#include "qor/Resource.h"

namespace {

using namespace coretest;
using qor::String;

// Texts of this test alone, in the library's section.
class MessageTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        qor::Resource::addStrings("libEDID", "en",
                                  "LocalizedString.CoreTestPair = {type} then {value}, {type}\n"
                                  "LocalizedString.CoreTestNoColon = nothing to cut\n"
                                  "LocalizedString.CoreTestOneColon = Lead-in: the value\n"
                                  "LocalizedString.CoreTestTwoColons = Lead-in: value: more\n",
                                  false);
    }
};

TEST_F(MessageTest, MissingTextKeepsThePreviousTextAndLogsOneLine) {
    LogCapture log(3);
    Log record("CoreTestNoSuchKey", Log::LIBEDID_LOG_LEVEL_ERROR, Log::LIBEDID_LOG_CAT_HEADER);
    EXPECT_TRUE(record.getMesg().isEmpty());
    EXPECT_EQ(log.lines(),
              Texts{"libEDID.LibEDIDLog 3 38 unable to find string in resource DB for key: "
                    "\"LocalizedString.CoreTestNoSuchKey\""});

    record.setKey("CoreTestNoColon");
    record.setKey("CoreTestAlsoMissing");
    EXPECT_EQ(record.getMesg(), String("nothing to cut"));
    EXPECT_EQ(log.lines().size(), 2u);

    // getString never logs, and a line below the admitted priority is not written.
    EXPECT_TRUE(Log::getString("CoreTestNoSuchKey").isEmpty());
    EXPECT_EQ(Log::getString("CoreTestNoColon"), String("nothing to cut"));
    qor::LogFactory::setPriority(4);
    Log("CoreTestNoSuchKey", Log::LIBEDID_LOG_LEVEL_INFO, Log::LIBEDID_LOG_CAT_GENERAL);
    EXPECT_EQ(log.lines().size(), 2u);
}

TEST_F(MessageTest, VariablesFillOnlyTheirOwnPlaceholders) {
    Log record("CoreTestPair", Log::LIBEDID_LOG_LEVEL_INFO, Log::LIBEDID_LOG_CAT_GENERAL);
    record.setVariable("value", "{type}");
    record.setVariable("unknown", "x");
    EXPECT_EQ(record.getMesg(), String("{type} then {type}, {type}"));
    // Inserted text is never searched for placeholders again: a value that holds one stays as
    // it is, so no fill can multiply the text.
    record.setVariable("type", "A");
    EXPECT_EQ(record.getMesg(), String("A then {type}, A"));
    record.setVariable("type", "B");
    EXPECT_EQ(record.getMesg(), String("A then {type}, A"));

    // Level and category never touch the text; setKey loads a fresh template and keeps them.
    record.setLevel(Log::LIBEDID_LOG_LEVEL_ERROR);
    record.setCategory(Log::LIBEDID_LOG_CAT_SRGB);
    EXPECT_EQ(record.getMesg(), String("A then {type}, A"));
    record.setKey("CoreTestPair");
    record.setVariable("type", "{type}{value}");
    EXPECT_EQ(record.getMesg(), String("{type}{value} then {value}, {type}{value}"));
    record.setVariable("value", "C");
    EXPECT_EQ(record.getMesg(), String("{type}{value} then C, {type}{value}"));
    EXPECT_EQ(record.getLevel(), Log::LIBEDID_LOG_LEVEL_ERROR);
    EXPECT_EQ(record.getCategory(), Log::LIBEDID_LOG_CAT_SRGB);

    Log empty;  // no key, no text: a variable has nothing to fill
    empty.setVariable("type", "x");
    EXPECT_TRUE(empty.getMesg().isEmpty());
}

TEST_F(MessageTest, TrimmedTextStartsAfterTheFirstColonBlank) {
    for (const auto& [key, trimmed] : {std::pair{"CoreTestNoColon", "nothing to cut"},
                                       {"CoreTestOneColon", "the value"},
                                       {"CoreTestTwoColons", "value: more"}}) {
        const Log record(key, Log::LIBEDID_LOG_LEVEL_INFO, Log::LIBEDID_LOG_CAT_GENERAL);
        EXPECT_EQ(record.getMesgTrimmed(), String(trimmed)) << key;
        EXPECT_EQ(record.getMesg(), Log::getString(key));  // trimming leaves the text
    }
}

// A moved message keeps its key (its own, or the text table's for a message of a parse), its
// text, level and category, and the placeholders still open.
TEST_F(MessageTest, AMovedMessageKeepsItsKeyTextAndOpenPlaceholders) {
    Log record("CoreTestPair", Log::LIBEDID_LOG_LEVEL_ERROR, Log::LIBEDID_LOG_CAT_SRGB);
    record.setVariable("value", "V");
    std::vector<Log> kept;
    kept.push_back(std::move(record));
    kept.reserve(kept.capacity() + 1);  // moves it once more
    Log& moved = kept.front();
    EXPECT_EQ(moved.getKey(), String("CoreTestPair"));
    moved.setVariable("type", "T");
    EXPECT_EQ(moved.getMesg(), String("T then V, T"));
    EXPECT_EQ(moved.getLevel(), Log::LIBEDID_LOG_LEVEL_ERROR);
    EXPECT_EQ(moved.getCategory(), Log::LIBEDID_LOG_CAT_SRGB);

    Parsed parsed(EdidBuilder().bytes());
    ASSERT_TRUE(parsed.parse());
    const Log& first = parsed.parser.getMessages()[0];
    Log copy = first;
    const Log fromParse(std::move(copy));
    EXPECT_FALSE(fromParse.getKey().isEmpty());
    EXPECT_EQ(fromParse.getKey(), first.getKey());
    EXPECT_EQ(fromParse.getMesg(), first.getMesg());
}

}  // namespace
