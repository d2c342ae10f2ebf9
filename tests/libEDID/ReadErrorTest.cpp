// Why a read gave no EDID or less than it announces (EDIDParser::getReadError): the reason of
// each kind of source, the reset on every read, and the opt-in finding for an EDID that ends
// before the extension blocks its byte 7Eh announces, on real EDIDs cut short.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "Blocking.h"
#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "TempDir.h"
#include "TestData.h"
#include "libEDID/libEDID.h"
#include "qor/Resource.h"

namespace {

using libEDID::EDIDParser;
using libEDID::ReadError;
using Bytes = std::vector<std::uint8_t>;

// ACR-0B3A: a base block announcing two extension blocks (384 bytes in all).
const char* const kTwoExtensions = "ACR-0B3A-1.4-digital-bb967c25.bin";

Bytes testEdid(const std::string& name) {
    std::ifstream in(edidtest::edidDataDir() + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes firstBytes(const Bytes& bytes, std::size_t count) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

std::string asText(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A source of the caller's own: its bytes may change between reads, and it names no reason of
// its own when it is not accessible.
struct ChangingAccessor : libEDID::EDIDAccessor {
    explicit ChangingAccessor(bool open) { accessible = open; }
    int read(unsigned offset, unsigned length, void* out) override {
        if (offset + length > bytes.size()) {
            return -1;
        }
        std::copy_n(bytes.begin() + offset, length, static_cast<std::uint8_t*>(out));
        return static_cast<int>(length);
    }
    Bytes bytes;
};

class ReadErrorTest : public ::testing::Test {
  protected:
    void SetUp() override { qor::QORLocale::setGlobalLocale(qor::QORLocale("en")); }

    edidtest::TempDir dir;
};

// Every kind of file, through both the checksum pass and the parse: the reason, and whether
// the parse ran.
TEST_F(ReadErrorTest, EachFileGivesItsReason) {
    const Bytes full = testEdid(kTwoExtensions);
    ASSERT_EQ(full.size(), 384u);
    struct FileCase {
        const char* label;
        std::string path;
        ReadError expected;
        bool parsed;
    };
    std::filesystem::create_directory(dir.file("folder"));
    std::vector<FileCase> cases = {
        {"missing", dir.file("missing.bin"), ReadError::NotFound, false},
        {"folder", dir.file("folder"), ReadError::NotRegularFile, false},
        {"empty", dir.write("empty.bin", ""), ReadError::Empty, false},
        {"100 bytes", dir.write("100.bin", asText(firstBytes(full, 100))),
         ReadError::BaseBlockShort, false},
        {"127 bytes", dir.write("127.bin", asText(firstBytes(full, 127))),
         ReadError::BaseBlockShort, false},
        {"base block only", dir.write("128.bin", asText(firstBytes(full, 128))),
         ReadError::ExtensionMissing, true},
        {"one block and a half", dir.write("300.bin", asText(firstBytes(full, 300))),
         ReadError::ExtensionMissing, true},
        {"one byte short", dir.write("383.bin", asText(firstBytes(full, 383))),
         ReadError::ExtensionMissing, true},
        {"whole", dir.write("384.bin", asText(full)), ReadError::None, true},
        {"longer than announced", dir.write("512.bin", asText(full) + std::string(128, '\0')),
         ReadError::None, true},
    };
#ifndef _WIN32
    cases.push_back(
        {"FIFO", edidtest::makeFifo(dir.file("fifo")), ReadError::NotRegularFile, false});
#endif
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.label);
        EDIDParser checksums(edidtest::fileAccessor(c.path));
        EXPECT_EQ(checksums.getReadError(), ReadError::None) << "before any read";
        EXPECT_EQ(checksums.verifyChecksum(false), c.parsed);
        EXPECT_EQ(checksums.getReadError(), c.expected);
        EDIDParser parser(edidtest::fileAccessor(c.path));
        EXPECT_EQ(parser.parseEDID(false), c.parsed);
        EXPECT_EQ(parser.getReadError(), c.expected);
    }
}

#ifndef _WIN32
TEST_F(ReadErrorTest, UnreadableFileIsPermissionDenied) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "the superuser reads every file";
    }
    const std::string path = dir.write("locked.bin", asText(testEdid(kTwoExtensions)));
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    EDIDParser parser(edidtest::fileAccessor(path));
    EXPECT_FALSE(parser.parseEDID(false));
    EXPECT_EQ(parser.getReadError(), ReadError::PermissionDenied);
}
#endif

