#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CoreTestSupport.h"

namespace {

using coretest::Bytes;
using coretest::eol;
using coretest::filled;
using coretest::label;
using coretest::Log;
using coretest::reported;
using edidtest::EdidBuilder;
using edidtest::LogCapture;
using edidtest::Parsed;

// A base block whose slots 1 to 3 hold neither a product name nor a range limits descriptor.
EdidBuilder withoutNameAndRange(std::uint8_t revision) {
    EdidBuilder edid;
    edid.version(1, revision).dummyDescriptor(1).dummyDescriptor(2).dummyDescriptor(3);
    return edid;
}

std::string missing(const char* typeKey, const char* revision, const std::string& extra) {
    return filled("MissingRequiredDescriptor",
                  {{"type", label(typeKey)}, {"ver", "1"}, {"rev", revision}, {"extra", extra}});
}

std::vector<std::string> missingTexts(const Parsed& p, Log::LIBEDID_LOG_CAT category) {
    std::vector<std::string> out;
    for (const Log& m : p.withKey("MissingRequiredDescriptor")) {
        EXPECT_EQ(m.getLevel(), Log::LIBEDID_LOG_LEVEL_ERROR);
        EXPECT_EQ(m.getCategory(), category);
        out.push_back(m.getMesg().str());
    }
    return out;
}

TEST(ParseDriverTest, RequiredDescriptorsDependOnTheRevision) {
    const std::string continuous = " - " + label("ContinuousFrequencyDisplay");
    struct Case {
        const char* what;
        Bytes bytes;
        Log::LIBEDID_LOG_CAT category;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"1.3 without both: range limits first",
         withoutNameAndRange(3).bytes(),
         Log::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_3,
         {missing("RangeLimits", "3", ""), missing("ProductName", "3", "")}},
        {"1.3 with both",
         EdidBuilder().version(1, 3).bytes(),
         Log::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_3,
         {}},
        {"1.3, name in slot 1, range limits in slot 3",
         withoutNameAndRange(3)
             .stringDescriptor(1, 0xFC, "NAME")
             .displayDescriptor(3, 0xFD, {50, 75, 30, 83, 17, 0x00, 0x0A})
             .bytes(),
         Log::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_3,
         {}},
        {"1.3, product name tag in slot 0 is a detailed timing",
         withoutNameAndRange(3)
             .stringDescriptor(0, 0xFC, "NAME")
             .stringDescriptor(1, 0xFD, "")
             .bytes(),
         Log::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_3,
         {missing("ProductName", "3", "")}},
        {"1.3, range limits tag behind pixel clock 0100h is a detailed timing",
         withoutNameAndRange(3)
             .stringDescriptor(1, 0xFC, "NAME")
             .displayDescriptor(2, 0xFD, {50, 75, 30, 83, 17, 0x00, 0x0A})
             .set(0x5A, {0x00, 0x01})
             .bytes(),
         Log::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_3,
         {missing("RangeLimits", "3", "")}},
        {"1.4 not continuous",
         withoutNameAndRange(4).features(0x0A).bytes(),
         Log::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_4,
         {}},
        {"1.4 continuous without range limits",
         withoutNameAndRange(4).features(0x0B).bytes(),
         Log::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_4,
         {missing("RangeLimits", "4", continuous)}},
        {"1.4 continuous with range limits",
         EdidBuilder().features(0x0B).bytes(),
         Log::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_4,
         {}},
        {"1.2", withoutNameAndRange(2).bytes(), Log::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_3, {}},
        {"2.3",
         withoutNameAndRange(3).version(2, 3).features(0x0B).bytes(),
         Log::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_3,
         {}},
    };
    for (const Case& c : cases) {
        Parsed p(c.bytes);
        ASSERT_TRUE(p.parse()) << c.what;
        EXPECT_EQ(missingTexts(p, c.category), c.expected) << c.what;
    }
}

