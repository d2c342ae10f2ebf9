// Malformed and hostile inputs: sources that cannot be opened or hold too few bytes, blocks
// that announce extensions which are not there, degenerate and random bytes, and a huge sparse
// file. Each case states its exact outcome: accessibility, the results of the caller's
// operations and the message keys in log order.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "EdidBuilder.h"
#include "ParseReport.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const std::string kCannot = "CannotAccessEDID";

// What a caller sees who runs verifyChecksum, parseEDID, getEDIDIdentifier and getEDIDString
// (all with force false) in that order.
struct Outcome {
    bool accessible = false;
    bool checked = false;
    bool parsed = false;
    bool identified = false;
    bool gotString = false;
    std::vector<std::string> keys;  // every stored message, in log order
    std::vector<std::string> texts;
};

Outcome runCaller(const libEDID::EDIDAccessorHandle& handle) {
    libEDID::EDIDParser parser(handle);
    Outcome o;
    o.accessible = parser.isAccessible();
    o.checked = parser.verifyChecksum(false);
    o.parsed = parser.parseEDID(false);
    qor::String identifier("unchanged");
    o.identified = parser.getEDIDIdentifier(identifier, false);
    qor::String edid("unchanged");
    o.gotString = parser.getEDIDString(edid, false);
    if (!o.identified) {
        EXPECT_EQ(identifier.str(), "unchanged");
    }
    if (!o.gotString) {
        EXPECT_EQ(edid.str(), "unchanged");
    }
    for (const libEDID::LibEDIDLog& m : parser.getMessages()) {
        o.keys.push_back(m.getKey().str());
        o.texts.push_back(m.getMesg().str());
    }
    return o;
}

libEDID::EDIDAccessorHandle memory(const Bytes& bytes) {
    return libEDID::EDIDAccessorHandle(new libEDID::EDIDAccessorBuffer(
        reinterpret_cast<const char*>(bytes.data()), static_cast<unsigned>(bytes.size())));
}

libEDID::EDIDAccessorHandle file(const fs::path& path) {
    return libEDID::EDIDAccessorHandle(new libEDID::EDIDAccessorFile(qor::String(path.string())));
}

Bytes validEdid(int extensionCount = 0) {
    edidtest::EdidBuilder builder;
    if (extensionCount >= 0) {
        builder.extensionCount(static_cast<std::uint8_t>(extensionCount));
    }
    return builder.bytes();
}

// A folder of its own for the files of one test, removed afterwards.
class MalformedInputTest : public testing::Test {
  public:
    void SetUp() override {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("libedid-malformed-" + std::string(info->name()) + "-" +
                                            std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code error;
        fs::permissions(dir_ / "locked.bin", fs::perms::owner_all, error);
        fs::remove_all(dir_, error);
    }

    fs::path write(const std::string& name, const Bytes& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    fs::path dir_;
};

// Sources that give no base block: the source is not accessible, or it holds fewer than 128
// bytes. Every operation fails; each parse (the identifier parses again, since the first one
// failed) leaves one "CannotAccessEDID"; getEDIDString fails silently on an inaccessible source
// and by a parse on an accessible one.
struct UnreadableCase {
    const char* name;
    std::function<libEDID::EDIDAccessorHandle(MalformedInputTest&)> source;
    bool accessible;
};

TEST_F(MalformedInputTest, SourcesWithoutABaseBlockFailWithCannotAccessEDID) {
    const std::vector<UnreadableCase> cases = {
        {"empty file", [](MalformedInputTest& t) { return file(t.write("empty.bin", {})); }, false},
        {"1-byte file", [](MalformedInputTest& t) { return file(t.write("one.bin", {0x00})); },
         true},
        {"127-byte file",
         [](MalformedInputTest& t) {
             Bytes bytes = validEdid();
             bytes.resize(127);
             return file(t.write("short.bin", bytes));
         },
         true},
        {"directory", [](MalformedInputTest& t) { return file(t.dir_); }, false},
        {"missing path", [](MalformedInputTest& t) { return file(t.dir_ / "absent.bin"); }, false},
        {"empty memory", [](MalformedInputTest&) { return memory({}); }, false},
        {"1 byte in memory", [](MalformedInputTest&) { return memory({0x00}); }, true},
        {"127 bytes in memory", [](MalformedInputTest&) { return memory(Bytes(127, 0xFF)); }, true},
    };
    for (const UnreadableCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome o = runCaller(c.source(*this));
        EXPECT_EQ(o.accessible, c.accessible);
        EXPECT_FALSE(o.checked);
        EXPECT_FALSE(o.parsed);
        EXPECT_FALSE(o.identified);
        EXPECT_FALSE(o.gotString);
        const std::vector<std::string> expected(c.accessible ? 4 : 3, kCannot);
        EXPECT_EQ(o.keys, expected);
    }
}

#if !defined(_WIN32)
TEST_F(MalformedInputTest, FileWithoutReadPermissionIsNotAccessible) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root, which may read any file whatever its permissions";
    }
    const fs::path path = write("locked.bin", validEdid());
    fs::permissions(path, fs::perms::none);
    const Outcome o = runCaller(file(path));
    EXPECT_FALSE(o.accessible);
    EXPECT_FALSE(o.checked);
    EXPECT_FALSE(o.parsed);
    EXPECT_EQ(o.keys, std::vector<std::string>(3, kCannot));
}
#endif

