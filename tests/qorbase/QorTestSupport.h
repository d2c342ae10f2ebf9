#pragma once

// Helpers of the base library's tests: capture of technical-log lines, environment variables
// set for one scope, and checks that need a process of their own.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "qor/Logging.h"

namespace qortest {

struct LogLine {
    std::string logger;
    int priority;
    std::string text;
};

/// Receives every admitted line at the given global priority while it lives.
class LogLines {
  public:
    explicit LogLines(int priority = 0) : previous_(qor::LogFactory::getPriority()) {
        auto lines = lines_;
        qor::LogFactory::setSink([lines](const qor::String& logger, int p, const qor::String& t) {
            lines->push_back({logger.str(), p, t.str()});
        });
        qor::LogFactory::setPriority(priority);
    }
    ~LogLines() {
        qor::LogFactory::setPriority(previous_);
        qor::LogFactory::setSink(nullptr);
    }
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;

    const std::vector<LogLine>& lines() const { return *lines_; }

  private:
    std::shared_ptr<std::vector<LogLine>> lines_ = std::make_shared<std::vector<LogLine>>();
    int previous_;
};

/// The logger of that name (created on first request).
inline qor::Logger* logger(const char* name) {
    qor::Logger* out = nullptr;
    qor::LogFactory::createLogger(name, out);
    return out;
}

/// Sets (or, with no value, removes) an environment variable and restores it at the end.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            previous_ = old;
        }
        apply(value);
    }
    ~ScopedEnv() { apply(previous_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void apply(const std::optional<std::string>& value) {
        if (value) {
            setenv(name_.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
    std::string name_;
    std::optional<std::string> previous_;
};

/// Runs `check` in a child process started afresh and expects it to return true. The base
/// library reads its environment variables when its registries are first used, so a check of
/// them must run before anything else in the process touched those registries.
inline void expectInFreshProcess(const std::function<bool()>& check) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(check() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

}  // namespace qortest
