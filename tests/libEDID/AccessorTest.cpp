#include <gtest/gtest.h>

#include "EdidBuilder.h"
#include "ParseHarness.h"

namespace {

TEST(ParserSmokeTest, ParsesBuiltEdid) {
    edidtest::Parsed p(edidtest::EdidBuilder().bytes());
    EXPECT_TRUE(p.parser.verifyChecksum(false));
    EXPECT_TRUE(p.parse());
}

}  // namespace
