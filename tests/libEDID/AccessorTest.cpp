#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

#include "CoreTestSupport.h"
#include "TempDir.h"
#include "qor/HexDumpFormat.h"

namespace {

using coretest::Bytes;
using edidtest::LogCapture;
using edidtest::TempDir;
using libEDID::EDIDAccessor;
using libEDID::EDIDAccessorBuffer;
using libEDID::EDIDAccessorFile;
using libEDID::EDIDAccessorHandle;

std::string numbered(unsigned size) {
    std::string bytes(size, '\0');
    for (unsigned i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + 1);
    }
    return bytes;
}

EDIDAccessorBuffer memory(const std::string& bytes) {
    return EDIDAccessorBuffer(bytes.data(), static_cast<unsigned>(bytes.size()));
}

std::string hexOf(const std::string& bytes) {
    return qor::HexDumpFormat(bytes.data(), bytes.size(), 0, 0).toString().str();
}

// A source that serves fewer bytes than asked for; it keeps the base class's dump operations.
class ShortReadAccessor : public EDIDAccessor {
  public:
    explicit ShortReadAccessor(int result) : result_(result) { accessible = true; }
    int read(unsigned, unsigned, void*) override { return result_; }

  private:
    int result_;
};

// Counts its destructions, to follow the handle's ownership.
class CountedAccessor : public EDIDAccessorBuffer {
  public:
    explicit CountedAccessor(int& destroyed) : EDIDAccessorBuffer("x", 1), destroyed_(destroyed) {}
    ~CountedAccessor() override { ++destroyed_; }

  private:
    int& destroyed_;
};

struct ReadCase {
    unsigned offset;
    unsigned length;
    int expected;
};

// The same bounds hold for memory and file sources of 256 bytes.
const ReadCase kReadCases[] = {
    {0, 256, 256},
    {128, 128, 128},
    {129, 128, -1},
    {200, 128, -1},
    {256, 0, 0},
    {257, 0, -1},
    {UINT_MAX, 2, -1},          // offset + length beyond 32 bits: no wrap to offset 1
    {0xFFFFFF80u, 0x100u, -1},  // wraps to 80h in 32 bits
    {1, UINT_MAX, -1},
};

void expectReads(EDIDAccessor& accessor, const std::string& bytes) {
    for (const ReadCase& c : kReadCases) {
        std::array<char, 300> out;
        out.fill('\x5A');
        EXPECT_EQ(accessor.read(c.offset, c.length, out.data()), c.expected)
            << c.offset << "+" << c.length;
        if (c.expected > 0) {
            EXPECT_EQ(std::string(out.data(), c.length), bytes.substr(c.offset, c.length));
        } else {
            EXPECT_EQ(out[0], '\x5A');  // a failed read writes nothing
        }
    }
}

TEST(MemoryAccessorTest, ReadsWithinTheBufferOnly) {
    const std::string bytes = numbered(256);
    EDIDAccessorBuffer accessor = memory(bytes);
    EXPECT_TRUE(accessor.isAccessible());
    EXPECT_TRUE(accessor.getLocator().isEmpty());
    expectReads(accessor, bytes);

    char out[1];
    EXPECT_TRUE(accessor.readStructure(256, out, 0));
    EXPECT_TRUE(accessor.readStructure(0, out, 0));
}

TEST(MemoryAccessorTest, ReadPastTheEndLogsThenReadStructureLogs) {
    LogCapture log(3);
    EDIDAccessorBuffer accessor = memory(numbered(256));
    char out[128];
    EXPECT_FALSE(accessor.readStructure(200, out, 128));
    ASSERT_EQ(log.lines().size(), 2u);
    EXPECT_EQ(log.lines()[0].logger, "libEDID.EDIDAccessorBuffer");
    EXPECT_EQ(log.lines()[0].priority, 3);
    EXPECT_EQ(log.lines()[0].text, "33 trying to read past the end of input EDID buffer");
    EXPECT_EQ(log.lines()[1].logger, "libEDID.EDIDAccessor");
    EXPECT_EQ(log.lines()[1].priority, 3);
    EXPECT_EQ(log.lines()[1].text, "30 Error returned from read of EDID, error # = -1");
}

