// Eight threads parse the test EDIDs at the same moment, each with parsers of its own. The
// verifiers' one-time tables, the resource database and the per-class loggers are all first
// used here by several threads at once, so under ThreadSanitizer (the tsan preset) this test
// shows whether the state that parsers share is race-free. In every build, each thread must
// produce exactly what the others produce.

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <latch>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "TestData.h"
#include "Timeline.h"
#include "qor/Logging.h"
#include "qor/Resource.h"

namespace {

constexpr std::size_t kThreads = 8;

struct CorpusEdid {
    edidtest::EdidFile entry;
    std::vector<std::uint8_t> bytes;
};

const std::vector<CorpusEdid>& corpus() {
    static const std::vector<CorpusEdid> edids = [] {
        std::vector<CorpusEdid> out;
        for (const edidtest::EdidFile& entry : edidtest::edidFiles(edidtest::edidDataDir())) {
            out.push_back({entry, edidtest::readBytes(entry.path)});
        }
        return out;
    }();
    return edids;
}

// Observers that call back into the parser that notifies them: one registers another observer
// on its first call, one asks for the identifier (refused while the parse runs).
class RegisteringObserver : public libEDID::EDIDCallback {
  public:
    explicit RegisteringObserver(libEDID::EDIDParser& parser) : parser_(parser) {}
    void onSysInfoProperty(const qor::String&, const qor::QORValue&) override {
        if (!registered_) {
            registered_ = true;
            parser_.registerSysInfoObserver(std::make_shared<RegisteringObserver>(parser_));
        }
    }

  private:
    libEDID::EDIDParser& parser_;
    bool registered_ = false;
};

class IdentifierObserver : public libEDID::EDIDCallback {
  public:
    explicit IdentifierObserver(libEDID::EDIDParser& parser) : parser_(parser) {}
    void onSysInfoProperty(const qor::String&, const qor::QORValue&) override {
        qor::String identifier;
        answered += parser_.getEDIDIdentifier(identifier, true) ? 1 : 0;
    }
    std::size_t answered = 0;

