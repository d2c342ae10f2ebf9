#pragma once

// Capture of the technical log, for the tests of the library and of the base library alike.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "qor/Logging.h"

namespace edidtest {

/// Receives every admitted technical-log line, as "<logger> <priority> <text>", at the given
/// global priority while it lives.
class LogCapture {
  public:
    explicit LogCapture(int priority = 0) : previous_(qor::LogFactory::getPriority()) {
        qor::LogFactory::setSink(
            [lines = lines_](const qor::String& logger, int p, const qor::String& text) {
                lines->emplace_back(logger.str() + " " + std::to_string(p) + " ", text.str());
            });
        qor::LogFactory::setPriority(priority);
    }
    ~LogCapture() {
        qor::LogFactory::setPriority(previous_);
        qor::LogFactory::setSink(nullptr);
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    /// The lines whose text (after logger and priority) starts with `prefix`; all by default.
    std::vector<std::string> lines(const std::string& prefix = "") const {
        std::vector<std::string> out;
        for (const auto& [head, text] : *lines_) {
            if (text.starts_with(prefix)) {
                out.push_back(head + text);
            }
        }
        return out;
    }

  private:
    using Lines = std::vector<std::pair<std::string, std::string>>;  // "<logger> <priority> ", text
    std::shared_ptr<Lines> lines_ = std::make_shared<Lines>();
    int previous_;
};

}  // namespace edidtest
