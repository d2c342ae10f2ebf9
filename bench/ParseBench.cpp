// Benchmarks of the parser: one typical EDID, the whole corpus, and the message-text lookups
// that every report makes. Run: docs/testing.md.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "libEDID/libEDID.h"

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

class CountingObserver : public libEDID::EDIDCallback {
  public:
    void onSysInfoProperty(const qor::String&, const qor::QORValue&) override { ++count; }
    std::size_t count = 0;
};

// What a caller does with one EDID: checksums, the parse with an observer, the identifier.
std::size_t parseOnce(const Bytes& bytes) {
    libEDID::EDIDParser parser(libEDID::EDIDAccessorHandle(
        new libEDID::EDIDAccessorBuffer(bytes.data(), static_cast<unsigned>(bytes.size()))));
    const auto observer = std::make_shared<CountingObserver>();
    parser.registerSysInfoObserver(observer);
    parser.verifyChecksum(false);
    parser.parseEDID(false);
    qor::String identifier;
    parser.getEDIDIdentifier(identifier, false);
    return parser.getMessages().size() + observer->count;
}

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

void BM_ParseTypicalEdid(benchmark::State& state) {
    const Bytes* bytes = typicalEdid();
    if (bytes == nullptr) {
        state.SkipWithError("no EDIDs in " EDID_CORPUS_DIR);
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseOnce(*bytes));
    }
}
BENCHMARK(BM_ParseTypicalEdid);

void BM_ParseCorpus(benchmark::State& state) {
    if (corpus().empty()) {
        state.SkipWithError("no EDIDs in " EDID_CORPUS_DIR);
        return;
    }
    for (auto _ : state) {
        for (const Bytes& bytes : corpus()) {
            benchmark::DoNotOptimize(parseOnce(bytes));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(corpus().size()));
}
BENCHMARK(BM_ParseCorpus)->Unit(benchmark::kMillisecond);

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

}  // namespace

BENCHMARK_MAIN();
