// The optional full corpus (EDID_CORPUS_DIR, see docs/testing.md): every file is parsed with and
// without the extension decoders and must keep the rules that hold without a golden (see
// TimelineChecks.h). Skipped when there is no corpus.

#include <gtest/gtest.h>

#include "TestData.h"
#include "TimelineChecks.h"
#include "qor/Resource.h"

namespace {

TEST(CorpusTimelineTest, EveryCorpusEdidKeepsTheTimelineRules) {
    const std::vector<edidtest::EdidFile> files = edidtest::edidFiles(edidtest::corpusDir());
    if (files.empty()) {
        GTEST_SKIP() << "no corpus (set EDID_CORPUS_DIR)";
    }
    qor::QORLocale::setGlobalLocale(qor::QORLocale("en"));
    for (const edidtest::EdidFile& file : files) {
        const std::vector<std::uint8_t> bytes = edidtest::readBytes(file.path);
        if (bytes.size() < 128) {
            continue;
        }
        const edidtest::Timeline base = edidtest::recordTimeline(bytes, false);
        const edidtest::Timeline decoded = edidtest::recordTimeline(bytes, true);
        for (const edidtest::Timeline* timeline : {&base, &decoded}) {
            for (const std::string& fault : edidtest::timelineFaults(*timeline)) {
                ADD_FAILURE() << file.name << (timeline == &decoded ? " (decoded)" : "") << ": "
                              << fault;
            }
        }
        for (const std::string& line : edidtest::entriesLostByDecoding(base, decoded)) {
            ADD_FAILURE() << file.name << ": lost by extension decoding: " << line;
        }
    }
}

}  // namespace
