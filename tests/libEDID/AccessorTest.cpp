#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "Blocking.h"
#include "CoreTestSupport.h"
#include "TempDir.h"

namespace {

using namespace coretest;
using libEDID::EDIDAccessor;
using libEDID::EDIDAccessorBuffer;
using libEDID::EDIDAccessorFile;

const std::string kPastBuffer =
    "libEDID.EDIDAccessorBuffer 3 33 trying to read past the end of input EDID buffer";
const std::string kReadFailed =
    "libEDID.EDIDAccessor 3 30 Error returned from read of EDID, error # = -1";

std::string numbered(unsigned size) {
    std::string bytes(size, '\0');
    for (unsigned i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + 1);
    }
    return bytes;
}

// A source that serves fewer bytes than asked for; it keeps the base class's dump operations.
struct ShortReadAccessor : EDIDAccessor {
    explicit ShortReadAccessor(int served) : result(served) { accessible = true; }
    int read(unsigned, unsigned, void*) override { return result; }
    int result;
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
    EXPECT_TRUE(accessor.isAccessible());
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
    char out[1];
    EXPECT_TRUE(accessor.readStructure(256, out, 0));
}

// dumpToFile and hexDump go through read, so a derived source's read is honoured.
class MaskedFileAccessor : public EDIDAccessorFile {
  public:
    using EDIDAccessorFile::EDIDAccessorFile;
    int read(unsigned offset, unsigned length, void* out) override {
        const int n = EDIDAccessorFile::read(offset, length, out);
        std::fill_n(static_cast<char*>(out), n > 0 ? n : 0, 'M');
        return n;
    }
};

// A memory and a file source of the same 256 bytes read and dump alike, and a file
// source whose read is overridden dumps what that read gives. A dump never replaces what is
// there and never follows a link: a planted link's target and an existing file keep their
// content. Each source logs its own lines for a read past the end and for a dump target that
// cannot be opened.
TEST(AccessorTest, SourcesReadAndDumpTheirWholeContent) {
    TempDir dir;
    const std::string bytes = numbered(256);
    EDIDAccessorBuffer fromMemory(bytes.data(), 256);
    EDIDAccessorFile fromFile(dir.write("edid.bin", bytes));
    MaskedFileAccessor masked(dir.file("edid.bin"));
    const std::string bad = dir.file("missing/copy.bin");
    const std::string victim = dir.write("victim", "keep");
    edidtest::linkOrOccupy(victim, dir.file("link.bin"));
    edidtest::linkOrOccupy(dir.file("nowhere"), dir.file("dangling.bin"));
    const std::string pastFile =
        "libEDID.EDIDAccessorFile 4 33 trying to read past the end of input EDID file";
    const std::string badFile =
        "libEDID.EDIDAccessorFile 3 49 Unable to open file: \"" + bad + "\"";
    struct Case {
        EDIDAccessor& accessor;
        std::string content;
        Texts failureLines;
    };
    const Case cases[] = {
        {fromMemory,
         bytes,
         {kPastBuffer, kReadFailed,
          "libEDID.EDIDAccessorBuffer 3 45 Unable to open file: \"" + bad + "\""}},
        {fromFile, bytes, {pastFile, kReadFailed, badFile}},
        {masked, std::string(256, 'M'), {pastFile, kReadFailed, badFile}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failureLines[2]);
        expectReads(c.accessor, c.content);
        const std::string path = dir.file("copy.bin");
        EXPECT_TRUE(c.accessor.dumpToFile(path));
        EXPECT_EQ(TempDir::read(path), c.content);
        std::filesystem::remove(path);
        for (const char* name : {"victim", "link.bin", "dangling.bin"}) {
            EXPECT_FALSE(c.accessor.dumpToFile(dir.file(name))) << name;
        }

        LogCapture log(2);
        char out[128];
        EXPECT_FALSE(c.accessor.readStructure(200, out, 128));
        EXPECT_FALSE(c.accessor.dumpToFile(bad));
        EXPECT_EQ(log.lines(), c.failureLines);
    }
    EXPECT_EQ(TempDir::read(victim), "keep");
    EXPECT_FALSE(std::filesystem::exists(dir.file("nowhere")));
}