std::vector<std::string> repeated(const std::string& key, std::size_t count) {
    return std::vector<std::string>(count, key);
}

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

const std::string kValue = "ReportedValue";
const std::string kQuoted = "ReportedValueQuoted";

// 128 bytes of 00h. The checksum is right (the bytes sum to 0). The parse finds: a wrong
// header; manufacturer letters "@@@" (code 0, three invalid characters); product, serial (unset)
// and week (unset) but no year (1990 is before 1994); version 0.0; an analog input with every
// flag clear and an undefined screen size; gamma 1.00; seven feature flags; eight chromaticity
// coordinates of 0; no established timing; eight standard timings starting with 00h; a slot 0
// without pixel clock; three manufacturer-specified descriptors (tag 00h) shown as raw bytes;
// and the extension flag and checksum.
TEST_F(MalformedInputTest, AllZeroBytes) {
    const Outcome o = runCaller(memory(Bytes(128, 0x00)));
    EXPECT_TRUE(o.accessible);
    EXPECT_TRUE(o.checked);
    EXPECT_TRUE(o.parsed);
    EXPECT_TRUE(o.identified);
    EXPECT_TRUE(o.gotString);
    const std::vector<std::string> expected = concat({
        {"InvalidHeader"},
        {kQuoted},
        repeated("InvalidASCIICharacter", 3),
        repeated(kValue, 3),  // product code, serial number, week
        repeated(kValue, 2),  // version, revision
        {"InvalidVersion"},
        {"VideoInterfaceType", "SerrationSupport", "CompositeSyncSupport", "CompositeSyncSupport",
         "SeparateSignalSupport", kValue, "SignalLevelStandard"},
        {"EDIDValueUnknown", kValue, kValue},  // aspect ratio and screen size undefined
        {kValue},                              // gamma
        repeated(kValue, 7),                   // feature support
        repeated("ReportedChromaticity", 8),
        repeated("InvalidStdTiming", 8),
        {"InvalidDetailedTiming"},
        repeated(kQuoted, 3),  // raw manufacturer-specified descriptors
        {kValue, kValue},      // extension flag, checksum
    });
    EXPECT_EQ(o.keys, expected);
    ASSERT_EQ(o.texts.size(), expected.size());
    EXPECT_NE(o.texts[0].find("00 00 00 00 00 00 00 00"), std::string::npos) << o.texts[0];
}

