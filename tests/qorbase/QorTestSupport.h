#pragma once

// Helpers of the base library's tests: capture of technical-log lines and checks that need a
// process of their own.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "qor/Logging.h"

namespace qortest {

/// Receives every admitted line, as "<logger> <priority> <text>", at the given global priority
/// while it lives.
class LogLines {
  public:
    explicit LogLines(int priority = 0) : previous_(qor::LogFactory::getPriority()) {
        qor::LogFactory::setSink(
            [lines = lines_](const qor::String& logger, int p, const qor::String& text) {
                lines->push_back(logger.str() + " " + std::to_string(p) + " " + text.str());
            });
        qor::LogFactory::setPriority(priority);
    }
    ~LogLines() {
        qor::LogFactory::setPriority(previous_);
        qor::LogFactory::setSink(nullptr);
    }
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;

    const std::vector<std::string>& lines() const { return *lines_; }

  private:
    std::shared_ptr<std::vector<std::string>> lines_ = std::make_shared<std::vector<std::string>>();
    int previous_;
};

/// The logger of that name (created on first request).
inline qor::Logger* logger(const char* name) {
    qor::Logger* out = nullptr;
    qor::LogFactory::createLogger(name, out);
    return out;
}

/// Sets an environment variable of this process, or removes it when `value` is null. (On
/// Windows an empty value removes it too.)
inline void setEnvironment(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value != nullptr ? value : "");
#else
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
#endif
}

/// Runs `check` in a child process started afresh and expects it to return true. The base
/// library reads its environment variables when its registries are first used, so a check of
/// them must run before anything else in the process touched those registries.
inline void expectInFreshProcess(const std::function<bool()>& check) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(check() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

}  // namespace qortest
