#pragma once

// Calls that must not block on a FIFO: the FIFO is made here, and a call still blocked after
// a few seconds is released by opening the FIFO's other end, so that a fault fails the test
// instead of hanging it. Windows has no FIFOs: there the tests leave their FIFO cases out.

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <functional>
#include <future>
#include <string>

namespace edidtest {

#ifndef _WIN32
/// Makes a FIFO at `path` and returns the path.
inline std::string makeFifo(const std::string& path) {
    ::mkfifo(path.c_str(), 0600);
    return path;
}
#endif

/// Runs `action`; true when it returned within three seconds without any writer on `fifo`.
inline bool returnsWithoutBlocking(const std::string& fifo, const std::function<void()>& action) {
    std::future<void> done = std::async(std::launch::async, action);
    if (done.wait_for(std::chrono::seconds(3)) == std::future_status::ready) {
        done.get();
        return true;
    }
#ifndef _WIN32
    // Opening the writing end releases a reader blocked in open; closing it ends its read.
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
    }
#else
    static_cast<void>(fifo);
#endif
    done.wait();
    return false;
}

}  // namespace edidtest