TEST(MemoryAccessorTest, AccessibilityFollowsTheConstructor) {
    LogCapture log(2);
    char out[128];

    EDIDAccessorBuffer fromEmptyBuffer{qor::Buffer<unsigned char>()};
    EXPECT_TRUE(fromEmptyBuffer.isAccessible());
    EXPECT_FALSE(fromEmptyBuffer.readStructure(0, out, 128));
    EXPECT_EQ(log.startingWith("33 ").size(), 1u);
    EXPECT_EQ(log.startingWith("30 ").size(), 1u);

    const unsigned char raw[3] = {1, 2, 3};
    EDIDAccessorBuffer fromBuffer{qor::Buffer<unsigned char>(raw, 3)};
    EXPECT_EQ(fromBuffer.read(0, 3, out), 3);

    const std::size_t before = log.lines().size();
    EDIDAccessorBuffer zeroLength("abc", 0);
    EXPECT_FALSE(zeroLength.isAccessible());
    EXPECT_FALSE(zeroLength.readStructure(0, out, 128));
    EXPECT_FALSE(zeroLength.readStructure(0, out, 0));
    EXPECT_EQ(log.lines().size(), before);  // no read was tried

    EDIDAccessorBuffer nullData(nullptr, 16);
    EXPECT_TRUE(nullData.isAccessible());
    EXPECT_EQ(nullData.read(0, 1, out), -1);
    EXPECT_EQ(nullData.hexDump(), qor::String());
}

TEST(MemoryAccessorTest, CopiesAndMovesOwnTheirBytes) {
    const std::string bytes = numbered(128);
    char out[128];

    EDIDAccessorBuffer original = memory(bytes);
    EDIDAccessorBuffer copy(original);
    EDIDAccessorBuffer moved(std::move(original));
    EXPECT_TRUE(original.isAccessible());  // NOLINT: the moved-from state is specified
    EXPECT_EQ(original.read(0, 1, out), -1);
    EXPECT_EQ(original.read(0, 0, out), 0);
    EXPECT_EQ(moved.read(0, 128, out), 128);
    EXPECT_EQ(std::string(out, 128), bytes);
    EXPECT_EQ(copy.hexDump(), moved.hexDump());

    EDIDAccessorBuffer assigned = memory("short");
    assigned = copy;
    EXPECT_EQ(assigned.read(0, 128, out), 128);
    assigned = assigned;
    EXPECT_EQ(assigned.read(0, 128, out), 128);

    EDIDAccessorBuffer target("zero", 0);
    target = std::move(assigned);
    EXPECT_TRUE(target.isAccessible());
    EXPECT_EQ(target.read(0, 128, out), 128);
    EXPECT_EQ(assigned.read(0, 1, out), -1);  // NOLINT

    copy = EDIDAccessorBuffer(qor::Buffer<unsigned char>());
    EXPECT_EQ(copy.read(0, 1, out), -1);
}

