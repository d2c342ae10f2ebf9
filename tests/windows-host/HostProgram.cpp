// edid_host.exe FILE...: a Windows program that uses libEDID.dll the way a diagnostics
// application may, and checks that the library's per-thread state survives it:
//  1. it loads the library (through edid_host_worker.dll) with LoadLibrary, renders every EDID
//     once on the main thread, then eight threads parse the EDIDs 200 times each and compare
//     every rendering with the main thread's; while those threads are still alive the library
//     is unloaded with FreeLibrary, and only then do the threads end;
//  2. it loads the library again, which must give the same renderings, runs the eight threads
//     again, lets them end while the library is loaded and exits with the library loaded.
// Exit status 0 when every rendering matched and the library was really unloaded, 1 otherwise,
// 2 on a usage error. A fault in the library's thread or process exit shows as a crash or a
// hang (the CI runs it under a time limit).

#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kThreads = 8;
constexpr std::size_t kParsesPerThread = 200;

using Bytes = std::vector<unsigned char>;
using ReportFunction = std::size_t (*)(const unsigned char*, std::size_t, char*, std::size_t);

bool readFile(const char* path, Bytes& out) {
    std::ifstream in(path, std::ios::binary);
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.good() || in.eof();
}

// The worker DLL, loaded for the life of the object unless unloaded before.
class Worker {
  public:
    Worker() : module_(LoadLibraryW(L"edid_host_worker.dll")) {
        if (module_ != nullptr) {
            report_ = reinterpret_cast<ReportFunction>(
                reinterpret_cast<void*>(GetProcAddress(module_, "edidHostReport")));
        }
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    bool loaded() const { return report_ != nullptr; }

    // The rendering of one parse; empty when the EDID could not be read.
    std::string render(const Bytes& edid) const {
        std::string text(16 * 1024, '\0');
        std::size_t length = report_(edid.data(), edid.size(), text.data(), text.size());
        if (length >= text.size()) {
            text.resize(length + 1);
            length = report_(edid.data(), edid.size(), text.data(), text.size());
        }
        text.resize(length);
        return text;
    }

    // True when the worker and libEDID.dll are both gone from the process afterwards.
    bool unload() {
        report_ = nullptr;
        const bool freed = FreeLibrary(module_) != 0;
        module_ = nullptr;
        return freed && GetModuleHandleW(L"edid_host_worker.dll") == nullptr &&
               GetModuleHandleW(L"libEDID.dll") == nullptr;
    }

  private:
    HMODULE module_;
    ReportFunction report_ = nullptr;
};

// Holds the threads that have done their parses until the main thread lets them end.
class Gate {
  public:
    void waitOpen() {
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
    }
    void waitArrivals(std::size_t count) {
        std::unique_lock lock(mutex_);
        arrived_.wait(lock, [&] { return arrivals_ == count; });
    }
    void arrive() {
        const std::lock_guard lock(mutex_);
        ++arrivals_;
        arrived_.notify_all();
    }
    void open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        opened_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::condition_variable opened_;
    std::size_t arrivals_ = 0;
    bool open_ = false;
};

std::vector<std::string> renderAll(const Worker& worker, const std::vector<Bytes>& edids) {
    std::vector<std::string> renderings;
    for (const Bytes& edid : edids) {
        renderings.push_back(worker.render(edid));
    }
    return renderings;
}

// Eight threads parse the EDIDs (each starting at another one) and count the renderings that
// differ from `expected`. `beforeThreadsEnd`, when given, runs once every thread has done its
// parses and before any of them ends. Returns the number of differences.
std::size_t parseInThreads(const Worker& worker, const std::vector<Bytes>& edids,
                           const std::vector<std::string>& expected,
                           const std::function<void()>& beforeThreadsEnd = {}) {
    std::vector<std::size_t> differences(kThreads, 0);
    Gate gate;
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (std::size_t i = 0; i < kParsesPerThread; ++i) {
                const std::size_t e = (t + i) % edids.size();
                differences[t] += worker.render(edids[e]) == expected[e] ? 0 : 1;
            }
            gate.arrive();
            gate.waitOpen();
        });
    }
    gate.waitArrivals(kThreads);
    if (beforeThreadsEnd) {
        beforeThreadsEnd();
    }
    gate.open();
    std::size_t total = 0;
    for (std::size_t t = 0; t < kThreads; ++t) {
        threads[t].join();
        total += differences[t];
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: edid_host FILE...\n");
        return 2;
    }
    std::vector<Bytes> edids(static_cast<std::size_t>(argc - 1));
    for (int i = 1; i < argc; ++i) {
        if (!readFile(argv[i], edids[static_cast<std::size_t>(i - 1)])) {
            std::fprintf(stderr, "edid_host: cannot read %s\n", argv[i]);
            return 2;
        }
    }
    int status = 0;
    const auto check = [&status](bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "edid_host: FAIL: %s\n", what);
            status = 1;
        }
    };

    std::vector<std::string> expected;
    {
        Worker worker;
        if (!worker.loaded()) {
            std::fprintf(stderr, "edid_host: cannot load edid_host_worker.dll\n");
            return 1;
        }
        expected = renderAll(worker, edids);
        check(std::none_of(expected.begin(), expected.end(),
                           [](const std::string& rendering) { return rendering.empty(); }),
              "an EDID could not be read");
        bool unloaded = false;
        check(parseInThreads(worker, edids, expected, [&] { unloaded = worker.unload(); }) == 0,
              "a thread's rendering differs (library loaded)");
        check(unloaded, "FreeLibrary left libEDID.dll loaded");
    }
    // Loaded again: fresh library state, the same results. It stays loaded until the process
    // exits.
    Worker again;
    check(again.loaded(), "the library could not be loaded again");
    if (again.loaded()) {
        check(renderAll(again, edids) == expected, "the reloaded library renders differently");
        check(parseInThreads(again, edids, expected) == 0,
              "a thread's rendering differs (library reloaded)");
    }
    if (status == 0) {
        std::printf("edid_host: %zu EDIDs, 2 x %zu threads x %zu parses, all equal\n", edids.size(),
                    kThreads, kParsesPerThread);
    }
    return status;
}