  private:
    libEDID::EDIDParser& parser_;
};

// Odd threads read through file accessors (mapped files), even ones from memory; a thread that
// ignores category 0 turns those messages into "305 " log lines.
struct ThreadOutput {
    std::vector<std::string> reports;  // one rendered parse per EDID
    std::size_t generalMessages = 0;   // stored messages of category 0
    std::size_t nestedAnswers = 0;     // identifiers given to an observer during a parse
};

ThreadOutput parseCorpus(bool fromFiles, bool ignoreGeneral) {
    ThreadOutput output;
    for (const CorpusEdid& edid : corpus()) {
        libEDID::EDIDParser parser(fromFiles ? edidtest::fileAccessor(edid.entry.path)
                                             : edidtest::memoryAccessor(edid.bytes));
        parser.ignoreLogCategory(libEDID::LibEDIDLog::LIBEDID_LOG_CAT_GENERAL, ignoreGeneral);
        parser.registerSysInfoObserver(std::make_shared<RegisteringObserver>(parser));
        const auto asking = std::make_shared<IdentifierObserver>(parser);
        parser.registerSysInfoObserver(asking);
        output.reports.push_back(edidtest::recordTimeline(parser).render());
        output.nestedAnswers += asking->answered;
        for (const libEDID::LibEDIDLog& m : parser.getMessages()) {
            output.generalMessages +=
                m.getCategory() == libEDID::LibEDIDLog::LIBEDID_LOG_CAT_GENERAL ? 1 : 0;
        }
    }
    return output;
}

bool ignoresGeneral(std::size_t thread, bool someIgnore) {
    return someIgnore && thread % 4 < 2;
}

// Starts all threads together, so that first uses of shared state collide; `whileParsing`, when
// given, runs on one more thread until the parsing threads are done.
std::vector<ThreadOutput> parseInParallel(bool someIgnore,
                                          const std::function<void()>& whileParsing = {}) {
    std::vector<ThreadOutput> outputs(kThreads);
    std::latch start(kThreads);
    std::atomic<bool> done{false};
    std::thread other;
    if (whileParsing) {
        other = std::thread([&] {
            while (!done.load()) {
                whileParsing();
            }
        });
    }
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            outputs[t] = parseCorpus(t % 2 == 1, ignoresGeneral(t, someIgnore));
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    done = true;
    if (other.joinable()) {
        other.join();
    }
    return outputs;
}

void expectSameReports(const ThreadOutput& expected, const ThreadOutput& actual, std::size_t t) {
    ASSERT_EQ(expected.reports.size(), actual.reports.size());
    for (std::size_t i = 0; i < expected.reports.size(); ++i) {
        EXPECT_TRUE(expected.reports[i] == actual.reports[i])
            << "thread " << t << " parsed " << corpus()[i].entry.name << " differently";
    }
}

// Every logger admits every line, threads 0, 1, 4 and 5 ignore category 0, and all threads write
// through one sink at once, which counts lines by their number prefix.
TEST(ConcurrencyTest, ThreadsParsingTheCorpusTogetherAgreeWhileEveryLoggerWrites) {
    ASSERT_FALSE(corpus().empty()) << "no EDIDs in " << edidtest::edidDataDir();
    std::mutex mutex;
    std::size_t total = 0;
    std::size_t hexDumps = 0;
    std::size_t ignoredEntries = 0;
    const int previousPriority = qor::LogFactory::getPriority();
    qor::LogFactory::setSink([&](const qor::String&, int, const qor::String& line) {
        const std::lock_guard lock(mutex);
        ++total;
        hexDumps += line.str().rfind("83 ", 0) == 0 ? 1 : 0;
        ignoredEntries += line.str().rfind("305 Entry ignored:", 0) == 0 ? 1 : 0;
    });
    qor::LogFactory::setPriority(0);
    const std::vector<ThreadOutput> outputs = parseInParallel(true);
    qor::LogFactory::setPriority(previousPriority);
    qor::LogFactory::setSink(nullptr);

    // Once every table exists, one thread alone must still give the same output.
    const ThreadOutput alone = parseCorpus(false, false);
    for (std::size_t t = 0; t < kThreads; ++t) {
        expectSameReports(ignoresGeneral(t, true) ? outputs[0] : alone, outputs[t], t);
        EXPECT_EQ(outputs[t].nestedAnswers, 0u);
    }
    EXPECT_EQ(outputs[0].generalMessages, 0u);
    EXPECT_GT(alone.generalMessages, 0u);
    // One hex dump per read: each parser reads its EDID once.
    EXPECT_EQ(hexDumps, kThreads * corpus().size());
    // Each message of category 0 that an ignoring thread dropped was logged instead.
    EXPECT_EQ(ignoredEntries, (kThreads / 2) * alone.generalMessages);
    EXPECT_GT(total, hexDumps + ignoredEntries);
}

// The global locale flips between English and a locale that words two labels differently
// while the threads parse. The texts are looked up through per-locale tables that each thread
// fetches again after a change, but a parse keeps the table it started with: every report is
// wholly English or wholly of the other locale, never a mix.
TEST(ConcurrencyTest, ALocaleChangeWhileThreadsParseGivesWholeReports) {
    ASSERT_FALSE(corpus().empty()) << "no EDIDs in " << edidtest::edidDataDir();
    qor::Resource::addStrings("libEDID", "qq",
                              "LocalizedString.Checksum = Pruefsumme\n"
                              "LocalizedString.Yes = Ja\n");
    const auto useLocale = [](const char* name) {
        qor::QORLocale::setGlobalLocale(qor::QORLocale(name));
    };
    useLocale("qq");
    const ThreadOutput other = parseCorpus(false, false);
    useLocale("en");
    const ThreadOutput english = parseCorpus(false, false);
    ASSERT_NE(other.reports.front(), english.reports.front());

    bool flip = false;
    const std::vector<ThreadOutput> outputs = parseInParallel(false, [&] {
        flip = !flip;
        useLocale(flip ? "qq" : "en");
        std::this_thread::yield();
    });
    useLocale("en");
    for (std::size_t t = 0; t < kThreads; ++t) {
        for (std::size_t i = 0; i < corpus().size(); ++i) {
            const std::string& report = outputs[t].reports[i];
            EXPECT_TRUE(report == english.reports[i] || report == other.reports[i])
                << "thread " << t << " mixed the locales in " << corpus()[i].entry.name;
        }
    }
}

}  // namespace
