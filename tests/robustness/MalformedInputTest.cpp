// Malformed and hostile inputs: sources that cannot be opened or hold too few bytes, blocks
// that announce extensions which are not there, degenerate and random bytes, and a huge sparse
// file. Each case states its exact outcome: accessibility, the results of the caller's
// operations and the message keys in log order.

#include <gtest/gtest.h>

#include <array>
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

}  // namespace
