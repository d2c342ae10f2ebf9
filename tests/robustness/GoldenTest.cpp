// Every EDID of tests/data/edid goes through the library, and its timeline (see Timeline.h)
// must equal tests/golden/<name>.txt; the EDIDs with an extension block that the decoders read
// (kDecodedTags) are parsed a second time with the extension decoders, against
// tests/golden/extensions/. After an intended change of the output, regenerate with
// LIBEDID_UPDATE_GOLDENS=1 (docs/testing.md) and review the diff.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "TestData.h"
#include "TimelineChecks.h"
#include "qor/Resource.h"

namespace {

namespace fs = std::filesystem;
using edidtest::EdidFile;

const fs::path kGoldenDir = GOLDEN_DIR;
const fs::path kExtensionGoldenDir = kGoldenDir / "extensions";
const fs::path kConformityGoldenDir = kGoldenDir / "conformity";

constexpr std::array<std::uint8_t, 7> kDecodedTags{0x02, 0x70, 0xF0, 0x10, 0x40, 0x50, 0x60};

// The parses compared with goldens.
enum class Parse { base, extensions, conformity };

bool updating() {
    const char* flag = std::getenv("LIBEDID_UPDATE_GOLDENS");
    return flag != nullptr && std::string(flag) == "1";
}

fs::path goldenPath(const fs::path& dir, const std::string& edidName) {
    return dir / (fs::path(edidName).stem().string() + ".txt");
}

// Tags of the extension blocks that the decoders read: CTA-861, DisplayID, and the VESA block
// map, video timing block, display information, localized strings and packet video link.
bool decodesExtensions(const EdidFile& file) {
    const std::vector<std::uint8_t> bytes = edidtest::readBytes(file.path);
    return std::any_of(kDecodedTags.begin(), kDecodedTags.end(),
                       [&](std::uint8_t tag) { return edidtest::hasExtensionTag(bytes, tag); });
}

const std::vector<EdidFile>& edids() {
    static const std::vector<EdidFile> files = edidtest::edidFiles(edidtest::edidDataDir());
    return files;
}

std::vector<EdidFile> edidsWithDecodedExtensions() {
    std::vector<EdidFile> files;
    std::copy_if(edids().begin(), edids().end(), std::back_inserter(files), decodesExtensions);
    return files;
}

void expectGolden(const EdidFile& file, Parse parse) {
    const std::vector<std::uint8_t> bytes = edidtest::readBytes(file.path);
    ASSERT_FALSE(bytes.empty()) << file.path;
    const bool decodeExtensions = parse != Parse::base;
    const bool conformity = parse == Parse::conformity;
    const edidtest::Timeline timeline =
        edidtest::recordTimeline(bytes, decodeExtensions, conformity);
    for (const std::string& fault : edidtest::timelineFaults(timeline)) {
        ADD_FAILURE() << file.name << ": " << fault;
    }
    const std::string actual = "# " + file.name + " (" + std::to_string(bytes.size()) + " bytes" +
                               (decodeExtensions ? ", extensions decoded" : "") +
                               (conformity ? ", conformity checked" : "") + ")\n" +
                               timeline.render();
    const fs::path& dir = conformity         ? kConformityGoldenDir
                          : decodeExtensions ? kExtensionGoldenDir
                                             : kGoldenDir;
    const fs::path golden = goldenPath(dir, file.name);
    if (updating()) {
        std::ofstream(golden, std::ios::binary | std::ios::trunc) << actual;
        return;
    }
    ASSERT_TRUE(fs::exists(golden))
        << "no golden file " << golden << "; regenerate with LIBEDID_UPDATE_GOLDENS=1";
    const std::vector<std::uint8_t> raw = edidtest::readBytes(golden.string());
    const std::string expected(raw.begin(), raw.end());
    EXPECT_EQ(expected, actual) << golden;
}

class GoldenTest : public testing::TestWithParam<EdidFile> {
  protected:
    void SetUp() override { qor::QORLocale::setGlobalLocale(qor::QORLocale("en")); }
};
using ExtensionGoldenTest = GoldenTest;
using ConformityGoldenTest = GoldenTest;

TEST_P(GoldenTest, TimelineMatchesGolden) {
    expectGolden(GetParam(), Parse::base);
}

TEST_P(ExtensionGoldenTest, TimelineMatchesGolden) {
    expectGolden(GetParam(), Parse::extensions);
}

TEST_P(ConformityGoldenTest, TimelineMatchesGolden) {
    expectGolden(GetParam(), Parse::conformity);
}

std::string testName(const testing::TestParamInfo<EdidFile>& info) {
    std::string name = fs::path(info.param.name).stem().string();
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Edid, GoldenTest, testing::ValuesIn(edids()), testName);
INSTANTIATE_TEST_SUITE_P(Edid, ExtensionGoldenTest, testing::ValuesIn(edidsWithDecodedExtensions()),
                         testName);
INSTANTIATE_TEST_SUITE_P(Edid, ConformityGoldenTest, testing::ValuesIn(edids()), testName);

// A golden file without its EDID would never be compared again; it must be removed.
TEST(GoldenFilesTest, EveryGoldenHasItsEdid) {
    ASSERT_GE(edids().size(), 40u) << "the test EDIDs in " << edidtest::edidDataDir();
    for (const auto& [dir, files] : {std::pair{kGoldenDir, edids()},
                                     std::pair{kExtensionGoldenDir, edidsWithDecodedExtensions()},
                                     std::pair{kConformityGoldenDir, edids()}}) {
        std::set<std::string> expected;
        for (const EdidFile& file : files) {
            expected.insert(goldenPath(dir, file.name).filename().string());
        }
        std::error_code error;
        for (const auto& golden : fs::directory_iterator(dir, error)) {
            EXPECT_TRUE(golden.is_directory() ||
                        expected.count(golden.path().filename().string()) == 1)
                << golden.path() << " has no EDID";
        }
    }
}

}  // namespace
