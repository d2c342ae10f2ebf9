#include <gtest/gtest.h>

#include <ctime>
#include <regex>
#include <string>

#include "CoreTestSupport.h"
#include "TempDir.h"
#include "qor/Resource.h"

namespace {

using coretest::Bytes;
using coretest::filled;
using coretest::label;
using coretest::Log;
using edidtest::EdidBuilder;
using edidtest::LogCapture;
using edidtest::Parsed;
using edidtest::TempDir;

std::string checksumText(const std::string& type, const char* sum) {
    return filled("ChecksumError", {{"type", type}, {"checksum", sum}, {"expected", "00h"}});
}

TEST(ChecksumTest, CorrectBlocksGiveNoMessage) {
    Parsed p(EdidBuilder().bytes());
    EXPECT_TRUE(p.parser.verifyChecksum(false));
    EXPECT_TRUE(p.parser.getMessages().isEmpty());

    Parsed withExtensions(EdidBuilder().extensionBlock(0x02).extensionBlock(0x70).bytes());
    EXPECT_TRUE(withExtensions.parser.verifyChecksum(false));
    EXPECT_TRUE(withExtensions.parser.getMessages().isEmpty());
}

TEST(ChecksumTest, EveryWrongBlockIsReportedWithItsSum) {
    Parsed p(EdidBuilder()
                 .extensionBlock(0x02)
                 .extensionBlock(0x70)
                 .checksumOff(0, 5)
                 .checksumOff(2, 0xFE)
                 .bytes());
    EXPECT_TRUE(p.parser.verifyChecksum(false));
    const auto errors = p.withKey("ChecksumError");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].getMesg().str(), checksumText(label("BaseEDIDStructure"), "05h"));
    // Extension blocks are numbered from 0: the second one is #1.
    EXPECT_EQ(errors[1].getMesg().str(), checksumText(label("EDIDExtensionBlock") + " #1", "FEh"));
    for (const Log& e : errors) {
        EXPECT_EQ(e.getLevel(), Log::LIBEDID_LOG_LEVEL_ERROR);
        EXPECT_EQ(e.getCategory(), Log::LIBEDID_LOG_CAT_CHECKSUM);
    }

    Parsed first(EdidBuilder().extensionBlock(0x02).checksumOff(1, 0x80).bytes());
    first.parser.verifyChecksum(false);
    ASSERT_EQ(first.withKey("ChecksumError").size(), 1u);
    EXPECT_EQ(first.withKey("ChecksumError")[0].getMesg().str(),
              checksumText(label("EDIDExtensionBlock") + " #0", "80h"));
}

TEST(ChecksumTest, MissingExtensionBlocksStopTheReadingSilently) {
    struct Case {
        Bytes bytes;
        std::size_t blocksRead;
    };
    const Case cases[] = {
        // Two announced, one present.
        {EdidBuilder().extensionBlock(0x02).extensionCount(2).bytes(), 1},
        // 255 announced on a 128-byte source: one failed read, then no further try.
        {EdidBuilder().extensionCount(255).bytes(), 0},
    };
    for (const Case& c : cases) {
        LogCapture log(3);
        Parsed p(c.bytes);
        EXPECT_TRUE(p.parser.verifyChecksum(false));
        EXPECT_TRUE(p.parser.getMessages().isEmpty());
        EXPECT_EQ(log.startingWith("33 ").size(), 1u);
        EXPECT_EQ(log.startingWith("30 ").size(), 1u);
        ASSERT_TRUE(p.parse());
        const auto values = p.withKey("ReportedValue");
        std::size_t blockLines = 0;
        for (const Log& v : values) {
            const std::string text = v.getMesg().str();
            for (auto at = text.find(label("ExtBlockTagNumber")); at != std::string::npos;
                 at = text.find(label("ExtBlockTagNumber"), at + 1)) {
                ++blockLines;
            }
        }
        EXPECT_EQ(blockLines, c.blocksRead);
    }
}

TEST(ChecksumTest, InaccessibleOrUnreadableSourceGivesOneWarning) {
    struct Case {
        const char* what;
        Bytes bytes;
        std::size_t readLines;
    };
    const Case cases[] = {
        {"no bytes", {}, 0},                     // not accessible: nothing is read
        {"short base block", Bytes(100, 0), 1},  // accessible, base block unreadable
    };
    for (const Case& c : cases) {
        LogCapture log(3);
        Parsed p(c.bytes);
        EXPECT_FALSE(p.parser.verifyChecksum(false)) << c.what;
        ASSERT_EQ(p.parser.getMessages().size(), 1u) << c.what;
        const Log& m = p.parser.getMessages()[0];
        EXPECT_EQ(m.getKey(), qor::String("CannotAccessEDID"));
        EXPECT_EQ(m.getLevel(), Log::LIBEDID_LOG_LEVEL_WARNING);
        EXPECT_EQ(m.getCategory(), Log::LIBEDID_LOG_CAT_GENERAL);
        EXPECT_EQ(m.getMesg().str(), label("CannotAccessEDID"));
        EXPECT_EQ(log.startingWith("30 ").size(), c.readLines) << c.what;
        // A failed read is tried again even without force.
        EXPECT_FALSE(p.parser.verifyChecksum(false));
        EXPECT_EQ(log.startingWith("30 ").size(), 2 * c.readLines) << c.what;
    }
}