// Memory sources: both constructors, with nothing, too little and enough.
TEST_F(ReadErrorTest, EachBufferGivesItsReason) {
    const Bytes full = testEdid(kTwoExtensions);
    const auto fromBuffer = [](const Bytes& bytes) {
        qor::Buffer<unsigned char> buffer;
        buffer.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return libEDID::makeAccessor<libEDID::EDIDAccessorBuffer>(buffer);
    };
    struct BufferCase {
        const char* label;
        libEDID::EDIDAccessorHandle accessor;
        ReadError expected;
    };
    const std::vector<BufferCase> cases = {
        {"length 0", libEDID::makeAccessor<libEDID::EDIDAccessorBuffer>(nullptr, 0u),
         ReadError::Empty},
        {"null data with a length", libEDID::makeAccessor<libEDID::EDIDAccessorBuffer>(nullptr, 8u),
         ReadError::Empty},
        // Accessible by the rules of the memory source, yet without bytes.
        {"empty buffer", fromBuffer({}), ReadError::Empty},
        {"100 bytes", edidtest::memoryAccessor(firstBytes(full, 100)), ReadError::BaseBlockShort},
        {"100-byte buffer", fromBuffer(firstBytes(full, 100)), ReadError::BaseBlockShort},
        {"two of three blocks", edidtest::memoryAccessor(firstBytes(full, 256)),
         ReadError::ExtensionMissing},
        {"whole", fromBuffer(full), ReadError::None},
    };
    for (const BufferCase& c : cases) {
        SCOPED_TRACE(c.label);
        EDIDParser parser(c.accessor);
        parser.parseEDID(false);
        EXPECT_EQ(parser.getReadError(), c.expected);
    }
}

// A source without a reason of its own, and no source at all, count as not found.
TEST_F(ReadErrorTest, SourceWithoutReasonIsNotFound) {
    EDIDParser closed(libEDID::makeAccessor<ChangingAccessor>(false));
    EXPECT_FALSE(closed.parseEDID(false));
    EXPECT_EQ(closed.getReadError(), ReadError::NotFound);
    EDIDParser none{libEDID::EDIDAccessorHandle()};
    EXPECT_FALSE(none.verifyChecksum(false));
    EXPECT_EQ(none.getReadError(), ReadError::NotFound);
}

// Every read sets the reason afresh; a call that uses the blocks already read keeps it.
TEST_F(ReadErrorTest, EveryReadSetsTheReasonAfresh) {
    const Bytes full = testEdid(kTwoExtensions);
    auto* source = new ChangingAccessor(true);
    const libEDID::EDIDAccessorHandle handle(source);
    EDIDParser parser(handle);
    source->bytes = firstBytes(full, 256);
    ASSERT_TRUE(parser.parseEDID(false));
    EXPECT_EQ(parser.getReadError(), ReadError::ExtensionMissing);
    source->bytes = full;
    ASSERT_TRUE(parser.verifyChecksum(false));  // no read: the blocks are kept
    EXPECT_EQ(parser.getReadError(), ReadError::ExtensionMissing);
    ASSERT_TRUE(parser.verifyChecksum(true));
    EXPECT_EQ(parser.getReadError(), ReadError::None);
    source->bytes = firstBytes(full, 64);
    EXPECT_FALSE(parser.parseEDID(true));
    EXPECT_EQ(parser.getReadError(), ReadError::BaseBlockShort);
    source->bytes = full;
    EXPECT_TRUE(parser.parseEDID(false));  // the failed read is tried again
    EXPECT_EQ(parser.getReadError(), ReadError::None);
}

