// Benchmarks of the parser: what a caller does with each corpus EDID, set against a plain pass
// that formats as many report lines from the same bytes into one reused buffer; heap
// allocations per parse; the first parse of the process; the message-text lookups.
// Run: docs/performance.md. Linux and other POSIX systems (the first parse is timed in fresh
// processes started through popen).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <numeric>
#include <string>
#include <vector>

#include "libEDID/DisplayInfo.h"
#include "libEDID/libEDID.h"

// Every heap allocation of a thread is counted (the library's too: the shared library's calls
// of operator new resolve to these). Counters of the thread: no atomic operation weighs on the
// time measured.
namespace {
thread_local std::size_t gAllocations = 0;
thread_local std::size_t gAllocatedBytes = 0;

void* countedAllocation(std::size_t size) {
    ++gAllocations;
    gAllocatedBytes += size;
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
    return countedAllocation(size);
}
void* operator new[](std::size_t size) {
    return countedAllocation(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

namespace {

using Bytes = std::vector<char>;

std::vector<Bytes> loadCorpus() {
    std::vector<std::filesystem::path> paths;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(EDID_CORPUS_DIR, error)) {
        if (entry.path().extension() == ".bin") {
            paths.push_back(entry.path());
        }
    }
    std::sort(paths.begin(), paths.end());
    std::vector<Bytes> corpus;
    for (const auto& path : paths) {
        std::ifstream in(path, std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return corpus;
}

const std::vector<Bytes>& corpus() {
    static const std::vector<Bytes> edids = loadCorpus();
    return edids;
}

double threadCpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

class CountingObserver : public libEDID::EDIDCallback {
  public:
    void onSysInfoProperty(const qor::String& name, const qor::QORValue&) override {
        bytes += name.size();
    }
    std::size_t bytes = 0;
};

// What a caller does with one EDID: a buffer source in a handle, a parser with an observer,
// the checksums, the parse, the identifier and the EDID string, and every message read.
// Returns the number of messages.
std::size_t callerPath(const Bytes& bytes) {
    libEDID::EDIDParser parser(libEDID::EDIDAccessorHandle(
        new libEDID::EDIDAccessorBuffer(bytes.data(), static_cast<unsigned>(bytes.size()))));
    const auto observer = std::make_shared<CountingObserver>();
    parser.registerSysInfoObserver(observer);
    parser.verifyChecksum(false);
    parser.parseEDID(false);
    qor::String identifier;
    parser.getEDIDIdentifier(identifier, false);
    qor::String edidString;
    parser.getEDIDString(edidString, false);
    std::size_t textBytes = identifier.size() + edidString.size();
    for (const libEDID::LibEDIDLog& message : parser.getMessages()) {
        textBytes += message.getKey().size() + message.getMesg().size() +
                     static_cast<std::size_t>(message.getLevel()) +
                     static_cast<std::size_t>(message.getCategory());
    }
    benchmark::DoNotOptimize(textBytes);
    benchmark::DoNotOptimize(observer->bytes);
    return parser.getMessages().size();
}

// The reference: one pass over the same bytes that formats `lines` report lines, each a label
// and a byte-derived value, with snprintf into one reused buffer.
std::size_t referencePass(const Bytes& bytes, std::size_t lines, std::vector<char>& buffer) {
    static constexpr const char* kLabels[] = {"Manufacturer", "Product code", "Serial number",
                                              "Week",         "Year",         "Version",
                                              "Gamma",        "Checksum"};
    static constexpr std::size_t kLineRoom = 96;
    buffer.resize(std::max(buffer.size(), lines * kLineRoom));
    const std::size_t size = bytes.size();
    std::size_t used = 0;
    for (std::size_t line = 0; line < lines; ++line) {
        const std::size_t offset = (line * 7) % size;
        const auto byte = static_cast<unsigned char>(bytes[offset]);
        const int written =
            std::snprintf(buffer.data() + used, kLineRoom, "%s: %u (%02Xh) at %02zXh\n",
                          kLabels[line % std::size(kLabels)],
                          static_cast<unsigned>(byte * 10u + line), byte, offset);
        used += written > 0 ? static_cast<std::size_t>(written) : 0;
    }
    return used;
}

// Messages of the caller path per corpus EDID, so that the reference formats as many.
const std::vector<std::size_t>& linesPerEdid() {
    static const std::vector<std::size_t> lines = [] {
        std::vector<std::size_t> counts;
        for (const Bytes& bytes : corpus()) {
            counts.push_back(callerPath(bytes));
        }
        return counts;
    }();
    return lines;
}

double firstParseMicroseconds = 0;

// One reference pass over the whole corpus, in thread CPU microseconds.
double timeReferencePass(const std::vector<std::size_t>& lines, std::vector<char>& buffer) {
    const double start = threadCpuMicroseconds();
    for (std::size_t i = 0; i < corpus().size(); ++i) {
        benchmark::DoNotOptimize(referencePass(corpus()[i], lines[i], buffer));
    }
    return threadCpuMicroseconds() - start;
}

// Both passes over the whole corpus in every iteration, each timed in thread CPU time; the
// counters are per EDID.
void BM_CallerPathVsReference(benchmark::State& state) {
    if (corpus().empty()) {
        state.SkipWithError("no EDIDs in " EDID_CORPUS_DIR);
        return;
    }
    const std::vector<std::size_t>& lines = linesPerEdid();
    std::vector<char> buffer;
    double callerTime = 0;
    double referenceTime = 0;
    std::size_t allocations = 0;
    std::size_t allocatedBytes = 0;
    std::size_t reportLines = 0;
    for (auto _ : state) {
        const std::size_t allocationsBefore = gAllocations;
        const std::size_t bytesBefore = gAllocatedBytes;
        const double start = threadCpuMicroseconds();
        for (const Bytes& bytes : corpus()) {
            benchmark::DoNotOptimize(callerPath(bytes));
        }
        callerTime += threadCpuMicroseconds() - start;
        allocations += gAllocations - allocationsBefore;
        allocatedBytes += gAllocatedBytes - bytesBefore;
        referenceTime += timeReferencePass(lines, buffer);
        reportLines += std::accumulate(lines.begin(), lines.end(), std::size_t{0});
    }
    const auto parses = static_cast<double>(state.iterations() * corpus().size());
    state.counters["caller_us"] = callerTime / parses;
    state.counters["reference_us"] = referenceTime / parses;
    state.counters["ratio"] = callerTime / referenceTime;
    state.counters["allocs"] = static_cast<double>(allocations) / parses;
    state.counters["alloc_bytes"] = static_cast<double>(allocatedBytes) / parses;
    state.counters["lines"] = static_cast<double>(reportLines) / parses;
    state.counters["first_parse_us"] = firstParseMicroseconds;
}
BENCHMARK(BM_CallerPathVsReference)->Unit(benchmark::kMillisecond);

// The typed model's fast path (decodeDisplayInfo) over the whole corpus against the same
// reference pass, each timed in thread CPU time; the counters are per EDID.
void BM_DisplayInfoVsReference(benchmark::State& state) {
    if (corpus().empty()) {
        state.SkipWithError("no EDIDs in " EDID_CORPUS_DIR);
        return;
    }
    const std::vector<std::size_t>& lines = linesPerEdid();
    std::vector<char> buffer;
    double modelTime = 0;
    double referenceTime = 0;
    std::size_t allocations = 0;
    std::size_t mostAllocations = 0;
    std::size_t modes = 0;
    for (auto _ : state) {
        const double start = threadCpuMicroseconds();
        for (const Bytes& bytes : corpus()) {
            const std::size_t before = gAllocations;
            const libEDID::DisplayInfo info = libEDID::decodeDisplayInfo(
                {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
            modes += info.modes.size();
            mostAllocations = std::max(mostAllocations, gAllocations - before);
            allocations += gAllocations - before;
            benchmark::DoNotOptimize(info);
        }
        modelTime += threadCpuMicroseconds() - start;
        referenceTime += timeReferencePass(lines, buffer);
    }
    const auto edids = static_cast<double>(state.iterations() * corpus().size());
    state.counters["model_us"] = modelTime / edids;
    state.counters["reference_us"] = referenceTime / edids;
    state.counters["ratio"] = modelTime / referenceTime;
    state.counters["allocs"] = static_cast<double>(allocations) / edids;
    state.counters["max_allocs"] = static_cast<double>(mostAllocations);
    state.counters["modes"] = static_cast<double>(modes) / edids;
}
BENCHMARK(BM_DisplayInfoVsReference)->Unit(benchmark::kMillisecond);

// A typical EDID: EDID 1.3 of a digital display with one extension block, the most common
// shape of the corpus; the first such file by name.
const Bytes* typicalEdid() {
    for (const Bytes& bytes : corpus()) {
        if (bytes.size() == 256 && static_cast<unsigned char>(bytes[0x13]) == 3 &&
            (static_cast<unsigned char>(bytes[0x14]) & 0x80) != 0) {
            return &bytes;
        }
    }
    return corpus().empty() ? nullptr : &corpus().front();
}

void BM_CallerPathTypicalEdid(benchmark::State& state) {
    const Bytes* bytes = typicalEdid();
    if (bytes == nullptr) {
        state.SkipWithError("no EDIDs in " EDID_CORPUS_DIR);
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(callerPath(*bytes));
    }
}
BENCHMARK(BM_CallerPathTypicalEdid);

// A report as the verifiers build it: a record by key, filled, re-keyed for the next report.
void BM_LibEDIDLogReport(benchmark::State& state) {
    for (auto _ : state) {
        libEDID::LibEDIDLog mesg("ReportedValue", libEDID::LibEDIDLog::LIBEDID_LOG_LEVEL_INFO,
                                 libEDID::LibEDIDLog::LIBEDID_LOG_CAT_GENERAL);
        mesg.setVariable("type", libEDID::LibEDIDLog::getString("Gamma"));
        mesg.setVariable("value", "2.20");
        mesg.setKey("ReportedValueQuoted");
        benchmark::DoNotOptimize(mesg.getMesg());
    }
}
BENCHMARK(BM_LibEDIDLogReport);

// A label lookup alone, found and missing.
void BM_LibEDIDLogGetString(benchmark::State& state) {
    const char* key = state.range(0) != 0 ? "Checksum" : "NoSuchLabel";
    for (auto _ : state) {
        benchmark::DoNotOptimize(libEDID::LibEDIDLog::getString(key));
    }
}
BENCHMARK(BM_LibEDIDLogGetString)->Arg(1)->Arg(0);

// The first caller path of a process, timed before anything else of the library has run (its
// text table made, its code and data touched for the first time).
double timeFirstParse() {
    const Bytes* bytes = typicalEdid();
    if (bytes == nullptr) {
        return 0;
    }
    const double start = threadCpuMicroseconds();
    benchmark::DoNotOptimize(callerPath(*bytes));
    return threadCpuMicroseconds() - start;
}

// One first parse varies with what happens to be cached between processes: the figure
// is the median of several fresh runs of this program that do nothing else.
double medianFirstParse(const char* program) {
    constexpr int kRuns = 9;
    std::vector<double> times;
    std::string command = "'";
    command += program;
    command += "' --first-parse-only";
    for (int run = 0; run < kRuns; ++run) {
        if (FILE* child = popen(command.c_str(), "r")) {
            double microseconds = 0;
            if (std::fscanf(child, "%lf", &microseconds) == 1) {
                times.push_back(microseconds);
            }
            pclose(child);
        }
    }
    if (times.empty()) {
        return 0;
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--first-parse-only") {
        std::printf("%.1f\n", timeFirstParse());
        return 0;
    }
    firstParseMicroseconds = medianFirstParse(argv[0]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
