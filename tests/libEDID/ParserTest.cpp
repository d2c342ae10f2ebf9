#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CoreTestSupport.h"
#include "TempDir.h"

namespace {

using namespace coretest;
using libEDID::EDIDParser;

// Observer that writes "<id>:<name>" into a journal shared by several observers.
struct JournalObserver : libEDID::EDIDCallback {
    JournalObserver(std::string name, Texts& log) : id(std::move(name)), journal(log) {}
    void onSysInfoProperty(const qor::String& name, const qor::QORValue&) override {
        journal.push_back(id + ":" + name.str());
    }
    std::string id;
    Texts& journal;
};

// Runs an action on every notification, on the parser that notifies it.
struct CallbackObserver : libEDID::EDIDCallback {
    explicit CallbackObserver(std::function<void()> onEach) : action(std::move(onEach)) {}
    void onSysInfoProperty(const qor::String&, const qor::QORValue&) override { action(); }
    std::function<void()> action;
};

std::string edidString(EDIDParser& parser) {
    qor::String text;
    parser.getEDIDString(text, false);
    return text.str();
}

// A message of an ignored category is not stored: it logs one line 305 instead and, when it
// was meant for the EDID string too, is still appended there. Ignoring is a set, not a counter,
// and stored messages stay when their category is ignored afterwards.
TEST(ParserTest, IgnoredCategories) {
    const Bytes bytes = EdidBuilder().checksumOff(0, 5).bytes();
    Parsed plain(bytes);
    ASSERT_TRUE(plain.parse());
    Texts ignoredLines;
    for (const Log& m : plain.parser.getMessages()) {
        if (m.getCategory() == Log::LIBEDID_LOG_CAT_GENERAL) {
            ignoredLines.push_back("libEDID.EDIDParser 3 305 Entry ignored:" + m.getMesg().str());
        }
    }
    ASSERT_FALSE(ignoredLines.empty());

    Parsed p(bytes);
    p.parser.ignoreLogCategory(Log::LIBEDID_LOG_CAT_GENERAL, true);
    LogCapture log(3);
    ASSERT_TRUE(p.parse());
    EXPECT_EQ(log.lines("305 "), ignoredLines);
    EXPECT_EQ(p.parser.getMessages().size(),
              plain.parser.getMessages().size() - ignoredLines.size());
    EXPECT_EQ(edidString(p.parser), edidString(plain.parser));
    EXPECT_FALSE(edidString(p.parser).empty());

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
    p.parser.ignoreLogCategory(Log::LIBEDID_LOG_CAT_CHECKSUM, true);
    EXPECT_EQ(p.withKey("ChecksumError").size(), 1u);
}

// Observers hear each notification in registration order (a null one is skipped, one registered
// twice hears it twice), during a parse too. An observer that registers observers while being
// notified grows (and moves) the list during the walk; each newcomer hears the notifications
// after the one that added it.
TEST(ParserTest, ObserversAreCalledInRegistrationOrder) {
    Texts journal;
    auto a = std::make_shared<JournalObserver>("a", journal);
    EDIDParser parser(memoryAccessor(EdidBuilder().bytes()));
    parser.registerSysInfoObserver(nullptr);
    parser.registerSysInfoObserver(a);
    parser.registerSysInfoObserver(std::make_shared<JournalObserver>("b", journal));
    parser.registerSysInfoObserver(a);
    parser.notifySysInfoProperty("Name", qor::QORValue(1u));
    EXPECT_EQ(journal, (Texts{"a:Name", "b:Name", "a:Name"}));

    journal.clear();
    ASSERT_TRUE(parser.parseEDID(false));
    ASSERT_FALSE(journal.empty());
    ASSERT_EQ(journal.size() % 3, 0u);
    for (std::size_t i = 0; i < journal.size(); i += 3) {
        const std::string name = journal[i].substr(2);
        EXPECT_EQ(Texts(journal.begin() + i, journal.begin() + i + 3),
                  (Texts{"a:" + name, "b:" + name, "a:" + name}));
    }

    journal.clear();
    EDIDParser growing(memoryAccessor(EdidBuilder().bytes()));
    int added = 0;
    growing.registerSysInfoObserver(std::make_shared<CallbackObserver>([&] {
        for (int i = 0; i < 16; ++i) {  // enough to reallocate the list
            growing.registerSysInfoObserver(
                std::make_shared<JournalObserver>(std::to_string(added++), journal));
        }
    }));
    growing.notifySysInfoProperty("First", qor::QORValue(1u));
    EXPECT_TRUE(journal.empty());
    growing.notifySysInfoProperty("Second", qor::QORValue(2u));
    EXPECT_EQ(journal.size(), 16u);
    EXPECT_EQ(journal.front(), "0:Second");
    EXPECT_EQ(added, 32);
}

// An observer that assigns the parser while it is notified drops the parser's only share of
// itself: it stays alive until its call returns, then goes; the assigned parser's observers
// hear the next notification.
TEST(ParserTest, AnObserverThatAssignsTheParserLivesUntilItsCallReturns) {
    Texts journal;
    EDIDParser replacement(memoryAccessor(EdidBuilder().bytes()));
    replacement.registerSysInfoObserver(std::make_shared<JournalObserver>("new", journal));
    EDIDParser parser(memoryAccessor(EdidBuilder().bytes()));
    std::weak_ptr<CallbackObserver> self;
    auto observer = std::make_shared<CallbackObserver>([&] {
        // Only the frame's own copies are used once the parser is assigned.
        Texts* const log = &journal;
        const std::weak_ptr<CallbackObserver>* const me = &self;
        parser = replacement;
        log->push_back(me->expired() ? "released during its call" : "alive");
    });
    self = observer;
    parser.registerSysInfoObserver(observer);
    observer.reset();
    parser.notifySysInfoProperty("First", qor::QORValue(1u));
    EXPECT_TRUE(self.expired());
    parser.notifySysInfoProperty("Second", qor::QORValue(2u));
    EXPECT_EQ(journal, (Texts{"alive", "new:Second"}));
}

// An observer that reads or parses again on the parser that notifies it is refused at once
// (no recursion) with one ParseInProgress each; the outer parse completes as usual.
TEST(ParserTest, ParsesStartedFromAnObserverAreRefused) {
    Parsed plain(EdidBuilder().bytes());
    ASSERT_TRUE(plain.parse());
    Parsed p(EdidBuilder().bytes());
    std::vector<bool> results;
    p.parser.registerSysInfoObserver(std::make_shared<CallbackObserver>([&] {
        if (!results.empty()) {
            return;
        }
        qor::String text;
        results = {p.parser.getEDIDIdentifier(text, true), p.parser.getEDIDString(text, true),
                   p.parser.parseEDID(true), p.parser.verifyChecksum(true)};
    }));
    ASSERT_TRUE(p.parse());
    EXPECT_EQ(results, std::vector<bool>(4, false));
    EXPECT_EQ(p.withKey("ParseInProgress").size(), 4u);
    EXPECT_EQ(p.withKey("ParseInProgress")[0].getLevel(), Log::LIBEDID_LOG_LEVEL_WARNING);
    EXPECT_EQ(p.observer->names(), plain.observer->names());
    EXPECT_EQ(edidString(p.parser), edidString(plain.parser));
    // Once the parse is over, the same calls work again.
    qor::String identifier;
    EXPECT_TRUE(p.parser.getEDIDIdentifier(identifier, true));
}

// The parser reads whole blocks only, and no more than 7Eh announces; a block announced but
// missing is no finding. Memory and file sources alike.
TEST(ParserTest, ReadsTheWholeAnnouncedBlocksThatArePresent) {
    const TempDir dir;
    struct Case {
        std::size_t size;
        std::uint8_t announced;
        std::size_t extensions;  // blocks read after the base block
    };
    for (const Case c : {Case{128, 0, 0}, Case{256, 0, 0}, Case{384, 2, 2}, Case{256, 3, 1},
                         Case{200, 1, 0}, Case{300, 1, 1}, Case{512, 1, 1}, Case{128, 255, 0}}) {
        Bytes bytes = EdidBuilder().extensionCount(c.announced).bytes();
        bytes.resize(c.size, 0x00);  // zero blocks, whose checksum is right
        const std::string file = dir.write("edid.bin", std::string(bytes.begin(), bytes.end()));
        for (const auto& source : {memoryAccessor(bytes), fileAccessor(file)}) {
            EDIDParser parser(source);
            ASSERT_TRUE(parser.parseEDID(false)) << c.size;
            ASSERT_EQ(parser.getExtensionBlocks().size(), c.extensions) << c.size;
            for (const libEDID::EDIDBlock& block : parser.getExtensionBlocks()) {
                EXPECT_EQ(block[1], 0x00);  // not the base block's FFh
            }
            for (const Log& m : parser.getMessages()) {
                EXPECT_EQ(m.getLevel(), 0) << summary(m);
            }
        }
    }
}

}  // namespace