TEST(ParseDriverTest, TrailerReportsFlagChecksumAndExtensionBlocks) {
    const Bytes bytes = EdidBuilder().extensionBlock(0x02).extensionBlock(0x70).bytes();
    Parsed p(bytes);
    ASSERT_TRUE(p.parse());
    const auto values = p.withKey("ReportedValue");
    ASSERT_GE(values.size(), 3u);
    const std::string hexByte[] = {qor::SprintfFormat("%02Xh", bytes[127]).str(),
                                   qor::SprintfFormat("%02Xh", bytes[255]).str(),
                                   qor::SprintfFormat("%02Xh", bytes[383]).str()};
    const std::string blocks = eol() + " " + label("ExtBlockTagNumber") + " : 02" + eol() + " " +
                               label("Checksum") + " : " + hexByte[1] + eol() + " " +
                               label("ExtBlockTagNumber") + " : 70" + eol() + " " +
                               label("Checksum") + " : " + hexByte[2];
    // The driver's reports are the last messages of the parse.
    const auto& messages = p.parser.getMessages();
    const std::size_t n = messages.size();
    EXPECT_EQ(messages[n - 3].getMesg().str(), reported("ExtFlag", "02h"));
    EXPECT_EQ(messages[n - 2].getMesg().str(), reported("Checksum", hexByte[0]));
    EXPECT_EQ(messages[n - 1].getMesg().str(), reported("ExtBlocks", blocks));
    for (std::size_t i = n - 3; i < n; ++i) {
        EXPECT_EQ(messages[i].getLevel(), Log::LIBEDID_LOG_LEVEL_INFO);
        EXPECT_EQ(messages[i].getCategory(), Log::LIBEDID_LOG_CAT_GENERAL);
    }

    // The driver's reports are stored only, never appended to the EDID string.
    qor::String text;
    ASSERT_TRUE(p.parser.getEDIDString(text, false));
    EXPECT_EQ(text.str().find(reported("ExtFlag", "02h")), std::string::npos);
}

TEST(ParseDriverTest, UnreadableExtensionLeavesOutTheBlockReport) {
    Parsed p(EdidBuilder().extensionCount(1).bytes());
    ASSERT_TRUE(p.parse());
    const auto& messages = p.parser.getMessages();
    const std::size_t n = messages.size();
    EXPECT_EQ(messages[n - 2].getMesg().str(), reported("ExtFlag", "01h"));
    EXPECT_EQ(messages[n - 1].getKey(), qor::String("ReportedValue"));
    EXPECT_EQ(messages[n - 1].getMesg().str().rfind(label("Checksum"), 0), 0u);
}

TEST(ParseDriverTest, SerialAndModelGoToTheObserversLast) {
    Parsed p(EdidBuilder().serialNumber(0x01020304).bytes());
    ASSERT_TRUE(p.parse());
    const auto& props = p.observer->properties;
    ASSERT_GE(props.size(), 2u);
    EXPECT_EQ(props[props.size() - 2].name, "MonitorSerialNumber");
    EXPECT_EQ(props[props.size() - 2].text(), p.parser.getSerialNumber().str());
    EXPECT_EQ(props.back().name, "MonitorModelNumber");
    EXPECT_EQ(props.back().text(), p.parser.getProductName().str());
    EXPECT_EQ(props.back().value.getType(), qor::QORValue::TYPE_STRING);

    Parsed noSerial(EdidBuilder().bytes());
    ASSERT_TRUE(noSerial.parse());
    EXPECT_EQ(noSerial.observer->find("MonitorSerialNumber"), nullptr);
    EXPECT_EQ(noSerial.observer->properties.back().name, "MonitorModelNumber");
}

TEST(ParseDriverTest, InaccessibleSourceRunsNoVerifier) {
    LogCapture log(1);
    Parsed p(Bytes{});
    EXPECT_FALSE(p.parse());
    EXPECT_EQ(p.keys(), std::vector<std::string>{"CannotAccessEDID"});
    EXPECT_TRUE(p.observer->properties.empty());
    EXPECT_EQ(log.startingWith("Entering EDIDParser::parseEDID").size(), 1u);
    EXPECT_EQ(log.startingWith("Leaving EDIDParser::parseEDID").size(), 1u);

    Parsed unreadable(Bytes(127, 0));
    EXPECT_FALSE(unreadable.parse());
    EXPECT_EQ(unreadable.keys(), std::vector<std::string>{"CannotAccessEDID"});
}

