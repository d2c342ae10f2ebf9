// Corpus regression: every EDID of the corpus folder goes through the library, and everything
// the library produced (results, messages, properties, EDID string; see renderParse) must equal
// the golden file tests/golden/<name>.txt. After an intended change of the output, regenerate
// the goldens with LIBEDID_UPDATE_GOLDENS=1 (see docs/testing.md) and review the diff.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "ParseReport.h"
#include "qor/Resource.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = GOLDEN_DIR;

bool updating() {
    const char* flag = std::getenv("LIBEDID_UPDATE_GOLDENS");
    return flag != nullptr && std::string(flag) == "1";
}

fs::path goldenPath(const std::string& edidName) {
    return kGoldenDir / (fs::path(edidName).stem().string() + ".txt");
}

// The first line on which two texts differ, for a readable failure.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream e(expected);
    std::istringstream a(actual);
    std::string el;
    std::string al;
    for (int line = 1;; ++line) {
        const bool moreE = static_cast<bool>(std::getline(e, el));
        const bool moreA = static_cast<bool>(std::getline(a, al));
        if (!moreE && !moreA) {
            return "texts differ only in their line ends";
        }
        if (!moreE || !moreA || el != al) {
            return "line " + std::to_string(line) + "\n  golden: " + (moreE ? el : "<end>") +
                   "\n  actual: " + (moreA ? al : "<end>");
        }
    }
}

std::vector<edidtest::CorpusEntry> corpus() {
    static const std::vector<edidtest::CorpusEntry> entries =
        edidtest::corpusEntries(EDID_CORPUS_DIR);
    return entries;
}

class CorpusGoldenTest : public testing::TestWithParam<edidtest::CorpusEntry> {
  protected:
    void SetUp() override { qor::QORLocale::setGlobalLocale(qor::QORLocale("en")); }
};

TEST_P(CorpusGoldenTest, OutputMatchesGolden) {
    const edidtest::CorpusEntry& entry = GetParam();
    const std::vector<std::uint8_t> bytes = edidtest::readBytes(entry.path);
    ASSERT_FALSE(bytes.empty()) << entry.path;
    const std::string actual =
        edidtest::renderParse(entry.name + " (" + std::to_string(bytes.size()) + " bytes)", bytes);
    const fs::path golden = goldenPath(entry.name);

    if (updating()) {
        std::ofstream(golden, std::ios::binary | std::ios::trunc) << actual;
        return;
    }
    ASSERT_TRUE(fs::exists(golden))
        << "no golden file " << golden << "; regenerate with LIBEDID_UPDATE_GOLDENS=1";
    const std::vector<std::uint8_t> raw = edidtest::readBytes(golden.string());
    const std::string expected(raw.begin(), raw.end());
    EXPECT_TRUE(expected == actual)
        << golden << " differs at " << firstDifference(expected, actual);
}

std::string testName(const testing::TestParamInfo<edidtest::CorpusEntry>& info) {
    std::string name = fs::path(info.param.name).stem().string();
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusGoldenTest, testing::ValuesIn(corpus()), testName);
// Without a corpus there is no instance; CorpusIsPresent reports that instead.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusGoldenTest);

TEST(CorpusGoldenFilesTest, CorpusIsPresent) {
    EXPECT_GE(corpus().size(), 100u)
        << "the corpus folder " << EDID_CORPUS_DIR << " is missing or nearly empty";
}

// A golden file without its EDID would never be compared again; it must be removed.
TEST(CorpusGoldenFilesTest, EveryGoldenHasItsEdid) {
    std::set<std::string> expected;
    for (const edidtest::CorpusEntry& entry : corpus()) {
        expected.insert(goldenPath(entry.name).filename().string());
    }
    std::error_code error;
    for (const auto& file : fs::directory_iterator(kGoldenDir, error)) {
        EXPECT_EQ(expected.count(file.path().filename().string()), 1u)
            << file.path() << " has no EDID in " << EDID_CORPUS_DIR;
    }
}

}  // namespace