// The finding is opt-in: a default parse of an EDID cut short reads the blocks present without
// a message; with the report on, one level-2 message names both counts, after the trailer.
TEST_F(ReadErrorTest, MissingExtensionsAreReportedOnlyWhenAsked) {
    const Bytes full = testEdid(kTwoExtensions);
    struct CutCase {
        std::size_t length;
        unsigned present;  // extension blocks present of the two announced
    };
    for (const CutCase& c : {CutCase{128, 0}, CutCase{256, 1}, CutCase{383, 1}}) {
        SCOPED_TRACE(c.length);
        const std::string path = dir.write("cut.bin", asText(firstBytes(full, c.length)));
        EDIDParser plain(edidtest::fileAccessor(path));
        ASSERT_TRUE(plain.parseEDID(false));
        EXPECT_EQ(plain.getExtensionBlocks().size(), c.present);
        EDIDParser reporting(edidtest::fileAccessor(path));
        reporting.setReportMissingExtensions(true);
        ASSERT_TRUE(reporting.parseEDID(false));

        std::vector<std::string> plainKeys;
        for (const libEDID::LibEDIDLog& message : plain.getMessages()) {
            plainKeys.push_back(message.getKey().str());
        }
        EXPECT_THAT(plainKeys, ::testing::Not(::testing::Contains("ExtensionBlocksMissing")));
        const auto& messages = reporting.getMessages();
        ASSERT_EQ(messages.size(), plain.getMessages().size() + 1);
        // The finding follows the extension flag report (and the block list, when blocks are
        // present) and is otherwise the only difference.
        std::size_t at = 0;
        while (at < messages.size() && messages[at].getKey().str() != "ExtensionBlocksMissing") {
            ++at;
        }
        ASSERT_LT(at, messages.size());
        EXPECT_EQ(messages[at].getLevel(), libEDID::LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR);
        EXPECT_EQ(messages[at].getCategory(), libEDID::LibEDIDLog::LIBEDID_LOG_CAT_EXTENSION_BLOCK);
        EXPECT_EQ(messages[at].getMesg().str(),
                  "The base block announces 2 extension blocks (byte 7Eh), but only " +
                      std::to_string(c.present) + " are present; the blocks present are examined.");
        EXPECT_EQ(messages[at - 1].getKey().str(), "ReportedValue");
        // It concerns byte 7Eh, the count.
        EXPECT_EQ(messages[at].getBytes().offset, 0x7E);
        EXPECT_EQ(messages[at].getBytes().length, 1);
        for (std::size_t i = 0; i < plain.getMessages().size(); ++i) {
            EXPECT_EQ(messages[i < at ? i : i + 1].getMesg().str(),
                      plain.getMessages()[i].getMesg().str());
        }
    }
    // A whole EDID gives no finding with the report on.
    EDIDParser whole(edidtest::memoryAccessor(full));
    whole.setReportMissingExtensions(true);
    ASSERT_TRUE(whole.parseEDID(false));
    for (const libEDID::LibEDIDLog& message : whole.getMessages()) {
        EXPECT_NE(message.getKey().str(), "ExtensionBlocksMissing");
    }
}

// Names are distinct and stable; each reason has an English sentence, None has none.
TEST_F(ReadErrorTest, NamesAndTexts) {
    const std::vector<std::pair<ReadError, std::string>> names = {
        {ReadError::None, "none"},
        {ReadError::NotFound, "not-found"},
        {ReadError::NotRegularFile, "not-regular-file"},
        {ReadError::Empty, "empty"},
        {ReadError::BaseBlockShort, "base-block-short"},
        {ReadError::ExtensionMissing, "extension-missing"},
        {ReadError::NoDisplay, "no-display"},
        {ReadError::PermissionDenied, "permission-denied"},
        {ReadError::ReadFailed, "read-failed"},
    };
    std::set<std::string> texts;
    for (const auto& [error, name] : names) {
        EXPECT_EQ(libEDID::readErrorName(error), name);
        const std::string text = libEDID::readErrorText(error).str();
        if (error == ReadError::None) {
            EXPECT_EQ(text, "");
        } else {
            EXPECT_THAT(text, ::testing::EndsWith(".")) << name;
            texts.insert(text);
        }
    }
    EXPECT_EQ(texts.size(), names.size() - 1);
    EXPECT_EQ(libEDID::readErrorText(ReadError::Empty).str(), "The source is empty.");
}

}  // namespace