TEST(ParseDriverTest, ParsingTwiceDoublesMessagesAndAppendedLines) {
    Parsed p(EdidBuilder().bytes());
    ASSERT_TRUE(p.parse());
    const std::vector<std::string> once = p.keys();
    qor::String first;
    ASSERT_TRUE(p.parser.getEDIDString(first, false));
    ASSERT_FALSE(first.isEmpty());

    ASSERT_TRUE(p.parser.parseEDID(false));
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(p.keys(), twice);
    qor::String second;
    ASSERT_TRUE(p.parser.getEDIDString(second, false));
    EXPECT_EQ(second.str(), first.str() + first.str());
}

TEST(ParseDriverTest, EdidStringParsesOnlyWhenEmptyOrForced) {
    Parsed p(EdidBuilder().bytes());
    qor::String text;
    ASSERT_TRUE(p.parser.getEDIDString(text, false));
    const std::size_t perParse = p.parser.getMessages().size();
    qor::String again;
    ASSERT_TRUE(p.parser.getEDIDString(again, false));
    EXPECT_EQ(again, text);
    EXPECT_EQ(p.parser.getMessages().size(), perParse);

    LogCapture log(1);
    ASSERT_TRUE(p.parser.getEDIDString(again, true));  // emptied, read and parsed again
    EXPECT_EQ(again, text);
    EXPECT_EQ(p.parser.getMessages().size(), 2 * perParse);
    EXPECT_EQ(log.startingWith("83 ").size(), 1u);

    Parsed none(Bytes{});
    qor::String kept("kept");
    EXPECT_FALSE(none.parser.getEDIDString(kept, false));
    EXPECT_EQ(kept, qor::String("kept"));
    EXPECT_TRUE(none.parser.getMessages().isEmpty());
}

TEST(ParseDriverTest, IdentifierJoinsProductNameAndSerialNumber) {
    struct Case {
        const char* what;
        Bytes bytes;
        const char* expected;
    };
    const Case cases[] = {
        {"no descriptors, serial bytes 0", withoutNameAndRange(4).bytes(), "DEL-A07Bh"},
        {"numeric serial", withoutNameAndRange(4).serialNumber(0x00ABCDEF).bytes(),
         "DEL-A07Bh-00ABCDEFh"},
        {"name and serial descriptors",
         EdidBuilder().serialNumber(7).stringDescriptor(3, 0xFF, "SN123").bytes(),
         "TEST MONITOR-SN123"},
    };
    for (const Case& c : cases) {
        Parsed p(c.bytes);
        qor::String id;
        ASSERT_TRUE(p.parser.getEDIDIdentifier(id, false)) << c.what;
        EXPECT_EQ(id.str(), c.expected) << c.what;
    }
}

TEST(ParseDriverTest, IdentifierParsesOnceUnlessForced) {
    Parsed p(EdidBuilder().bytes());
    qor::String id;
    ASSERT_TRUE(p.parser.getEDIDIdentifier(id, false));
    const std::size_t perParse = p.parser.getMessages().size();
    ASSERT_TRUE(p.parser.getEDIDIdentifier(id, false));
    EXPECT_EQ(p.parser.getMessages().size(), perParse);
    ASSERT_TRUE(p.parser.getEDIDIdentifier(id, true));
    EXPECT_EQ(p.parser.getMessages().size(), 2 * perParse);

    Parsed none(Bytes{});
    qor::String kept("kept");
    EXPECT_FALSE(none.parser.getEDIDIdentifier(kept, false));
    EXPECT_FALSE(none.parser.getEDIDIdentifier(kept, true));
    EXPECT_EQ(kept, qor::String("kept"));
    EXPECT_EQ(none.keys(), (std::vector<std::string>{"CannotAccessEDID", "CannotAccessEDID"}));
}

}  // namespace