// 128 bytes of FFh. They sum to 80h: one checksum error. 7Eh announces 255 extension blocks
// that the source does not hold. The parse finds: a wrong header; letters "___" (code 31);
// product FFFFh, serial FFFFFFFFh, week FFh (model year indicator) and a year of 2245, later
// than today, so not reported; version 255.255 (accepted); a digital input with the reserved
// interface code 15 and bit depth code 7; a screen of 255 x 255 cm; gamma FFh, which points to
// a display information extension that is missing; seven feature flags; eight coordinates of
// 0.9991, far from the sRGB the display claims; all established and eight standard timings;
// the preferred mode of slot 0; four detailed timings (every pixel clock is FFFFh).
TEST_F(MalformedInputTest, AllFFBytes) {
    const Outcome o = runCaller(memory(Bytes(128, 0xFF)));
    EXPECT_TRUE(o.accessible);
    EXPECT_TRUE(o.checked);
    EXPECT_TRUE(o.parsed);
    EXPECT_TRUE(o.identified);
    EXPECT_TRUE(o.gotString);
    const std::vector<std::string> expected = concat({
        {"ChecksumError"},
        {"InvalidHeader"},
        {kQuoted},
        repeated("InvalidASCIICharacter", 3),
        repeated(kValue, 3),  // product code, serial number, week
        repeated(kValue, 2),  // version, revision
        {"VideoInterfaceType", "EDIDValueUnknown", "DVIStandardSupported", "EDIDValueUnknown",
         "ReportedColorBitDepth"},
        {"ReportedScreenSize", "ReportedScreenSize"},
        {"MissingExtBlock", kValue},  // gamma in a missing extension block
        repeated(kValue, 7),          // feature support
        repeated("ReportedChromaticity", 8),
        {"ChromaticityNotSRGB"},
        {"ReportedEstTimings", "ReportedStdTimings"},
        {kValue},  // preferred timing mode
        repeated("DetailedTiming", 4),
        {kValue, kValue},  // extension flag, checksum
    });
    EXPECT_EQ(o.keys, expected);
    ASSERT_EQ(o.texts.size(), expected.size());
    EXPECT_NE(o.texts[0].find("80h"), std::string::npos) << o.texts[0];
    EXPECT_NE(o.texts.back().find("FFh"), std::string::npos) << o.texts.back();
}

// 128 random bytes (seeded, so always the same block: E7 1C 25 85 ...; header wrong, 7Eh = FEh,
// the bytes sum to 15h). By hand: letters "JID" (valid, not in the table); week 212, which is
// invalid; year 2107, later than today, so not reported; version 177.196 (accepted); an analog
// input; a screen of 37 x 145 cm; gamma BDh; sRGB not claimed; established and standard timings;
// four slots with a pixel clock, the first with the preferred mode (18h bit 1 is set).
TEST_F(MalformedInputTest, RandomBytes) {
    std::mt19937 engine(20261206u);
    Bytes bytes(128);
    for (std::uint8_t& byte : bytes) {
        byte = static_cast<std::uint8_t>(engine() & 0xFF);
    }
    ASSERT_EQ(bytes[0], 0xE7);
    ASSERT_EQ(bytes[0x7E], 0xFE);
    const Outcome o = runCaller(memory(bytes));
    EXPECT_TRUE(o.accessible);
    EXPECT_TRUE(o.checked);
    EXPECT_TRUE(o.parsed);
    EXPECT_TRUE(o.identified);
    EXPECT_TRUE(o.gotString);
    const std::vector<std::string> expected = concat({
        {"ChecksumError", "InvalidHeader", kQuoted},
        repeated(kValue, 3),  // product code, serial number, week
        {"InvalidWeekOfManufacture"},
        repeated(kValue, 2),  // version, revision
        {"VideoInterfaceType", "SerrationSupport", "CompositeSyncSupport", "CompositeSyncSupport",
         "SeparateSignalSupport", kValue, "SignalLevelStandard"},
        {"ReportedScreenSize", "ReportedScreenSize"},
        {kValue},             // gamma
        repeated(kValue, 7),  // feature support
        repeated("ReportedChromaticity", 8),
        {"ReportedEstTimings", "ReportedStdTimings"},
        {kValue},  // preferred timing mode
        repeated("DetailedTiming", 4),
        {kValue, kValue},  // extension flag, checksum
    });
    EXPECT_EQ(o.keys, expected);
    ASSERT_EQ(o.texts.size(), expected.size());
    EXPECT_NE(o.texts[0].find("15h"), std::string::npos) << o.texts[0];
}

