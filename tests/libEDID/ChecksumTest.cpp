#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <string>

#include "CoreTestSupport.h"
#include "TempDir.h"
#include "qor/Resource.h"

namespace {

using namespace coretest;

// Each wrong block is reported with its 8-bit sum; extension blocks are numbered from 0 (the
// first one is block 1 of the EDID), and a wrong base block does not stop the check.
TEST(ChecksumTest, EveryWrongBlockIsReportedWithItsSum) {
    Parsed p(EdidBuilder()
                 .extensionBlock(0x02)
                 .extensionBlock(0x70)
                 .extensionBlock(0x10)
                 .checksumOff(0, 5)
                 .checksumOff(1, 0x80)
                 .checksumOff(3, 0xFE)
                 .bytes());
    EXPECT_TRUE(p.parser.verifyChecksum(false));
    const auto error = [](const std::string& type, const char* sum) {
        return "ChecksumError 2 2: " +
               filled("ChecksumError", {{"type", type}, {"checksum", sum}, {"expected", "00h"}});
    };
    const std::string extension = label("EDIDExtensionBlock");
    EXPECT_EQ(summaries(p.parser),
              (Texts{error(label("BaseEDIDStructure"), "05h"), error(extension + " #0", "80h"),
                     error(extension + " #2", "FEh")}));
}

// Two calls without force. A failed read of the base block gives one warning each and is
// tried again; a failed extension read stops the reading silently and is not tried again.
// Every failed read of the memory source logs its lines 33 and 30.
TEST(ChecksumTest, UnreadableBlocks) {
    struct Case {
        const char* what;
        Bytes bytes;
        bool readable;
        std::size_t failedReads;
    };
    const Case cases[] = {
        {"no bytes: not accessible, not read", {}, false, 0},
        {"short base block", Bytes(100, 0), false, 2},
        {"two blocks announced, one present",
         EdidBuilder().extensionBlock(0x02).extensionCount(2).bytes(), true, 1},
        {"255 announced on 128 bytes", EdidBuilder().extensionCount(255).bytes(), true, 1},
    };
    const Texts cannot(2, "CannotAccessEDID 1 0: " + label("CannotAccessEDID"));
    for (const Case& c : cases) {
        LogCapture log(3);
        Parsed p(c.bytes);
        EXPECT_EQ(p.parser.verifyChecksum(false), c.readable) << c.what;
        EXPECT_EQ(p.parser.verifyChecksum(false), c.readable) << c.what;
        EXPECT_EQ(summaries(p.parser), c.readable ? Texts{} : cannot) << c.what;
        EXPECT_EQ(log.lines("33 ").size(), c.failedReads) << c.what;
        EXPECT_EQ(log.lines("30 ").size(), c.failedReads) << c.what;
    }
}

// A memory source found under a locator, as the display source is.
class LocatedAccessor : public libEDID::EDIDAccessorBuffer {
  public:
    LocatedAccessor(const Bytes& bytes, const char* name)
        : EDIDAccessorBuffer(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<unsigned>(bytes.size())) {
        locator = name;
    }
};

// Runs the dump tests in an empty current folder, with the setting cleared afterwards.
class DumpTest : public ::testing::Test {
  protected:
    void TearDown() override { setDump(nullptr); }
    // A null value clears the setting.
    static void setDump(const char* value) {
        if (value == nullptr) {
            qor::Resource::clearSetting("libEDID", "DumpEDID.value");
        } else {
            qor::Resource::setSetting("libEDID", "DumpEDID.value", value);
        }
    }

    TempDir dir;
    edidtest::CurrentDir cwd{dir.path()};
};

// Only a true setting dumps; the dump of an unnamed source is named from a random 32-bit number
// and the time, and holds every block read.
TEST_F(DumpTest, OnlyATrueSettingDumpsUnderARandomNumberAndTheTime) {
    for (const char* value :
         {"false", "0", "off", "maybe", "", static_cast<const char*>(nullptr)}) {
        setDump(value);
        Parsed p(EdidBuilder().bytes());
        ASSERT_TRUE(p.parser.verifyChecksum(false));
        EXPECT_TRUE(dir.names().empty()) << (value ? value : "no setting");
    }
    const Bytes bytes = EdidBuilder().extensionBlock(0x02).bytes();
    setDump("TRUE");
    const auto before = static_cast<long long>(std::time(nullptr));
    Parsed p(bytes);
    ASSERT_TRUE(p.parse());  // parsing reads, and so dumps, too
    const auto after = static_cast<long long>(std::time(nullptr));

    ASSERT_EQ(dir.names().size(), 1u);
    const std::string name = dir.names()[0];
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(name, parts, std::regex("edid_dump_([0-9]{1,10})_([0-9]+)\\.bin")))
        << name;
    EXPECT_LE(std::stoull(parts[1].str()), 4294967295ULL);
    EXPECT_GE(std::stoll(parts[2].str()), before);
    EXPECT_LE(std::stoll(parts[2].str()), after);
    EXPECT_EQ(TempDir::read(dir.file(name)), std::string(bytes.begin(), bytes.end()));

    p.parser.verifyChecksum(false);  // nothing read, nothing dumped
    EXPECT_EQ(dir.names().size(), 1u);
}

// Dump files are named after the locator, with an underscore for each character that no file
// name may hold, and created, never replaced: a name already taken (here a planted link to a
// file that must survive) and a second dump within the same second get the next free name
// ("_1", "_2", ...), and a dump that cannot be written is flagged.
TEST_F(DumpTest, DumpsNeverReplaceAnythingAndFailuresAreFlagged) {
    setDump("on");
    const Bytes bytes = EdidBuilder().bytes();
    const std::string victim = dir.write("victim", "keep");
    const std::string stem = "edid_dump___._DISPLAY1_a_b_c_d_e_f_g_h_i_j k_";
    const auto now = static_cast<long long>(std::time(nullptr));
    for (long long t = now; t <= now + 2; ++t) {
        edidtest::linkOrOccupy(victim, dir.file(stem + std::to_string(t) + ".bin"));
    }
    libEDID::EDIDParser parser(libEDID::makeAccessor<LocatedAccessor>(
        bytes, "\\\\.\\DISPLAY1/a:b?c*d\"e<f>g|h\x01i\x7Fj k"));
    ASSERT_TRUE(parser.verifyChecksum(true));
    EXPECT_FALSE(parser.getDumpFailed());
    ASSERT_TRUE(parser.verifyChecksum(true));
    EXPECT_EQ(TempDir::read(victim), "keep");
    std::vector<std::string> dumps;
    for (const std::string& name : dir.names()) {
        if (name.starts_with(stem) &&
            std::regex_match(name.substr(stem.size()), std::regex("[0-9]+_[12]\\.bin"))) {
            dumps.push_back(name);
            EXPECT_EQ(TempDir::read(dir.file(name)), std::string(bytes.begin(), bytes.end()));
        }
    }
    EXPECT_EQ(dumps.size(), 2u);

#ifndef _WIN32
    // A current folder that no longer exists takes no file (Windows does not let a process's
    // current folder be removed).
    const std::filesystem::path gone = dir.path() / "gone";
    std::filesystem::create_directory(gone);
    const edidtest::CurrentDir inside(gone);
    std::filesystem::remove(gone);
    ASSERT_TRUE(parser.verifyChecksum(true));
    EXPECT_TRUE(parser.getDumpFailed());
#endif
}

}  // namespace
