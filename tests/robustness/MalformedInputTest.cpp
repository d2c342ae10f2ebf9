// Malformed and hostile inputs: sources that cannot be opened or hold too few bytes, and
// degenerate and random bytes. Each case states its exact outcome: accessibility, the results of
// the caller's operations and the message keys in log order.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "EdidBuilder.h"
#include "TempDir.h"
#include "Timeline.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Keys = std::vector<std::string>;
using edidtest::fileAccessor;
using edidtest::memoryAccessor;

// What a caller sees who runs verifyChecksum, parseEDID, getEDIDIdentifier and getEDIDString
// (all with force false) in that order: accessibility and the four results as "10110", and
// every stored message in log order.
struct Outcome {
    std::string results;
    Keys keys;
    std::vector<std::string> texts;
};

Outcome runCaller(const libEDID::EDIDAccessorHandle& handle) {
    libEDID::EDIDParser parser(handle);
    Outcome o;
    const auto note = [&o](bool ok) { o.results += ok ? '1' : '0'; };
    note(parser.isAccessible());
    note(parser.verifyChecksum(false));
    note(parser.parseEDID(false));
    qor::String identifier("unchanged");
    qor::String edid("unchanged");
    note(parser.getEDIDIdentifier(identifier, false));
    note(parser.getEDIDString(edid, false));
    // A failed call leaves its output alone.
    EXPECT_TRUE(o.results[3] == '1' || identifier.str() == "unchanged");
    EXPECT_TRUE(o.results[4] == '1' || edid.str() == "unchanged");
    for (const libEDID::LibEDIDLog& m : parser.getMessages()) {
        o.keys.push_back(m.getKey().str());
        o.texts.push_back(m.getMesg().str());
    }
    return o;
}

// A valid EDID as the bytes of a file.
std::string validEdid() {
    const Bytes bytes = edidtest::EdidBuilder().bytes();
    return std::string(bytes.begin(), bytes.end());
}

// Sources that give no base block: there is no source, it is not accessible, or it holds fewer
// than 128 bytes. Every operation fails; each parse (the identifier parses again, since the first
// one failed) leaves one "CannotAccessEDID"; getEDIDString fails silently on an inaccessible
// source and by a parse on an accessible one.
TEST(MalformedInputTest, SourcesWithoutABaseBlockFailWithCannotAccessEDID) {
    const edidtest::TempDir dir;
    const struct {
        const char* name;
        libEDID::EDIDAccessorHandle source;
        bool accessible;
    } cases[] = {
        {"empty file", fileAccessor(dir.write("empty.bin", "")), false},
        {"1-byte file", fileAccessor(dir.write("one.bin", std::string(1, '\0'))), true},
        {"127-byte file", fileAccessor(dir.write("short.bin", validEdid().substr(0, 127))), true},
        {"directory", fileAccessor(dir.path().string()), false},
        {"missing path", fileAccessor(dir.file("absent.bin")), false},
        {"empty memory", memoryAccessor({}), false},
        {"1 byte in memory", memoryAccessor({0x00}), true},
        {"127 bytes in memory", memoryAccessor(Bytes(127, 0xFF)), true},
        {"no source at all", libEDID::EDIDAccessorHandle(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome o = runCaller(c.source);
        EXPECT_EQ(o.results, c.accessible ? "10000" : "00000");
        EXPECT_EQ(o.keys, Keys(c.accessible ? 4 : 3, "CannotAccessEDID"));
    }
}

#if !defined(_WIN32)
TEST(MalformedInputTest, FileWithoutReadPermissionIsNotAccessible) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root, which may read any file whatever its permissions";
    }
    const edidtest::TempDir dir;
    const std::string path = dir.write("locked.bin", validEdid());
    fs::permissions(path, fs::perms::none);
    const Outcome o = runCaller(fileAccessor(path));
    fs::permissions(path, fs::perms::owner_all);
    EXPECT_EQ(o.results, "00000");
    EXPECT_EQ(o.keys, Keys(3, "CannotAccessEDID"));
}
#endif

// Keys from a list such as "InvalidHeader ReportedValue*3": a key, then how often it repeats.
Keys keys(const std::string& list) {
    Keys out;
    std::istringstream in(list);
    for (std::string word; in >> word;) {
        const std::size_t star = word.find('*');
        out.insert(out.end(), star == std::string::npos ? 1 : std::stoul(word.substr(star + 1)),
                   word.substr(0, star));
    }
    return out;
}