TEST(ChecksumTest, ForceDecidesWhetherTheSourceIsReadAgain) {
    Parsed p(EdidBuilder().checksumOff(0, 3).bytes());
    LogCapture log(1);
    const auto hexDumps = [&log] { return log.startingWith("83 "); };

    EXPECT_TRUE(p.parser.verifyChecksum(false));
    ASSERT_EQ(hexDumps().size(), 1u);
    EXPECT_EQ(hexDumps()[0].logger, "libEDID.EDIDParser");
    EXPECT_EQ(hexDumps()[0].priority, 1);
    EXPECT_EQ(hexDumps()[0].text, "83 EDID Dump : " + p.parser.getAccessor()->hexDump().str());
    EXPECT_EQ(log.startingWith("Entering EDIDAccessor::readStructure").size(), 1u);

    EXPECT_TRUE(p.parser.verifyChecksum(false));  // no read, messages again
    EXPECT_EQ(hexDumps().size(), 1u);
    EXPECT_EQ(log.startingWith("Entering EDIDAccessor::readStructure").size(), 1u);
    EXPECT_EQ(p.withKey("ChecksumError").size(), 2u);

    EXPECT_TRUE(p.parser.verifyChecksum(true));
    EXPECT_EQ(hexDumps().size(), 2u);
    EXPECT_EQ(p.withKey("ChecksumError").size(), 3u);
    EXPECT_EQ(log.startingWith("Entering EDIDParser::verifyChecksum").size(), 3u);
    EXPECT_EQ(log.startingWith("Leaving EDIDParser::verifyChecksum").size(), 3u);
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
    void TearDown() override { qor::Resource::clearSetting("libEDID", "DumpEDID.value"); }
    static void setDump(const char* value) {
        qor::Resource::setSetting("libEDID", "DumpEDID.value", value);
    }

    TempDir dir;
    edidtest::CurrentDir cwd{dir.path()};
};

TEST_F(DumpTest, RandomNumberAndTimeNameTheDumpOfAnUnnamedSource) {
    const Bytes bytes = EdidBuilder().extensionBlock(0x02).bytes();
    setDump("TRUE");
    const auto before = static_cast<long long>(std::time(nullptr));
    Parsed p(bytes);
    ASSERT_TRUE(p.parser.verifyChecksum(false));
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

TEST_F(DumpTest, LocatorCharactersThatNoFileNameMayHoldBecomeUnderscores) {
    setDump("on");
    libEDID::EDIDParser parser(libEDID::EDIDAccessorHandle(new LocatedAccessor(
        EdidBuilder().bytes(), "\\\\.\\DISPLAY1/a:b?c*d\"e<f>g|h\x01i\x7Fj k")));
    ASSERT_TRUE(parser.verifyChecksum(false));
    ASSERT_EQ(dir.names().size(), 1u);
    EXPECT_TRUE(std::regex_match(
        dir.names()[0], std::regex("edid_dump___\\._DISPLAY1_a_b_c_d_e_f_g_h_i_j k_[0-9]+\\.bin")))
        << dir.names()[0];
}

TEST_F(DumpTest, OnlyATrueSettingDumps) {
    for (const char* value : {"false", "0", "off", "maybe", ""}) {
        setDump(value);
        Parsed p(EdidBuilder().bytes());
        ASSERT_TRUE(p.parser.verifyChecksum(false));
        EXPECT_TRUE(dir.names().empty()) << value;
    }
    qor::Resource::clearSetting("libEDID", "DumpEDID.value");
    Parsed p(EdidBuilder().bytes());
    ASSERT_TRUE(p.parser.verifyChecksum(false));
    EXPECT_TRUE(dir.names().empty());

    setenv("QOR_SETTING_libEDID_DumpEDID_value", "yes", 1);
    Parsed fromEnvironment(EdidBuilder().bytes());
    ASSERT_TRUE(fromEnvironment.parse());  // parsing reads, and so dumps, too
    unsetenv("QOR_SETTING_libEDID_DumpEDID_value");
    EXPECT_EQ(dir.names().size(), 1u);
}

}  // namespace
