#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Blocking.h"
#include "TempDir.h"
#include "qor/Files.h"
#include "qor/HexDumpFormat.h"
#include "qor/System.h"

namespace {

using edidtest::TempDir;
using qor::FileMode;
using qor::FStream;

// Opens `path` in `mode` and writes `text` (an empty one as a null pointer and size 0); false
// when the file cannot be opened or written.
bool writeTo(const std::string& path, FileMode mode, const std::string& text) {
    const auto out = FStream::openFile(path, mode);
    return out != nullptr && out->write(text.empty() ? nullptr : text.data(), text.size());
}

// Create mode truncates and append mode appends; create-new mode writes only where nothing is:
// an existing file, a link (dangling or not) and a folder are left as they are. A path in a
// missing folder, a folder, an empty path and read mode give no stream.
TEST(FStreamTest, EachModeOpensOnlyWhatItMay) {
    TempDir dir;
    const std::string path = dir.write("out.bin", "a much longer previous content");
    EXPECT_TRUE(writeTo(path, FileMode::CREATE_WRITE_BINARY, "abc"));
    EXPECT_EQ(TempDir::read(path), "abc");
    EXPECT_TRUE(writeTo(path, FileMode::APPEND_BINARY, "de"));
    EXPECT_EQ(TempDir::read(path), "abcde");
    EXPECT_TRUE(writeTo(dir.file("empty.bin"), FileMode::CREATE_WRITE_BINARY, ""));
    EXPECT_EQ(TempDir::read(dir.file("empty.bin")), "");
    EXPECT_TRUE(writeTo(dir.file("new.bin"), FileMode::CREATE_NEW_BINARY, "abc"));
    edidtest::linkOrOccupy(path, dir.file("link.bin"));
    edidtest::linkOrOccupy(dir.file("none.bin"), dir.file("dangling.bin"));
    for (const char* name : {"new.bin", "link.bin", "dangling.bin", ""}) {
        EXPECT_EQ(FStream::openFile(dir.file(name), FileMode::CREATE_NEW_BINARY), nullptr) << name;
    }
    for (const std::string& other :
         {dir.file("no/such/folder.bin"), dir.path().string(), std::string()}) {
        EXPECT_EQ(FStream::openFile(other, FileMode::CREATE_WRITE_BINARY), nullptr) << other;
    }
    EXPECT_EQ(FStream::openFile(path, FileMode::READ_BINARY), nullptr);
    EXPECT_FALSE(qor::OFStream(nullptr).write("x", 1));
    EXPECT_EQ(TempDir::read(dir.file("new.bin")), "abc");
    EXPECT_EQ(TempDir::read(path), "abcde");
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.bin")));
}

// Only regular files are read, up to the limit; the first `limit` bytes of a larger one are
// kept. Nothing blocks or grows without bound (a FIFO, /dev/zero).
TEST(ReadRegularFileTest, ReadsSmallRegularFilesOnly) {
    TempDir dir;
    struct Case {
        std::string path;
        qor::ReadResult result;
        std::string content;
    };
    std::vector<Case> cases = {
        {dir.file("missing"), qor::ReadResult::CANNOT_OPEN, ""},
        {dir.path().string(), qor::ReadResult::NOT_REGULAR, ""},
        {dir.write("empty", ""), qor::ReadResult::OK, ""},
        {dir.write("four", "abcd"), qor::ReadResult::OK, "abcd"},
        {dir.write("five", "abcde"), qor::ReadResult::TOO_LARGE, "abcd"},
    };
#ifdef _WIN32
    const std::string fifo;
#else
    const std::string fifo = edidtest::makeFifo(dir.file("fifo"));
    cases.push_back({fifo, qor::ReadResult::NOT_REGULAR, ""});
    cases.push_back({"/dev/zero", qor::ReadResult::NOT_REGULAR, ""});
#endif
    for (const Case& c : cases) {
        std::string content = "old";
        qor::ReadResult result = qor::ReadResult::READ_ERROR;
        EXPECT_TRUE(edidtest::returnsWithoutBlocking(fifo, [&] {
            result = qor::readRegularFile(c.path, 4, content);
        })) << c.path;
        EXPECT_EQ(result, c.result) << c.path;
        EXPECT_EQ(content, c.content) << c.path;
    }
}

TEST(HexDumpFormatTest, SixteenBytesALineWithOffsetHexAndText) {
    const std::string eol = qor::System::TEXT_FILE_EOL().str();
    const std::string bytes = "EDID 1.4" + std::string("\x00\x01\x7F\x80\xFF", 5) + "0123456";
    const std::string expected =
        eol + "00000100  45 44 49 44 20 31 2E 34  00 01 7F 80 FF 30 31 32  |EDID 1.4.....012|" +
        eol + "00000110  33 34 35 36                                       |3456|";
    EXPECT_EQ(qor::HexDumpFormat(bytes.data(), bytes.size(), 0x100, 0).toString().str(), expected);
    EXPECT_EQ(qor::HexDumpFormat(bytes.data(), 0, 0, 0).toString().str(), "");
    EXPECT_EQ(qor::HexDumpFormat(nullptr, 16, 0, 0).toString().str(), "");
}

}  // namespace
