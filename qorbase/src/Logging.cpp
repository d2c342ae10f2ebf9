#include "qor/Logging.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

namespace qor {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, std::unique_ptr<Logger>> loggers;
    int globalPriority = LogFactory::PRIORITY_OFF;
    std::shared_ptr<const LogFactory::Sink> sink;

    static Registry& instance() {
        static Registry registry;
        return registry;
    }

  private:
    Registry() {
        if (const char* env = std::getenv("QOR_LOG_PRIORITY")) {
            char* end = nullptr;
            const long value = std::strtol(env, &end, 10);
            if (end != env && *end == '\0') {
                globalPriority = static_cast<int>(value);
            }
        }
    }
};

std::atomic<int>& cachedGlobal() {
    static std::atomic<int> value{Registry::instance().globalPriority};
    return value;
}

}  // namespace

LoggerStream& LoggerStream::operator+(const char* text) {
    line_ += text;
    return *this;
}
LoggerStream& LoggerStream::operator+(const String& text) {
    line_ += text;
    return *this;
}
LoggerStream& LoggerStream::operator+(int value) {
    line_ += std::to_string(value).c_str();
    return *this;
}
LoggerStream& LoggerStream::operator+(unsigned value) {
    line_ += std::to_string(value).c_str();
    return *this;
}
LoggerStream& LoggerStream::operator+(long long value) {
    line_ += std::to_string(value).c_str();
    return *this;
}
LoggerStream& LoggerStream::operator+(unsigned long long value) {
    line_ += std::to_string(value).c_str();
    return *this;
}

void Logger::setThreshold(int threshold) {
    threshold_.store(threshold, std::memory_order_relaxed);
    refresh(LogFactory::getPriority());
}

void Logger::refresh(int globalPriority) {
    const int own = threshold_.load(std::memory_order_relaxed);
    admitted_.store(own > globalPriority ? own : globalPriority, std::memory_order_relaxed);
}

void Logger::log(int priority, const LoggerStream& line) const {
    if (isEnabled(priority)) {
        LogFactory::write(*this, priority, line.str());
    }
}

int LogFactory::getPriority() {
    return cachedGlobal().load(std::memory_order_relaxed);
}

void LogFactory::setPriority(int priority) {
    Registry& registry = Registry::instance();
    std::lock_guard lock(registry.mutex);
    registry.globalPriority = priority;
    cachedGlobal().store(priority, std::memory_order_relaxed);
    for (auto& [name, logger] : registry.loggers) {
        logger->refresh(priority);
    }
}

void LogFactory::createLogger(const String& name, Logger*& out) {
    Registry& registry = Registry::instance();
    std::lock_guard lock(registry.mutex);
    std::unique_ptr<Logger>& slot = registry.loggers[name.str()];
    if (!slot) {
        slot.reset(new Logger(name));
        slot->refresh(registry.globalPriority);
    }
    out = slot.get();
}

void LogFactory::setSink(Sink sink) {
    Registry& registry = Registry::instance();
    std::lock_guard lock(registry.mutex);
    registry.sink = sink ? std::make_shared<const Sink>(std::move(sink)) : nullptr;
}

void LogFactory::write(const Logger& logger, int priority, const String& line) {
    Registry& registry = Registry::instance();
    std::shared_ptr<const Sink> sink;
    {
        std::lock_guard lock(registry.mutex);
        sink = registry.sink;
    }
    if (sink) {
        (*sink)(logger.getName(), priority, line);
        return;
    }
    std::fprintf(stderr, "[%s] %d %s\n", logger.getName().c_str(), priority, line.c_str());
}

TraceLogger::TraceLogger(Logger* logger, const char* function, const char* file, int line)
    : logger_(logger), function_(function) {
    if (logger_ != nullptr) {
        QOR_LOG(logger_, 1, "Entering " + function_ + " (" + file + ":" + line + ")");
    }
}

TraceLogger::~TraceLogger() {
    if (logger_ != nullptr) {
        QOR_LOG(logger_, 1, "Leaving " + function_);
    }
}

}  // namespace qor
