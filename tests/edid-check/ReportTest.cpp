// The summary (--summary) and the HTML report (--html) of edid-check: goldens of a handful of
// test EDIDs examined in one run, and the summary of every test EDID within 100 columns.
// EDID_CHECK_UPDATE_GOLDENS=1 rewrites the goldens instead of comparing.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ToolRunner.h"

namespace edidchecktest {
namespace {

const fs::path kGoldens = fs::path(REPORT_GOLDEN_DIR);

// A clean analog 1.3 monitor, one with an HDR CTA block and an error, a wide-gamut laptop panel
// with a DisplayID block, a monitor with five extension blocks, and one whose strings hold
// markup and quotes.
const std::vector<std::string> kSources = {
    "edid/ACI-17D5-1.3-analog-83c8d582.bin", "edid/GSM-5BD3-1.4-digital-3be1544c.bin",
    "edid/APP-A044-1.4-digital-db12971d.bin", "edid/DEL-D12C-1.4-digital-13bf49e4.bin",
    "../browser/hostile-strings.hex"};

std::string joined(const std::vector<std::string>& sources) {
    std::string text;
    for (const std::string& source : sources) {
        text += " " + source;
    }
    return text;
}

void compareWithGolden(const std::string& actual, const std::string& name) {
    const fs::path golden = kGoldens / name;
    const char* update = std::getenv("EDID_CHECK_UPDATE_GOLDENS");
    if (update != nullptr && std::string(update) == "1") {
        fs::create_directories(kGoldens);
        std::ofstream(golden, std::ios::binary) << actual;
        return;
    }
    const Bytes expected = readBytes(golden);
    EXPECT_EQ(actual, std::string(expected.begin(), expected.end())) << name;
}

std::size_t columns(const std::string& line) {
    std::size_t count = 0;
    for (const char c : line) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

class ReportTest : public ::testing::Test {
  protected:
    Workspace workspace;
    const fs::path data = fs::path(TEST_DATA_DIR);
};

TEST_F(ReportTest, SummaryOfSeveralSourcesMatchesItsGolden) {
    const ToolResult result =
        workspace.run("--summary" + joined(kSources), "", "/dev/null", "", data);
    EXPECT_EQ(result.status, 1);  // one EDID has an error
    EXPECT_EQ(result.err, "");
    compareWithGolden(result.out, "summary.txt");
}

TEST_F(ReportTest, HtmlOfSeveralSourcesMatchesItsGolden) {
    const fs::path page = workspace.root() / "report.html";
    const ToolResult result =
        workspace.run("--html " + shellQuoted(page) + joined(kSources), "", "/dev/null", "", data);
    EXPECT_EQ(result.status, 1);
    const Bytes html = readBytes(page);
    const std::string text(html.begin(), html.end());
    // EDID strings are text, never markup: the hostile product name arrives escaped.
    EXPECT_THAT(text, ::testing::HasSubstr("&lt;script&gt;&quot;&#39;&amp;"));
    EXPECT_THAT(text, ::testing::HasSubstr("<html lang=\"en\">"));
    compareWithGolden(text, "report.html");
}

// Every test EDID: one block per source, no line over 100 columns, no colour into a file.
TEST_F(ReportTest, SummaryOfEveryTestEdidFitsOneHundredColumns) {
    std::vector<std::string> sources;
    for (const auto& entry : fs::directory_iterator(data / "edid")) {
        if (entry.path().extension() == ".bin") {
            sources.push_back("edid/" + entry.path().filename().string());
        }
    }
    const ToolResult result =
        workspace.run("--summary" + joined(sources), "", "/dev/null", "", data);
    EXPECT_LE(result.status, 1);
    std::size_t blocks = 0;
    for (const std::string& line : linesOf(result.out)) {
        EXPECT_LE(columns(line), 100U) << line;
        EXPECT_EQ(line.find('\x1b'), std::string::npos) << line;
        blocks += line.starts_with("edid/") ? 1 : 0;
    }
    EXPECT_EQ(blocks, sources.size());
}

}  // namespace
}  // namespace edidchecktest
