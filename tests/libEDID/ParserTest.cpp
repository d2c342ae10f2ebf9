#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CoreTestSupport.h"

namespace {

using coretest::Log;
using edidtest::EdidBuilder;
using edidtest::LogCapture;
using edidtest::Parsed;
using libEDID::EDIDParser;

// Observer that writes "<id>:<name>" into a journal shared by several observers.
struct JournalObserver : libEDID::EDIDCallback {
    JournalObserver(std::string id, std::shared_ptr<std::vector<std::string>> journal)
        : id(std::move(id)), journal(std::move(journal)) {}
    void onSysInfoProperty(const qor::String& name, const qor::QORValue&) override {
        journal->push_back(id + ":" + name.str());
    }
    std::string id;
    std::shared_ptr<std::vector<std::string>> journal;
};

std::size_t countLevel(const EDIDParser& parser, Log::LIBEDID_LOG_LEVEL level) {
    std::size_t n = 0;
    for (const Log& m : parser.getMessages()) {
        n += m.getLevel() == level ? 1 : 0;
    }
    return n;
}

std::string edidString(EDIDParser& parser) {
    qor::String text;
    parser.getEDIDString(text, false);
    return text.str();
}

TEST(ParserTest, NewParserHoldsNothing) {
    Parsed p(EdidBuilder().bytes());
    EXPECT_TRUE(p.parser.getMessages().isEmpty());
    EXPECT_TRUE(p.parser.getSerialNumber().isEmpty());
    EXPECT_TRUE(p.parser.getProductName().isEmpty());
    EXPECT_TRUE(p.parser.isAccessible());
    EXPECT_TRUE(p.observer->properties.empty());
}

TEST(ParserTest, IgnoredCategoryIsNotStoredButStillAppended) {
    Parsed plain(EdidBuilder().bytes());
    ASSERT_TRUE(plain.parse());
    ASSERT_GT(countLevel(plain.parser, Log::LIBEDID_LOG_LEVEL_INFO), 0u);

    Parsed muted(EdidBuilder().bytes());
    muted.parser.ignoreLogCategory(Log::LIBEDID_LOG_CAT_GENERAL, true);
    ASSERT_TRUE(muted.parse());
    EXPECT_EQ(countLevel(muted.parser, Log::LIBEDID_LOG_LEVEL_INFO), 0u);
    EXPECT_EQ(
        muted.parser.getMessages().size(),
        plain.parser.getMessages().size() - countLevel(plain.parser, Log::LIBEDID_LOG_LEVEL_INFO));
    EXPECT_EQ(edidString(muted.parser), edidString(plain.parser));
    EXPECT_FALSE(edidString(muted.parser).empty());
}

TEST(ParserTest, EachIgnoredMessageLogsOneLine) {
    Parsed p(EdidBuilder().checksumOff(0, 5).bytes());
    p.parser.ignoreLogCategory(Log::LIBEDID_LOG_CAT_CHECKSUM, true);
    LogCapture log(3);
    EXPECT_TRUE(p.parser.verifyChecksum(false));
    EXPECT_TRUE(p.parser.getMessages().isEmpty());
    const auto ignored = log.startingWith("305 ");
    ASSERT_EQ(ignored.size(), 1u);
    EXPECT_EQ(ignored[0].logger, "libEDID.EDIDParser");
    EXPECT_EQ(ignored[0].priority, 3);
    EXPECT_EQ(ignored[0].text,
              "305 Entry ignored:" +
                  coretest::filled("ChecksumError", {{"type", coretest::label("BaseEDIDStructure")},
                                                     {"checksum", "05h"},
                                                     {"expected", "00h"}}));
}

TEST(ParserTest, IgnoringIsASetNotACounter) {
    Parsed p(EdidBuilder().checksumOff(0, 5).bytes());
    const auto checksumErrors = [&p] {
        p.parser.clearLogs();
        p.parser.verifyChecksum(false);
        return p.withKey("ChecksumError").size();
    };
    p.parser.ignoreLogCategory(Log::LIBEDID_LOG_CAT_CHECKSUM, true);
    p.parser.ignoreLogCategory(Log::LIBEDID_LOG_CAT_CHECKSUM, true);
    EXPECT_EQ(checksumErrors(), 0u);
    p.parser.ignoreLogCategory(Log::LIBEDID_LOG_CAT_CHECKSUM, false);
    EXPECT_EQ(checksumErrors(), 1u);
    p.parser.ignoreLogCategory(Log::LIBEDID_LOG_CAT_HEADER, false);  // never ignored
    p.parser.ignoreLogCategory(Log::LIBEDID_LOG_CAT_HEADER, true);
    EXPECT_EQ(checksumErrors(), 1u);

    // Stored messages stay when their category is ignored afterwards.
    p.parser.ignoreLogCategory(Log::LIBEDID_LOG_CAT_CHECKSUM, true);
    EXPECT_EQ(p.withKey("ChecksumError").size(), 1u);
}

TEST(ParserTest, ClearLogsKeepsTheEdidString) {
    Parsed p(EdidBuilder().bytes());
    ASSERT_TRUE(p.parse());
    const std::vector<std::string> first = p.keys();
    const std::string text = edidString(p.parser);
    p.parser.clearLogs();
    EXPECT_TRUE(p.parser.getMessages().isEmpty());
    EXPECT_EQ(edidString(p.parser), text);
    ASSERT_TRUE(p.parse());
    EXPECT_EQ(p.keys(), first);
}

TEST(ParserTest, ObserversAreCalledInRegistrationOrder) {
    auto journal = std::make_shared<std::vector<std::string>>();
    auto a = std::make_shared<JournalObserver>("a", journal);
    auto b = std::make_shared<JournalObserver>("b", journal);
    EDIDParser parser(coretest::memoryHandle(EdidBuilder().bytes()));
    parser.registerSysInfoObserver(nullptr);
    parser.registerSysInfoObserver(std::shared_ptr<libEDID::EDIDCallback>());
    parser.registerSysInfoObserver(a);
    parser.registerSysInfoObserver(b);
    parser.registerSysInfoObserver(a);
    parser.notifySysInfoProperty("Name", qor::QORValue(1u));
    EXPECT_EQ(*journal, (std::vector<std::string>{"a:Name", "b:Name", "a:Name"}));

    journal->clear();
    ASSERT_TRUE(parser.parseEDID(false));
    ASSERT_FALSE(journal->empty());
    ASSERT_EQ(journal->size() % 3, 0u);
    for (std::size_t i = 0; i < journal->size(); i += 3) {
        const std::string name = (*journal)[i].substr(2);
        EXPECT_EQ((*journal)[i], "a:" + name);
        EXPECT_EQ((*journal)[i + 1], "b:" + name);
        EXPECT_EQ((*journal)[i + 2], "a:" + name);
    }
}

TEST(ParserTest, CopiesShareAccessorAndObserversButNotMessages) {
    Parsed original(EdidBuilder().checksumOff(0, 1).bytes());
    original.parser.verifyChecksum(false);
    ASSERT_EQ(original.parser.getMessages().size(), 1u);

    EDIDParser copy(original.parser);
    EXPECT_EQ(copy.getAccessor().get(), original.parser.getAccessor().get());
    EXPECT_EQ(copy.getMessages().size(), 1u);  // copied, not shared
    ASSERT_TRUE(copy.parseEDID(false));
    EXPECT_FALSE(original.observer->properties.empty());
    EXPECT_GT(copy.getMessages().size(), 1u);
    EXPECT_EQ(original.parser.getMessages().size(), 1u);
    EXPECT_TRUE(original.parser.getProductName().isEmpty());
    EXPECT_FALSE(copy.getProductName().isEmpty());

    EDIDParser assigned(coretest::memoryHandle({}));
    assigned = copy;
    EXPECT_EQ(assigned.getMessages().size(), copy.getMessages().size());
    EXPECT_EQ(assigned.getProductName(), copy.getProductName());
    assigned = assigned;
    EXPECT_EQ(assigned.getMessages().size(), copy.getMessages().size());
}

TEST(ParserTest, EmptyHandleActsAsAnInaccessibleSource) {
    EDIDParser parser{libEDID::EDIDAccessorHandle()};
    EXPECT_FALSE(parser.isAccessible());
    EXPECT_TRUE(parser.getAccessor().isEmpty());
    EXPECT_FALSE(parser.verifyChecksum(true));
    EXPECT_FALSE(parser.parseEDID(true));
    qor::String text("unchanged");
    EXPECT_FALSE(parser.getEDIDString(text, true));
    EXPECT_FALSE(parser.getEDIDIdentifier(text, true));
    EXPECT_EQ(text, qor::String("unchanged"));
    ASSERT_EQ(parser.getMessages().size(), 3u);
    for (const Log& m : parser.getMessages()) {
        EXPECT_EQ(m.getKey(), qor::String("CannotAccessEDID"));
    }
}

}  // namespace
