#include <gtest/gtest.h>

#include "qor/String.h"

namespace {

TEST(StringTest, ReplaceReplacesEveryOccurrence) {
    EXPECT_EQ(qor::String("a.b.c").replace(".", ""), qor::String("abc"));
    EXPECT_EQ(qor::String("{x}{x}").replace("{x}", "1"), qor::String("11"));
    EXPECT_EQ(qor::String("abc").replace("", "z"), qor::String("abc"));
}

}  // namespace
