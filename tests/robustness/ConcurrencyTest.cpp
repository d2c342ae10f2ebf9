// Eight threads parse the whole corpus at the same moment, each with parsers of its own. The
// verifiers' one-time tables, the resource database and the per-class loggers are all first
// used here by several threads at once, so under ThreadSanitizer (the tsan preset) this test
// shows whether the state that parsers share is race-free. In every build, each thread must
// produce exactly what the others produce.

#include <gtest/gtest.h>

#include <latch>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ParseReport.h"
#include "qor/Logging.h"

namespace {

constexpr int kThreads = 8;

struct CorpusEdid {
    std::string name;
    std::string path;
    std::vector<std::uint8_t> bytes;
};

std::vector<CorpusEdid> loadCorpus() {
    std::vector<CorpusEdid> corpus;
    for (const edidtest::CorpusEntry& entry : edidtest::corpusEntries(EDID_CORPUS_DIR)) {
        corpus.push_back({entry.name, entry.path, edidtest::readBytes(entry.path)});
    }
    return corpus;
}

struct ThreadPlan {
    bool fromFiles = false;      // file accessors (mapped files) instead of memory accessors
    bool ignoreGeneral = false;  // category 0 ignored: its messages become "305 " log lines
};

struct ThreadOutput {
    std::vector<std::string> reports;  // one rendered parse per EDID
    std::size_t generalMessages = 0;   // stored messages of category 0
};

ThreadOutput parseCorpus(const std::vector<CorpusEdid>& corpus, ThreadPlan plan) {
    ThreadOutput output;
    for (const CorpusEdid& edid : corpus) {
        libEDID::EDIDAccessorHandle handle(
            plan.fromFiles
                ? static_cast<libEDID::EDIDAccessor*>(
                      new libEDID::EDIDAccessorFile(qor::String(edid.path)))
                : new libEDID::EDIDAccessorBuffer(reinterpret_cast<const char*>(edid.bytes.data()),
                                                  static_cast<unsigned>(edid.bytes.size())));
        libEDID::EDIDParser parser(handle);
        parser.ignoreLogCategory(libEDID::LibEDIDLog::LIBEDID_LOG_CAT_GENERAL, plan.ignoreGeneral);
        output.reports.push_back(edidtest::renderParse(edid.name, parser));
        for (const libEDID::LibEDIDLog& m : parser.getMessages()) {
            output.generalMessages +=
                m.getCategory() == libEDID::LibEDIDLog::LIBEDID_LOG_CAT_GENERAL ? 1 : 0;
        }
    }
    return output;
}

// Starts all threads together, so that first uses of shared state collide.
std::vector<ThreadOutput> parseInParallel(const std::vector<CorpusEdid>& corpus,
                                          const std::vector<ThreadPlan>& plans) {
    std::vector<ThreadOutput> outputs(plans.size());
    std::latch start(static_cast<std::ptrdiff_t>(plans.size()));
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < plans.size(); ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            outputs[t] = parseCorpus(corpus, plans[t]);
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    return outputs;
}

// A sink shared by all threads that counts lines by their number prefix.
class CountingSink {
  public:
    explicit CountingSink(int priority) : previousPriority_(qor::LogFactory::getPriority()) {
        qor::LogFactory::setSink([this](const qor::String&, int, const qor::String& line) {
            const std::lock_guard lock(mutex_);
            ++total_;
            hexDumps_ += line.str().rfind("83 ", 0) == 0 ? 1 : 0;
            ignoredEntries_ += line.str().rfind("305 Entry ignored:", 0) == 0 ? 1 : 0;
        });
        qor::LogFactory::setPriority(priority);
    }
    ~CountingSink() {
        qor::LogFactory::setPriority(previousPriority_);
        qor::LogFactory::setSink(nullptr);
    }
    CountingSink(const CountingSink&) = delete;
    CountingSink& operator=(const CountingSink&) = delete;

    std::size_t total() const { return total_; }
    std::size_t hexDumps() const { return hexDumps_; }
    std::size_t ignoredEntries() const { return ignoredEntries_; }

  private:
    std::mutex mutex_;
    std::size_t total_ = 0;
    std::size_t hexDumps_ = 0;
    std::size_t ignoredEntries_ = 0;
    int previousPriority_;
};

void expectSameReports(const ThreadOutput& expected, const ThreadOutput& actual, std::size_t t,
                       const std::vector<CorpusEdid>& corpus) {
    ASSERT_EQ(expected.reports.size(), actual.reports.size());
    for (std::size_t i = 0; i < expected.reports.size(); ++i) {
        EXPECT_TRUE(expected.reports[i] == actual.reports[i])
            << "thread " << t << " parsed " << corpus[i].name << " differently";
    }
}

TEST(ConcurrencyTest, ThreadsParsingTheCorpusTogetherAgree) {
    const std::vector<CorpusEdid> corpus = loadCorpus();
    ASSERT_FALSE(corpus.empty()) << "no EDIDs in " << EDID_CORPUS_DIR;
    std::vector<ThreadPlan> plans(kThreads);
    for (std::size_t t = 0; t < plans.size(); ++t) {
        plans[t].fromFiles = t % 2 == 1;
    }
    const std::vector<ThreadOutput> outputs = parseInParallel(corpus, plans);

    // Once every table exists, one thread alone must still give the same output.
    const ThreadOutput alone = parseCorpus(corpus, {});
    for (std::size_t t = 0; t < outputs.size(); ++t) {
        expectSameReports(alone, outputs[t], t, corpus);
    }
}

// Every logger admits every line, half of the threads ignore category 0, and all threads write
// through one sink at once.
TEST(ConcurrencyTest, ThreadsAgreeWhileEveryLoggerWrites) {
    const std::vector<CorpusEdid> corpus = loadCorpus();
    ASSERT_FALSE(corpus.empty()) << "no EDIDs in " << EDID_CORPUS_DIR;
    std::vector<ThreadPlan> plans(kThreads);
    for (std::size_t t = 0; t < plans.size(); ++t) {
        plans[t].fromFiles = t % 2 == 1;
        plans[t].ignoreGeneral = t % 4 < 2;
    }
    std::vector<ThreadOutput> outputs;
    CountingSink sink(0);
    outputs = parseInParallel(corpus, plans);

    // Threads 0, 1, 4, 5 ignore category 0; threads 2, 3, 6, 7 store it.
    for (std::size_t t = 0; t < outputs.size(); ++t) {
        const std::size_t reference = plans[t].ignoreGeneral ? 0 : 2;
        expectSameReports(outputs[reference], outputs[t], t, corpus);
    }
    EXPECT_EQ(outputs[0].generalMessages, 0u);
    EXPECT_GT(outputs[2].generalMessages, 0u);
    // One hex dump per read: each parser reads its EDID once.
    EXPECT_EQ(sink.hexDumps(), kThreads * corpus.size());
    // Each message of category 0 that an ignoring thread dropped was logged instead.
    EXPECT_EQ(sink.ignoredEntries(), (kThreads / 2) * outputs[2].generalMessages);
    EXPECT_GT(sink.total(), sink.hexDumps() + sink.ignoredEntries());
}

}  // namespace