// Product code, serial number, week; version and revision.
const std::string kIdentification = " ReportedValue*5 ";
const std::string kAnalogInput =
    " VideoInterfaceType SerrationSupport CompositeSyncSupport*2 SeparateSignalSupport"
    " ReportedValue SignalLevelStandard ";
// Feature support, then the chromaticity coordinates.
const std::string kFeaturesAndColour = " ReportedValue*7 ReportedChromaticity*8 ";
// Established and standard timings, the preferred mode, four detailed timings, then the
// extension flag and the checksum.
const std::string kFullTimings =
    " ReportedEstTimings ReportedStdTimings ReportedValue DetailedTiming*4 ReportedValue*2";

// Degenerate and random 128-byte blocks: every call succeeds, and each fault is reported
// exactly once in byte order. The first (and last) message hold the bytes that matter.
//
// All 00h: checksum right; wrong header; letters "@@@" (code 0, three invalid characters);
// serial and week unset, year 1990 (before 1994) not reported; version 0.0; analog input with
// every flag clear and an undefined screen size; gamma 1.00; no established timing; eight
// standard timings starting with 00h; slot 0 without pixel clock; three manufacturer-specified
// descriptors (tag 00h) shown as raw bytes.
//
// All FFh: the bytes sum to 80h; 7Eh announces 255 missing extensions; letters "___"; week FFh
// (model year) and year 2245, later than today, not reported; version 255.255; digital input
// with reserved interface code 15 and bit depth 7; a 255 x 255 cm screen; gamma FFh points to a
// missing display information extension; coordinates of 0.9991, far from the claimed sRGB.
//
// Seeded random (E7 1C 25 85 ..., 7Eh = FEh, the bytes sum to 15h): letters "JID" (valid);
// week 212, invalid; year 2107 not reported; version 177.196; analog input; 37 x 145 cm;
// sRGB not claimed; four slots with a pixel clock, the first the preferred mode.
TEST(MalformedInputTest, DegenerateAndRandomBlocks) {
    std::mt19937 engine(20261206u);
    Bytes random(128);
    std::generate(random.begin(), random.end(), [&] { return engine() & 0xFF; });
    ASSERT_EQ(random[0], 0xE7);
    ASSERT_EQ(random[0x7E], 0xFE);
    const struct {
        const char* name;
        Bytes bytes;
        std::string keys;
        const char* first;
        const char* last;
    } cases[] = {
        {"all 00h", Bytes(128, 0x00),
         "InvalidHeader ReportedValueQuoted InvalidASCIICharacter*3" + kIdentification +
             "InvalidVersion" + kAnalogInput + "EDIDValueUnknown ReportedValue*3" +
             kFeaturesAndColour +
             "InvalidStdTiming*8 InvalidDetailedTiming ReportedValueQuoted*3 ReportedValue*2",
         "00 00 00 00 00 00 00 00", "00h"},
        {"all FFh", Bytes(128, 0xFF),
         "ChecksumError InvalidHeader ReportedValueQuoted InvalidASCIICharacter*3" +
             kIdentification +
             "VideoInterfaceType EDIDValueUnknown DVIStandardSupported EDIDValueUnknown"
             " ReportedColorBitDepth ReportedScreenSize*2 MissingExtBlock ReportedValue" +
             kFeaturesAndColour + "ChromaticityNotSRGB" + kFullTimings,
         "80h", "FFh"},
        {"seeded random", random,
         "ChecksumError InvalidHeader ReportedValueQuoted ReportedValue*3"
         " InvalidWeekOfManufacture ReportedValue*2" +
             kAnalogInput + "ReportedScreenSize*2 ReportedValue" + kFeaturesAndColour +
             kFullTimings,
         "15h", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome o = runCaller(memoryAccessor(c.bytes));
        EXPECT_EQ(o.results, "11111");
        EXPECT_EQ(o.keys, keys(c.keys));
        ASSERT_EQ(o.texts.size(), o.keys.size());
        ASSERT_FALSE(o.texts.empty());
        EXPECT_NE(o.texts.front().find(c.first), std::string::npos) << o.texts.front();
        EXPECT_NE(o.texts.back().find(c.last), std::string::npos) << o.texts.back();
    }
}

}  // namespace
