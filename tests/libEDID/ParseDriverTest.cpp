#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "CoreTestSupport.h"

namespace {

using namespace coretest;
using libEDID::EDIDParser;

// A base block whose slots 1 to 3 hold neither a product name nor a range limits descriptor.
EdidBuilder withoutNameAndRange(std::uint8_t revision) {
    EdidBuilder edid;
    edid.version(1, revision).dummyDescriptor(1).dummyDescriptor(2).dummyDescriptor(3);
    return edid;
}

// The summary of a "MissingRequiredDescriptor": an error of category 13 (1.3) or 17 (1.4).
std::string missing(const char* typeKey, const char* revision, const std::string& extra = "") {
    return std::string("MissingRequiredDescriptor 2 ") + (revision[0] == '3' ? "13: " : "17: ") +
           filled("MissingRequiredDescriptor",
                  {{"type", label(typeKey)}, {"ver", "1"}, {"rev", revision}, {"extra", extra}});
}

TEST(ParseDriverTest, RequiredDescriptorsDependOnTheRevision) {
    const std::string continuous = " - " + label("ContinuousFrequencyDisplay");
    struct Case {
        const char* what;
        Bytes bytes;
        Texts expected;
    };
    const Case cases[] = {
        {"1.3 without both: range limits first",
         withoutNameAndRange(3).bytes(),
         {missing("RangeLimits", "3"), missing("ProductName", "3")}},
        {"1.3 with both", EdidBuilder().version(1, 3).bytes(), {}},
        {"1.3, name in slot 1, range limits in slot 3",
         withoutNameAndRange(3)
             .stringDescriptor(1, 0xFC, "NAME")
             .displayDescriptor(3, 0xFD, {50, 75, 30, 83, 17, 0x00, 0x0A})
             .bytes(),
         {}},
        {"1.3, product name tag in slot 0 is a detailed timing",
         withoutNameAndRange(3)
             .stringDescriptor(0, 0xFC, "NAME")
             .stringDescriptor(1, 0xFD, "")
             .bytes(),
         {missing("ProductName", "3")}},
        {"1.3, range limits tag behind pixel clock 0100h is a detailed timing",
         withoutNameAndRange(3)
             .stringDescriptor(1, 0xFC, "NAME")
             .displayDescriptor(2, 0xFD, {50, 75, 30, 83, 17, 0x00, 0x0A})
             .set(0x5A, {0x00, 0x01})
             .bytes(),
         {missing("RangeLimits", "3")}},
        {"1.4 not continuous", withoutNameAndRange(4).features(0x0A).bytes(), {}},
        {"1.4 continuous without range limits",
         withoutNameAndRange(4).features(0x0B).bytes(),
         {missing("RangeLimits", "4", continuous)}},
        {"1.4 continuous with range limits", EdidBuilder().features(0x0B).bytes(), {}},
        {"1.2", withoutNameAndRange(2).bytes(), {}},
        {"2.3", withoutNameAndRange(3).version(2, 3).features(0x0B).bytes(), {}},
    };
    for (const Case& c : cases) {
        Parsed p(c.bytes);
        ASSERT_TRUE(p.parse()) << c.what;
        Texts found;
        for (const Log& m : p.withKey("MissingRequiredDescriptor")) {
            found.push_back(summary(m));
        }
        EXPECT_EQ(found, c.expected) << c.what;
    }
}

// A second parse adds its messages and appended lines to those of the first; clearLogs empties
// the messages only, and the next parse stores the same messages again.
TEST(ParseDriverTest, ParsingTwiceDoublesMessagesAndAppendedLinesUntilCleared) {
    Parsed p(EdidBuilder().bytes());
    ASSERT_TRUE(p.parse());
    const Texts once = p.keys();
    qor::String first;
    ASSERT_TRUE(p.parser.getEDIDString(first, false));
    ASSERT_FALSE(first.isEmpty());

    ASSERT_TRUE(p.parser.parseEDID(false));
    Texts twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(p.keys(), twice);
    qor::String second;
    ASSERT_TRUE(p.parser.getEDIDString(second, false));
    EXPECT_EQ(second.str(), first.str() + first.str());

    p.parser.clearLogs();
    EXPECT_TRUE(p.parser.getMessages().isEmpty());
    qor::String kept;
    ASSERT_TRUE(p.parser.getEDIDString(kept, false));
    EXPECT_EQ(kept, second);
    ASSERT_TRUE(p.parse());
    EXPECT_EQ(p.keys(), once);
}

// Without force a call reads the source (its hex-dump line "83 ") only on the first call:
// verifyChecksum then reports its messages again from the bytes read, while getEDIDIdentifier
// and getEDIDString keep the parse already made. With force each reads and runs again;
// getEDIDString empties its text first, so the forced text is that of one parse again.
TEST(ParseDriverTest, ForceDecidesWhetherTheSourceIsReadAgain) {
    const struct {
        const char* what;
        std::function<bool(EDIDParser&, qor::String&, bool)> call;
        bool repeatsWithoutForce;
    } cases[] = {
        {"verifyChecksum", [](EDIDParser& p, qor::String&, bool f) { return p.verifyChecksum(f); },
         true},
        {"getEDIDIdentifier",
         [](EDIDParser& p, qor::String& text, bool f) { return p.getEDIDIdentifier(text, f); },
         false},
        {"getEDIDString",
         [](EDIDParser& p, qor::String& text, bool f) { return p.getEDIDString(text, f); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Parsed p(EdidBuilder().checksumOff(0, 3).bytes());
        LogCapture log(1);
        qor::String first;
        qor::String again;
        ASSERT_TRUE(c.call(p.parser, first, false));
        const std::size_t once = p.parser.getMessages().size();
        ASSERT_GT(once, 0u);
        ASSERT_TRUE(c.call(p.parser, again, false));
        EXPECT_EQ(p.parser.getMessages().size(), (c.repeatsWithoutForce ? 2 : 1) * once);
        EXPECT_EQ(log.lines("83 ").size(), 1u);
        ASSERT_TRUE(c.call(p.parser, again, true));
        EXPECT_EQ(again, first);
        EXPECT_EQ(p.parser.getMessages().size(), (c.repeatsWithoutForce ? 3 : 2) * once);
        EXPECT_EQ(log.lines("83 ").size(), 2u);
    }
}

}  // namespace
