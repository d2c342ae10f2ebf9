#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "qor/Resource.h"

namespace {

using coretest::Log;
using edidtest::LogCapture;

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

TEST_F(MessageTest, DefaultRecordIsEmptyInfoGeneral) {
    const Log record;
    EXPECT_TRUE(record.getKey().isEmpty());
    EXPECT_TRUE(record.getMesg().isEmpty());
    EXPECT_EQ(record.getLevel(), Log::LIBEDID_LOG_LEVEL_INFO);
    EXPECT_EQ(record.getCategory(), Log::LIBEDID_LOG_CAT_GENERAL);
    EXPECT_EQ(static_cast<int>(Log::LIBEDID_LOG_CAT_UNUSED), 1);
    EXPECT_EQ(static_cast<int>(Log::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_4), 17);
}

TEST_F(MessageTest, MissingTextLeavesTheTextAndLogsOneLine) {
    LogCapture log(3);
    const Log record("CoreTestNoSuchKey", Log::LIBEDID_LOG_LEVEL_ERROR,
                     Log::LIBEDID_LOG_CAT_HEADER);
    EXPECT_TRUE(record.getMesg().isEmpty());
    EXPECT_EQ(record.getKey(), qor::String("CoreTestNoSuchKey"));
    EXPECT_EQ(record.getLevel(), Log::LIBEDID_LOG_LEVEL_ERROR);
    EXPECT_EQ(record.getCategory(), Log::LIBEDID_LOG_CAT_HEADER);

    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].logger, "libEDID.LibEDIDLog");
    EXPECT_EQ(log.lines()[0].priority, 3);
    EXPECT_EQ(log.lines()[0].text,
              "38 unable to find string in resource DB for key: "
              "\"LocalizedString.CoreTestNoSuchKey\"");

    // getString never logs, and a line below the admitted priority is not written.
    EXPECT_TRUE(Log::getString("CoreTestNoSuchKey").isEmpty());
    EXPECT_EQ(Log::getString("CoreTestNoColon"), qor::String("nothing to cut"));
    qor::LogFactory::setPriority(4);
    Log("CoreTestNoSuchKey", Log::LIBEDID_LOG_LEVEL_INFO, Log::LIBEDID_LOG_CAT_GENERAL);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(MessageTest, SetKeyWithoutTextKeepsThePreviousText) {
    LogCapture log(3);
    Log record("CoreTestNoColon", Log::LIBEDID_LOG_LEVEL_WARNING, Log::LIBEDID_LOG_CAT_GENERAL);
    record.setKey("CoreTestAlsoMissing");
    EXPECT_EQ(record.getKey(), qor::String("CoreTestAlsoMissing"));
    EXPECT_EQ(record.getMesg(), qor::String("nothing to cut"));
    EXPECT_EQ(log.lines().size(), 1u);

    record.setKey("CoreTestOneColon");  // a key with a text replaces it
    EXPECT_EQ(record.getMesg(), qor::String("Lead-in: the value"));
}

TEST_F(MessageTest, VariablesFillOnlyTheirOwnPlaceholders) {
    Log record("CoreTestPair", Log::LIBEDID_LOG_LEVEL_INFO, Log::LIBEDID_LOG_CAT_GENERAL);
    record.setVariable("value", "{type}");
    EXPECT_EQ(record.getMesg(), qor::String("{type} then {type}, {type}"));
    record.setVariable("unknown", "x");
    EXPECT_EQ(record.getMesg(), qor::String("{type} then {type}, {type}"));
    record.setVariable("type", "A");
    EXPECT_EQ(record.getMesg(), qor::String("A then A, A"));

    // Re-use: setKey loads a fresh template; level and category stay.
    record.setLevel(Log::LIBEDID_LOG_LEVEL_ERROR);
    record.setKey("CoreTestPair");
    record.setVariable("type", "B");
    EXPECT_EQ(record.getMesg(), qor::String("B then {value}, B"));
    EXPECT_EQ(record.getLevel(), Log::LIBEDID_LOG_LEVEL_ERROR);

    Log empty;
    empty.setVariable("type", "x");
    EXPECT_TRUE(empty.getMesg().isEmpty());
}

TEST_F(MessageTest, TrimmedTextStartsAfterTheFirstColonBlank) {
    struct Case {
        const char* key;
        const char* trimmed;
    };
    const Case cases[] = {
        {"CoreTestNoColon", "nothing to cut"},
        {"CoreTestOneColon", "the value"},
        {"CoreTestTwoColons", "value: more"},
    };
    for (const Case& c : cases) {
        const Log record(c.key, Log::LIBEDID_LOG_LEVEL_INFO, Log::LIBEDID_LOG_CAT_GENERAL);
        EXPECT_EQ(record.getMesgTrimmed(), qor::String(c.trimmed)) << c.key;
        EXPECT_EQ(record.getMesg(), Log::getString(c.key));  // trimming leaves the text
    }
}

TEST_F(MessageTest, LevelAndCategoryNeverTouchTheText) {
    Log record("CoreTestOneColon", Log::LIBEDID_LOG_LEVEL_INFO, Log::LIBEDID_LOG_CAT_GENERAL);
    record.setLevel(Log::LIBEDID_LOG_LEVEL_WARNING);
    record.setCategory(Log::LIBEDID_LOG_CAT_SRGB);
    EXPECT_EQ(record.getMesg(), qor::String("Lead-in: the value"));
    EXPECT_EQ(record.getLevel(), Log::LIBEDID_LOG_LEVEL_WARNING);
    EXPECT_EQ(record.getCategory(), Log::LIBEDID_LOG_CAT_SRGB);

    const Log copy = record;
    Log moved = std::move(record);
    EXPECT_EQ(moved.getMesg(), copy.getMesg());
    EXPECT_EQ(moved.getKey(), copy.getKey());
    EXPECT_EQ(moved.getCategory(), Log::LIBEDID_LOG_CAT_SRGB);
}

}  // namespace
