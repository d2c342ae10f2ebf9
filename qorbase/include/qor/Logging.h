#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "qor/String.h"

namespace qor {

/// One line of the technical log, collected piece by piece with operator+.
class QOR_API LoggerStream {
  public:
    LoggerStream& operator+(const char* text);
    LoggerStream& operator+(const String& text);
    LoggerStream& operator+(int value);
    LoggerStream& operator+(unsigned value);
    LoggerStream& operator+(long long value);
    LoggerStream& operator+(unsigned long long value);

    const String& str() const { return line_; }

  private:
    String line_;
};

/// A named logger. A line of priority p is admitted when p is at least the global priority
/// (LogFactory) and at least the logger's own threshold; higher numbers are more severe
/// (1 traces, 3 failures of sources, 5 broken assertions). Testing that costs one comparison.
class QOR_API Logger {
  public:
    const String& getName() const { return name_; }

    /// The logger's own threshold (0 unless set).
    int resolvePriority() const { return threshold_.load(std::memory_order_relaxed); }
    void setThreshold(int threshold);

    bool isEnabled(int priority) const {
        return priority >= admitted_.load(std::memory_order_relaxed);
    }
    /// Writes the line if the priority is admitted.
    void log(int priority, const LoggerStream& line) const;

  private:
    friend class LogFactory;
    explicit Logger(String name) : name_(std::move(name)) {}
    void refresh(int globalPriority);

    String name_;
    std::atomic<int> threshold_{0};
    std::atomic<int> admitted_{0};
};

/// Creates and keeps the loggers, holds the global priority and the sink that receives lines.
class QOR_API LogFactory {
  public:
    /// The global priority that silences everything; the default unless the environment
    /// variable QOR_LOG_PRIORITY holds a number.
    static constexpr int PRIORITY_OFF = 1000;

    using Sink = std::function<void(const String& logger, int priority, const String& line)>;

    static int getPriority();
    static void setPriority(int priority);

    /// The logger of that name, created on first request and kept for the life of the process.
    static void createLogger(const String& name, Logger*& out);

    /// Replaces the receiver of admitted lines; an empty sink restores the default, which
    /// writes "[<logger>] <priority> <line>" to stderr.
    static void setSink(Sink sink);

  private:
    friend class Logger;
    static void write(const Logger& logger, int priority, const String& line);
};

/// Logs "Entering <function>" on construction and "Leaving <function>" on destruction at
/// priority 1, when given a logger; with a null logger it does nothing.
class QOR_API TraceLogger {
  public:
    TraceLogger(Logger* logger, const char* function, const char* file, int line);
    ~TraceLogger();
    TraceLogger(const TraceLogger&) = delete;
    TraceLogger& operator=(const TraceLogger&) = delete;

  private:
    Logger* logger_;
    const char* function_;
};

}  // namespace qor

/// Logs a line built from `pieces` (joined with operator+) only when the priority is admitted,
/// so an unadmitted line costs one comparison and builds nothing.
#define QOR_LOG(logger, priority, pieces)                                \
    do {                                                                 \
        ::qor::Logger* qorLogger_ = (logger);                            \
        if (qorLogger_->isEnabled(priority)) {                           \
            qorLogger_->log((priority), ::qor::LoggerStream() + pieces); \
        }                                                                \
    } while (false)
