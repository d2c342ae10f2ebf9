#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"
#include "qor/Files.h"
#include "qor/HexDumpFormat.h"
#include "qor/System.h"

namespace {

using edidtest::TempDir;

TEST(MapFileTest, MapsOnlyNonEmptyRegularFiles) {
    TempDir dir;
    struct Case {
        const char* what;
        std::string path;
    };
    const Case unmapped[] = {
        {"missing", dir.file("missing.bin")},
        {"empty", dir.write("empty.bin", "")},
        {"directory", dir.path().string()},
        {"empty path", ""},
    };
    for (const Case& c : unmapped) {
        const qor::MapFile map(c.path);
        EXPECT_EQ(map.getPointer(), nullptr) << c.what;
        EXPECT_EQ(map.getFileSize(), 0u) << c.what;
    }

    std::string bytes(300, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i);
    }
    const qor::MapFile map(dir.write("edid.bin", bytes));
    ASSERT_NE(map.getPointer(), nullptr);
    ASSERT_EQ(map.getFileSize(), 300u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(map.getPointer()), 300), bytes);
}

TEST(FStreamTest, CreateModeTruncatesAndAppendModeAppends) {
    TempDir dir;
    const std::string path = dir.write("out.bin", "a much longer previous content");
    {
        auto out = qor::FStream::openFile(path, qor::FileMode::CREATE_WRITE_BINARY);
        ASSERT_NE(out, nullptr);
        EXPECT_TRUE(out->write("abc", 3));
    }
    EXPECT_EQ(TempDir::read(path), "abc");
    {
        auto out = qor::FStream::openFile(path, static_cast<qor::FileMode>(3));
        ASSERT_NE(out, nullptr);
        EXPECT_TRUE(out->write("de", 2));
        EXPECT_TRUE(out->write(nullptr, 0));  // nothing to write always succeeds
    }
    EXPECT_EQ(TempDir::read(path), "abcde");
    {
        auto out = qor::FStream::openFile(dir.file("new.bin"), static_cast<qor::FileMode>(5));
        ASSERT_NE(out, nullptr);
    }
    EXPECT_EQ(TempDir::read(dir.file("new.bin")), "");
}

TEST(FStreamTest, UnopenablePathsGiveNoStream) {
    TempDir dir;
    EXPECT_EQ(
        qor::FStream::openFile(dir.file("no/such/folder.bin"), qor::FileMode::CREATE_WRITE_BINARY),
        nullptr);
    EXPECT_EQ(qor::FStream::openFile(dir.path().string(), qor::FileMode::CREATE_WRITE_BINARY),
              nullptr);
    EXPECT_EQ(qor::FStream::openFile(dir.write("r.bin", "x"), qor::FileMode::READ_BINARY), nullptr);
    EXPECT_EQ(qor::FStream::openFile("", qor::FileMode::CREATE_WRITE_BINARY), nullptr);

    qor::OFStream closed(nullptr);
    EXPECT_FALSE(closed.write("x", 1));
}

TEST(HexDumpFormatTest, SixteenBytesALineWithOffsetHexAndText) {
    const std::string eol = qor::System::TEXT_FILE_EOL().str();
    std::string bytes = "EDID 1.4";
    bytes += std::string("\x00\x01\x7F\x80\xFF", 5);
    bytes += "0123456";
    ASSERT_EQ(bytes.size(), 20u);

    const std::string expected =
        eol + "00000100  45 44 49 44 20 31 2E 34  00 01 7F 80 FF 30 31 32  |EDID 1.4.....012|" +
        eol + "00000110  33 34 35 36                                       |3456|";
    EXPECT_EQ(qor::HexDumpFormat(bytes.data(), bytes.size(), 0x100, 0).toString().str(), expected);

    EXPECT_EQ(qor::HexDumpFormat(bytes.data(), 0, 0, 0).toString().str(), "");
    EXPECT_EQ(qor::HexDumpFormat(nullptr, 16, 0, 0).toString().str(), "");
}

TEST(HexDumpFormatTest, EveryLineOfAFullBlockHasTheSameLayout) {
    unsigned char block[128];
    for (unsigned i = 0; i < 128; ++i) {
        block[i] = static_cast<unsigned char>(i * 2);
    }
    const std::string eol = qor::System::TEXT_FILE_EOL().str();
    const std::string text = qor::HexDumpFormat(block, sizeof block, 0, 0).toString().str();
    std::size_t lines = 0;
    for (std::size_t at = text.find(eol); at != std::string::npos; at = text.find(eol, at + 1)) {
        const std::string line = text.substr(at + eol.size(), 78);
        EXPECT_EQ(line.size(), 78u);
        EXPECT_EQ(line.substr(0, 8), qor::SprintfFormat("%08zX", lines * 16).str());
        EXPECT_EQ(line.substr(58, 3), "  |");
        EXPECT_EQ(line.back(), '|');
        ++lines;
    }
    EXPECT_EQ(lines, 8u);
}

}  // namespace