TEST(MemoryAccessorTest, DumpsToFileAndHexDump) {
    TempDir dir;
    const std::string bytes = numbered(130);
    EDIDAccessorBuffer accessor = memory(bytes);
    EXPECT_EQ(accessor.hexDump().str(), hexOf(bytes));
    EXPECT_TRUE(accessor.dumpToFile(dir.file("dump.bin")));
    EXPECT_EQ(TempDir::read(dir.file("dump.bin")), bytes);
    EXPECT_TRUE(memory("x").dumpToFile(dir.file("dump.bin")));  // truncates
    EXPECT_EQ(TempDir::read(dir.file("dump.bin")), "x");

    EDIDAccessorBuffer empty{qor::Buffer<unsigned char>()};
    EXPECT_TRUE(empty.dumpToFile(dir.file("empty.bin")));
    EXPECT_EQ(TempDir::read(dir.file("empty.bin")), "");
    EXPECT_EQ(empty.hexDump(), qor::String());

    LogCapture log(3);
    const std::string bad = dir.file("missing/dump.bin");
    EXPECT_FALSE(accessor.dumpToFile(bad));
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].logger, "libEDID.EDIDAccessorBuffer");
    EXPECT_EQ(log.lines()[0].priority, 3);
    EXPECT_EQ(log.lines()[0].text, "45 Unable to open file: \"" + bad + "\"");
}

TEST(AccessorBaseTest, ShortOrFailedReadsAreFailures) {
    LogCapture log(3);
    char out[128];
    ShortReadAccessor shortRead(5);
    EXPECT_FALSE(shortRead.readStructure(0, out, 128));
    ShortReadAccessor failed(-7);
    EXPECT_FALSE(failed.readStructure(0, out, 128));
    ShortReadAccessor tooLong(200);
    EXPECT_FALSE(tooLong.readStructure(0, out, 128));
    ASSERT_EQ(log.lines().size(), 3u);
    EXPECT_EQ(log.lines()[0].text, "34 amount read (5) != expected amount (128)");
    EXPECT_EQ(log.lines()[0].logger, "libEDID.EDIDAccessor");
    EXPECT_EQ(log.lines()[0].priority, 3);
    EXPECT_EQ(log.lines()[1].text, "30 Error returned from read of EDID, error # = -7");
    EXPECT_EQ(log.lines()[2].text, "34 amount read (200) != expected amount (128)");

    // The base class dumps nothing.
    EXPECT_EQ(shortRead.hexDump(), qor::String());
    EXPECT_FALSE(shortRead.dumpToFile("never-written.bin"));
    EXPECT_TRUE(shortRead.getLocator().isEmpty());
}

TEST(AccessorBaseTest, ReadStructureTracesAtPriorityOne) {
    LogCapture log(1);
    char out[4];
    EXPECT_TRUE(memory("abcd").readStructure(0, out, 4));
    ASSERT_EQ(log.lines().size(), 2u);
    EXPECT_EQ(log.lines()[0].logger, "libEDID.EDIDAccessor");
    EXPECT_EQ(log.lines()[0].priority, 1);
    EXPECT_EQ(log.lines()[0].text.rfind("Entering EDIDAccessor::readStructure", 0), 0u);
    EXPECT_EQ(log.lines()[1].text, "Leaving EDIDAccessor::readStructure");
}

TEST(FileAccessorTest, UnusableFilesAreNotAccessible) {
    TempDir dir;
    const std::string paths[] = {dir.file("missing.bin"), dir.write("empty.bin", ""),
                                 dir.path().string()};
    for (const std::string& path : paths) {
        LogCapture log(0);
        EDIDAccessorFile accessor(path);
        EXPECT_FALSE(accessor.isAccessible()) << path;
        EXPECT_TRUE(accessor.getLocator().isEmpty());
        ASSERT_EQ(log.lines().size(), 1u) << path;
        EXPECT_EQ(log.lines()[0].logger, "libEDID.EDIDAccessorFile");
        EXPECT_EQ(log.lines()[0].priority, 4);
        EXPECT_EQ(log.lines()[0].text, "23 The provided EDID file is invalid or is of size 0");

        char out[128];
        EXPECT_FALSE(accessor.readStructure(0, out, 128));
        EXPECT_EQ(log.startingWith("3").size(), 0u);  // nothing read, nothing logged
        EXPECT_EQ(accessor.read(0, 1, out), -1);
        EXPECT_EQ(accessor.hexDump(), qor::String());
        EXPECT_TRUE(accessor.dumpToFile(dir.file("copy.bin")));
        EXPECT_EQ(TempDir::read(dir.file("copy.bin")), "");
    }
}