// A file source holds what the file held when it was made: a file that shrinks or vanishes
// afterwards changes nothing (and never faults). A FIFO is refused without blocking.
TEST(AccessorTest, FileSourcesIgnoreLaterChangesAndRefuseFifos) {
    TempDir dir;
    const std::string bytes = numbered(256);
    const std::string path = dir.write("edid.bin", bytes);
    EDIDAccessorFile source(path);
    std::filesystem::resize_file(path, 0);
    expectReads(source, bytes);
    std::filesystem::remove(path);
    expectReads(source, bytes);

#ifndef _WIN32
    const std::string fifo = edidtest::makeFifo(dir.file("fifo.bin"));
    bool accessible = true;
    EXPECT_TRUE(edidtest::returnsWithoutBlocking(
        fifo, [&] { accessible = EDIDAccessorFile(fifo).isAccessible(); }));
    EXPECT_FALSE(accessible);
#endif
}

// Sources without bytes. Only a zero length or an unusable file makes a source inaccessible,
// and readStructure then reads and logs nothing; an accessible one logs the buffer's line 33,
// then readStructure's line 30.
TEST(AccessorTest, SourcesWithoutBytes) {
    TempDir dir;
    // Line 23 for every unusable file, then (priority 2) line 25 with the path and the reason.
    const auto badFile = [&](const char* name, const char* reason) {
        return Texts{
            "libEDID.EDIDAccessorFile 4 23 The provided EDID file is invalid or is of size 0",
            "libEDID.EDIDAccessorFile 2 25 EDID file \"" + dir.file(name) +
                "\" not read: " + reason};
    };
    struct Case {
        const char* what;
        std::function<EDIDAccessor*()> make;
        bool accessible;
        Texts lines;
    };
    const Case cases[] = {
        {"empty qor::Buffer",
         [] { return new EDIDAccessorBuffer(qor::Buffer<unsigned char>()); },
         true,
         {kPastBuffer, kReadFailed}},
        {"null data",
         [] { return new EDIDAccessorBuffer(nullptr, 16); },
         true,
         {kPastBuffer, kReadFailed}},
        {"zero length", [] { return new EDIDAccessorBuffer("abc", 0); }, false, {}},
        {"missing file", [&] { return new EDIDAccessorFile(dir.file("missing.bin")); }, false,
         badFile("missing.bin", "not-found")},
        {"empty file", [&] { return new EDIDAccessorFile(dir.write("empty.bin", "")); }, false,
         badFile("empty.bin", "empty")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        char out[128];
        LogCapture log(2);
        const std::unique_ptr<EDIDAccessor> accessor(c.make());
        EXPECT_EQ(accessor->isAccessible(), c.accessible);
        EXPECT_EQ(accessor->readStructure(0, out, 0), c.accessible);
        EXPECT_FALSE(accessor->readStructure(0, out, 128));
        EXPECT_EQ(log.lines(), c.lines);
        EXPECT_EQ(accessor->read(0, 1, out), -1);
        EXPECT_EQ(accessor->hexDump(), qor::String());
        const std::string path = dir.file(std::string(c.what) + ".bin");
        EXPECT_TRUE(accessor->dumpToFile(path));
        EXPECT_TRUE(std::filesystem::is_empty(path));  // there, and empty
    }
    const unsigned char raw[3] = {1, 2, 3};
    char out[3];
    EXPECT_EQ(EDIDAccessorBuffer(qor::Buffer<unsigned char>(raw, 3)).read(0, 3, out), 3);
}

TEST(AccessorBaseTest, ShortOrFailedReadsAreFailuresAndNothingIsDumped) {
    LogCapture log(3);
    char out[128];
    for (const int result : {5, -7, 200}) {
        ShortReadAccessor accessor(result);
        EXPECT_FALSE(accessor.readStructure(0, out, 128)) << result;
    }
    const std::string prefix = "libEDID.EDIDAccessor 3 ";
    EXPECT_EQ(log.lines(), (Texts{prefix + "34 amount read (5) != expected amount (128)",
                                  prefix + "30 Error returned from read of EDID, error # = -7",
                                  prefix + "34 amount read (200) != expected amount (128)"}));

    ShortReadAccessor base(0);
    EXPECT_EQ(base.hexDump(), qor::String());
    EXPECT_FALSE(base.dumpToFile("never-written.bin"));
}

}  // namespace
