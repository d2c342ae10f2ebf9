#include <gtest/gtest.h>

#include <string>

#include "QorTestSupport.h"
#include "qor/Logging.h"

namespace {

using qortest::logger;
using qortest::LogLines;

// Loggers live as long as the process: each test uses names of its own and restores the
// thresholds it changes.

TEST(LoggingTest, GlobalPriorityAndThresholdBothGateALine) {
    qor::Logger* log = logger("qt.gate");
    LogLines lines(3);
    EXPECT_EQ(qor::LogFactory::getPriority(), 3);
    EXPECT_EQ(log->resolvePriority(), 0);
    EXPECT_FALSE(log->isEnabled(2));
    EXPECT_TRUE(log->isEnabled(3));

    log->setThreshold(4);
    EXPECT_EQ(log->resolvePriority(), 4);
    EXPECT_FALSE(log->isEnabled(3));
    EXPECT_TRUE(log->isEnabled(4));
    qor::LogFactory::setPriority(5);  // the stricter of both counts
    EXPECT_FALSE(log->isEnabled(4));
    qor::LogFactory::setPriority(0);
    EXPECT_FALSE(log->isEnabled(3));
    log->setThreshold(0);
    EXPECT_TRUE(log->isEnabled(1));

    QOR_LOG(log, 1, "1 " + "admitted");
    log->setThreshold(2);
    QOR_LOG(log, 1, "2 " + "refused");
    log->log(1, qor::LoggerStream() + "3 refused too");
    log->setThreshold(0);
    ASSERT_EQ(lines.lines().size(), 1u);
    EXPECT_EQ(lines.lines()[0].text, "1 admitted");
}

TEST(LoggingTest, SinkReceivesLoggerNamePriorityAndLine) {
    qor::Logger* log = logger("qt.sink");
    qor::Logger* again = nullptr;
    qor::LogFactory::createLogger("qt.sink", again);
    EXPECT_EQ(again, log);
    EXPECT_EQ(log->getName(), qor::String("qt.sink"));

    LogLines lines(0);
    const qor::String name("EDID");
    QOR_LOG(log, 3, "30 " + "error # = " + -1 + ", " + 128u + " " + name + " " + 5000000000LL);
    ASSERT_EQ(lines.lines().size(), 1u);
    EXPECT_EQ(lines.lines()[0].logger, "qt.sink");
    EXPECT_EQ(lines.lines()[0].priority, 3);
    EXPECT_EQ(lines.lines()[0].text, "30 error # = -1, 128 EDID 5000000000");
}

TEST(LoggingTest, UnadmittedLinesAreNotBuilt) {
    qor::Logger* log = logger("qt.lazy");
    int built = 0;
    const auto piece = [&built] {
        ++built;
        return qor::String("expensive");
    };
    {
        LogLines lines(4);
        QOR_LOG(log, 3, "7 " + piece());
        EXPECT_EQ(built, 0);
        EXPECT_TRUE(lines.lines().empty());
        QOR_LOG(log, 4, "7 " + piece());
        EXPECT_EQ(built, 1);
        EXPECT_EQ(lines.lines().size(), 1u);
    }
    QOR_LOG(log, 5, "7 " + piece());  // the default priority silences everything
    EXPECT_EQ(built, 1);
}

TEST(LoggingTest, TraceLoggerMarksEntryAndExitAtPriorityOne) {
    qor::Logger* log = logger("qt.trace");
    LogLines lines(0);
    { qor::TraceLogger scope(log, "Parser::parse", "Parser.cpp", 42); }
    ASSERT_EQ(lines.lines().size(), 2u);
    EXPECT_EQ(lines.lines()[0].priority, 1);
    EXPECT_EQ(lines.lines()[0].logger, "qt.trace");
    EXPECT_EQ(lines.lines()[0].text.rfind("Entering Parser::parse", 0), 0u);
    EXPECT_NE(lines.lines()[0].text.find("Parser.cpp:42"), std::string::npos);
    EXPECT_EQ(lines.lines()[1].priority, 1);
    EXPECT_EQ(lines.lines()[1].text, "Leaving Parser::parse");

    { qor::TraceLogger scope(nullptr, "Parser::parse", "Parser.cpp", 42); }
    qor::LogFactory::setPriority(2);
    { qor::TraceLogger scope(log, "Parser::parse", "Parser.cpp", 42); }
    EXPECT_EQ(lines.lines().size(), 2u);
}

TEST(LoggingTest, DefaultSinkWritesToStandardError) {
    qor::Logger* log = logger("qt.stderr");
    const int previous = qor::LogFactory::getPriority();
    qor::LogFactory::setSink(nullptr);
    qor::LogFactory::setPriority(0);
    testing::internal::CaptureStderr();
    QOR_LOG(log, 3, "45 " + "Unable to open file");
    const std::string written = testing::internal::GetCapturedStderr();
    qor::LogFactory::setPriority(previous);
    EXPECT_EQ(written, "[qt.stderr] 3 45 Unable to open file\n");
}

TEST(LoggingEnvironmentTest, GlobalPriorityComesFromTheEnvironment) {
    qortest::expectInFreshProcess([] {
        setenv("QOR_LOG_PRIORITY", "2", 1);
        return qor::LogFactory::getPriority() == 2;
    });
    qortest::expectInFreshProcess([] {
        setenv("QOR_LOG_PRIORITY", "2x", 1);
        return qor::LogFactory::getPriority() == qor::LogFactory::PRIORITY_OFF;
    });
}

}  // namespace