// The extension count at 7Eh against the bytes that are really there. Whatever is announced,
// only complete 128-byte blocks are read; a missing block is neither an error nor a message,
// and the parse of the base block is exactly that of the same block alone.
struct ExtensionCase {
    const char* name;
    int announced;     // byte 7Eh
    std::size_t size;  // bytes of the source (the valid block, then zeros)
    std::size_t blocksRead;
};

TEST_F(MalformedInputTest, AnnouncedExtensionsBeyondTheSourceAreNotRead) {
    const std::vector<ExtensionCase> cases = {
        {"129 bytes, no extension announced", 0, 129, 0},
        {"129 bytes, one extension announced", 1, 129, 0},
        {"255 bytes, one extension announced", 1, 255, 0},
        {"256 bytes, one extension announced", 1, 256, 1},
        {"128 bytes, 7Eh = 255", 255, 128, 0},
        {"384 bytes, 7Eh = 255", 255, 384, 2},
    };
    const Outcome alone = runCaller(memory(validEdid(0)));
    ASSERT_TRUE(alone.parsed);
    ASSERT_GE(alone.keys.size(), 2u);
    for (const ExtensionCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = validEdid(c.announced);
        bytes.resize(c.size, 0x00);
        for (const auto& source : {memory(bytes), file(write("ext.bin", bytes))}) {
            const Outcome o = runCaller(source);
            EXPECT_TRUE(o.accessible);
            EXPECT_TRUE(o.checked);
            EXPECT_TRUE(o.parsed);
            EXPECT_TRUE(o.identified);
            EXPECT_TRUE(o.gotString);
            // The same messages as the block alone (a zero block has a correct checksum), plus
            // the "ExtBlocks" report when a block was read; only the two trailer texts differ.
            std::vector<std::string> expected = alone.keys;
            if (c.blocksRead > 0) {
                expected.push_back("ReportedValue");
            }
            EXPECT_EQ(o.keys, expected);
            const std::size_t trailer = alone.keys.size() - 2;
            char flag[4];
            std::snprintf(flag, sizeof flag, "%02X", static_cast<unsigned>(c.announced));
            EXPECT_NE(o.texts[trailer].find(std::string(flag) + "h"), std::string::npos)
                << o.texts[trailer];
            if (c.blocksRead > 0) {
                const std::string& blocks = o.texts.back();
                EXPECT_EQ(static_cast<std::size_t>(std::count(blocks.begin(), blocks.end(), '\n')),
                          2 * c.blocksRead)
                    << blocks;
            }
        }
    }
}

// A 1 GiB sparse file whose first block is a valid EDID: only the blocks that 7Eh announces
// are read, so the outcome is that of the same bytes in memory, and the 255 zero blocks behind
// a 7Eh of FFh are read (and hold correct checksums) without the rest of the file mattering.
TEST_F(MalformedInputTest, HugeSparseFileReadsOnlyTheAnnouncedBlocks) {
    constexpr std::uintmax_t kGiB = 1024ull * 1024 * 1024;
    for (const int announced : {0, 255}) {
        SCOPED_TRACE(announced);
        const Bytes head = validEdid(announced);
        const fs::path path = write("huge.bin", head);
        fs::resize_file(path, kGiB);
        ASSERT_EQ(fs::file_size(path), kGiB);

        Bytes blocks = head;
        blocks.resize(128 * (1 + static_cast<std::size_t>(announced)), 0x00);
        libEDID::EDIDParser fromFile(file(path));
        EXPECT_EQ(edidtest::renderParse("EDID", fromFile), edidtest::renderParse("EDID", blocks));
    }
}

}  // namespace