TEST(FileAccessorTest, ReadsDumpsAndHexDumpsTheWholeFile) {
    TempDir dir;
    const std::string bytes = numbered(256);
    EDIDAccessorFile accessor(dir.write("edid.bin", bytes));
    ASSERT_TRUE(accessor.isAccessible());
    EXPECT_TRUE(accessor.getLocator().isEmpty());
    expectReads(accessor, bytes);

    EXPECT_TRUE(accessor.dumpToFile(dir.file("copy.bin")));
    EXPECT_EQ(TempDir::read(dir.file("copy.bin")), bytes);
    EXPECT_EQ(accessor.hexDump().str(), hexOf(bytes));

    LogCapture log(0);
    char out[128];
    EXPECT_FALSE(accessor.readStructure(200, out, 128));
    ASSERT_EQ(log.startingWith("33 ").size(), 1u);
    EXPECT_EQ(log.startingWith("33 ")[0].logger, "libEDID.EDIDAccessorFile");
    EXPECT_EQ(log.startingWith("33 ")[0].priority, 4);
    EXPECT_EQ(log.startingWith("33 ")[0].text, "33 trying to read past the end of input EDID file");
    EXPECT_EQ(log.startingWith("30 ").size(), 1u);

    const std::string bad = dir.file("missing/copy.bin");
    EXPECT_FALSE(accessor.dumpToFile(bad));
    ASSERT_EQ(log.startingWith("49 ").size(), 1u);
    EXPECT_EQ(log.startingWith("49 ")[0].priority, 3);
    EXPECT_EQ(log.startingWith("49 ")[0].text, "49 Unable to open file: \"" + bad + "\"");
}

// dumpToFile and hexDump go through read, so a derived source's read is honoured.
class MaskedFileAccessor : public EDIDAccessorFile {
  public:
    using EDIDAccessorFile::EDIDAccessorFile;
    int read(unsigned offset, unsigned length, void* out) override {
        const int n = EDIDAccessorFile::read(offset, length, out);
        for (int i = 0; i < n; ++i) {
            static_cast<char*>(out)[i] = 'M';
        }
        return n;
    }
};

TEST(FileAccessorTest, DumpsGoThroughTheVirtualRead) {
    TempDir dir;
    MaskedFileAccessor accessor(dir.write("edid.bin", numbered(20)));
    EXPECT_TRUE(accessor.dumpToFile(dir.file("copy.bin")));
    EXPECT_EQ(TempDir::read(dir.file("copy.bin")), std::string(20, 'M'));
    EXPECT_EQ(accessor.hexDump().str(), hexOf(std::string(20, 'M')));
}

TEST(AccessorHandleTest, ParsersShareTheAccessorUntilTheLastHandleGoes) {
    int destroyed = 0;
    {
        EDIDAccessorHandle handle(new CountedAccessor(destroyed));
        libEDID::EDIDParser parser(handle);
        EXPECT_EQ(handle.useCount(), 2);
        {
            libEDID::EDIDParser copy(parser);
            EXPECT_EQ(handle.useCount(), 3);
            EXPECT_EQ(copy.getAccessor().get(), handle.get());
        }
        EXPECT_EQ(handle.useCount(), 2);
        handle.release();
        EXPECT_EQ(destroyed, 0);
        EXPECT_TRUE(parser.isAccessible());

        int otherDestroyed = 0;
        libEDID::EDIDParser other(EDIDAccessorHandle(new CountedAccessor(otherDestroyed)));
        other = parser;  // the other parser's accessor loses its only handle
        EXPECT_EQ(otherDestroyed, 1);
        EXPECT_EQ(parser.getAccessor().useCount(), 3);  // parser, other, and this share
    }
    EXPECT_EQ(destroyed, 1);
}

}  // namespace
