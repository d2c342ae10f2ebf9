#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "QorTestSupport.h"
#include "qor/Logging.h"

namespace {

using edidtest::LogCapture;
using qortest::logger;
using Lines = std::vector<std::string>;

// Loggers live as long as the process: each test uses names of its own and restores the
// thresholds it changes.

// A line is admitted when its priority reaches both the global priority and the logger's
// threshold; an unadmitted line is not even built, an admitted one goes to the sink with the
// logger's name and its priority.
TEST(LoggingTest, GlobalPriorityAndThresholdBothGateALine) {
    qor::Logger* log = logger("qt.gate");
    EXPECT_EQ(logger("qt.gate"), log);  // created once, then kept
    int built = 0;
    const auto piece = [&built](const char* text) {
        ++built;
        return qor::String(text);
    };
    {
        LogCapture lines(3);
        EXPECT_FALSE(log->isEnabled(2));
        EXPECT_TRUE(log->isEnabled(3));
        log->setThreshold(4);
        EXPECT_FALSE(log->isEnabled(3));
        EXPECT_TRUE(log->isEnabled(4));
        qor::LogFactory::setPriority(5);  // the stricter of both counts
        EXPECT_FALSE(log->isEnabled(4));

        qor::LogFactory::setPriority(0);
        QOR_LOG(log, 3, "1 " + piece("refused by the threshold"));
        log->log(3, qor::LoggerStream() + "2 refused too");
        log->setThreshold(0);
        QOR_LOG(log, 1, "3 " + piece("admitted") + " " + -1 + " " + 128u + " " + 5000000000LL);
        EXPECT_EQ(lines.lines(), Lines{"qt.gate 1 3 admitted -1 128 5000000000"});
        EXPECT_EQ(built, 1);
    }
    QOR_LOG(log, 5, "4 " + piece("silenced"));  // the default priority silences everything
    EXPECT_EQ(built, 1);
}

TEST(LoggingTest, TraceLoggerMarksEntryAndExitAtPriorityOne) {
    qor::Logger* log = logger("qt.trace");
    LogCapture lines(0);
    { qor::TraceLogger scope(log, "Parser::parse", "Parser.cpp", 42); }
    ASSERT_EQ(lines.lines().size(), 2u);
    EXPECT_EQ(lines.lines()[0].rfind("qt.trace 1 Entering Parser::parse", 0), 0u);
    EXPECT_NE(lines.lines()[0].find("Parser.cpp:42"), std::string::npos);
    EXPECT_EQ(lines.lines()[1], "qt.trace 1 Leaving Parser::parse");

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
        qortest::setEnvironment("QOR_LOG_PRIORITY", "2");
        return qor::LogFactory::getPriority() == 2;
    });
    qortest::expectInFreshProcess([] {
        qortest::setEnvironment("QOR_LOG_PRIORITY", "2x");
        return qor::LogFactory::getPriority() == qor::LogFactory::PRIORITY_OFF;
    });
}

}  // namespace
