#pragma once

// Helpers of the base library's tests: capture of technical-log lines (LogCapture.h, shared
// with the library's tests) and checks that need a process of their own.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "LogCapture.h"

namespace qortest {

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
