// The VESA extension blocks (block map F0h, video timing block 10h, display information 40h,
// localized strings 50h, digital packet video link 60h): their decoded structs, reports and
// rules, over crafted blocks behind a valid base block.

#include <gtest/gtest.h>

#include <algorithm>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "libEDID/EDIDLayout.h"
#include "qor/Resource.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Keys = std::vector<std::string>;

constexpr std::uint8_t kVTB = 0x10;
constexpr std::uint8_t kDI = 0x40;
constexpr std::uint8_t kLS = 0x50;
constexpr std::uint8_t kDPVL = 0x60;
constexpr std::uint8_t kMap = 0xF0;

// 1920 x 1080, 148.5 MHz, blanking 280 x 45: 60.00 Hz.
const Bytes kDTD1080p{0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58,
                      0x2C, 0x45, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1E};
// CVT code: 1080 lines (stored 539 = 21Bh), 16:9, preferred 60 Hz, 60 Hz standard blanking.
const Bytes kCVT1080{0x1B, 0x24, 0x28};
// Standard timing: (D1h + 31) x 8 = 1920 wide, 16:9, 60 Hz.
const Bytes kST1080{0xD1, 0xC0};

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

Bytes repeat(const Bytes& item, unsigned count) {
    Bytes out;
    for (unsigned i = 0; i < count; ++i) {
        out.insert(out.end(), item.begin(), item.end());
    }
    return out;
}

// A video timing block: version, the three counts, then the descriptors from byte 5.
Bytes vtb(std::uint8_t version, std::uint8_t detailed, std::uint8_t cvt, std::uint8_t standard,
          const Bytes& descriptors) {
    Bytes out{version, detailed, cvt, standard};
    out.insert(out.end(), descriptors.begin(), descriptors.end());
    return out;
}

// An EDID whose extension blocks have the tags `tags`; `bytes` are written into block 1 from
// byte 1 on.
struct Blocks {
    Bytes tags;
    Bytes bytes;
    std::vector<std::pair<unsigned, Bytes>> more{};  // further blocks' bytes from byte 1

    Bytes edid() const {
        edidtest::EdidBuilder builder;
        for (std::size_t i = 0; i < tags.size(); ++i) {
            builder.extensionBlock(tags[i]);
            // Blocks that carry a version read as version 1 unless the case writes one.
            if (tags[i] == kVTB || tags[i] == kDI) {
                builder.extensionBytes(static_cast<unsigned>(i + 1), 1, {1});
            }
        }
        builder.extensionBytes(1, 1, bytes);
        for (const auto& [block, data] : more) {
            builder.extensionBytes(block, 1, data);
        }
        return builder.bytes();
    }
};

struct Decoded : edidtest::Parsed {
    explicit Decoded(const Blocks& blocks, bool decode = true) : Parsed(blocks.edid()) {
        parser.setDecodeExtensions(decode);
        EXPECT_TRUE(parse());
    }
    const libEDID::VESAExtensionBlocks& vesa() const { return parser.getVESAExtensions(); }
    std::string property(const std::string& name) const { return propertyText(name, "<none>"); }
};

TEST(VESAExtensionTest, BlockMapRules) {
    // Entries for blocks 2-127, all naming video timing blocks.
    const Bytes allVTB(126, kVTB);
    Bytes tags129(129, kVTB);
    tags129[0] = kMap;
    Bytes tags129SecondMap = tags129;
    tags129SecondMap[127] = kMap;
    const struct {
        const char* name;
        Blocks blocks;
        Keys faults;
    } cases[] = {
        {"entry names the tag of block 2", {{kMap, kVTB}, {kVTB}}, {}},
        {"entry disagrees with block 2", {{kMap, kVTB}, {kDI}}, {"VESABlockMapMismatch"}},
        {"block 2 present but its entry unused", {{kMap, kVTB}, {0}}, {"VESABlockMapMismatch"}},
        {"entry for a block beyond the EDID",
         {{kMap, kVTB}, {kVTB, kDI}},
         {"VESABlockMapBeyondBlocks"}},
        {"last entry (block 127) set without the block",
         {{kMap}, concat({Bytes(125, 0), {kVTB}})},
         {"VESABlockMapBeyondBlocks"}},
        {"block map in block 2", {{kVTB, kMap}, {}, {{2, Bytes{}}}}, {"VESABlockMapPlacement"}},
        {"129 blocks without a second map", {tags129, allVTB}, {"VESABlockMapSecondMissing"}},
        {"129 blocks with the second map in block 128",
         {tags129SecondMap, allVTB, {{128, Bytes{kVTB}}}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d(c.blocks);
        EXPECT_EQ(d.faultKeys(), c.faults);
        ASSERT_FALSE(d.vesa().blockMaps.empty());
        EXPECT_EQ(d.vesa().blockMaps.front().blockNumber, c.blocks.tags[0] == kMap ? 1u : 2u);
    }
    EXPECT_EQ(qor::Resource::getMissingKeys("libEDID").size(), 0u);
}

TEST(VESAExtensionTest, BlockMapReportsTheUsedEntries) {
    const Decoded two({{kMap, kVTB, kDI}, {kVTB, kDI}});
    EXPECT_EQ(two.property("VESABlockMap1"), "2: 10h, 3: 40h");
    EXPECT_EQ(two.vesa().blockMaps[0].tags[1], kDI);
    EXPECT_EQ(two.vesa().blockMaps[0].describedBlock(1), 3u);
    EXPECT_EQ(Decoded({{kMap}, {}}).property("VESABlockMap1"), "None");
}

TEST(VESAExtensionTest, VideoTimingBlockCounts) {
    const struct {
        const char* name;
        Bytes block;
        std::size_t detailed, cvt, standard;
        bool overflow;
        Keys faults;
    } cases[] = {
        {"no descriptors", vtb(1, 0, 0, 0, {}), 0, 0, 0, false, {}},
        {"one of each",
         vtb(1, 1, 1, 1, concat({kDTD1080p, kCVT1080, kST1080})),
         1,
         1,
         1,
         false,
         {}},
        {"six detailed timings, four CVT codes and one standard timing fill 122 bytes",
         vtb(1, 6, 4, 1, concat({repeat(kDTD1080p, 6), repeat(kCVT1080, 4), kST1080})),
         6,
         4,
         1,
         false,
         {}},
        {"40 CVT codes and one standard timing",
         vtb(1, 0, 40, 1, concat({repeat(kCVT1080, 40), kST1080})),
         0,
         40,
         1,
         false,
         {}},
        {"61 standard timings", vtb(1, 0, 0, 61, repeat(kST1080, 61)), 0, 0, 61, false, {}},
        {"62 standard timings overflow",
         vtb(1, 0, 0, 62, repeat(kST1080, 61)),
         0,
         0,
         61,
         true,
         {"VESAVideoTimingCountsOverflow"}},
        {"seven detailed timings overflow",
         vtb(1, 7, 0, 0, repeat(kDTD1080p, 6)),
         6,
         0,
         0,
         true,
         {"VESAVideoTimingCountsOverflow"}},
        // What fits is read in order: six (empty) detailed timings, four CVT codes, one standard
        // timing.
        {"all counts FFh",
         vtb(1, 0xFF, 0xFF, 0xFF, {}),
         6,
         4,
         1,
         true,
         {"VESAVideoTimingCountsOverflow", "VESAVideoTimingInvalidDetailed",
          "VESAVideoTimingInvalidStandard"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d({{kVTB}, c.block});
        ASSERT_EQ(d.vesa().videoTimingBlocks.size(), 1u);
        const libEDID::VESAVideoTimingBlock& v = d.vesa().videoTimingBlocks[0];
        EXPECT_EQ(v.detailedTimings.size() + v.invalidDetailed, c.detailed);
        EXPECT_EQ(v.cvtCodes.size(), c.cvt);
        EXPECT_EQ(v.standardTimings.size(), c.standard);
        EXPECT_EQ(v.countsOverflow, c.overflow);
        EXPECT_EQ(d.faultKeys(), c.faults);
    }
}

TEST(VESAExtensionTest, VideoTimingBlockDescriptorsAndRules) {
    const Decoded d({{kVTB}, vtb(1, 1, 1, 1, concat({kDTD1080p, kCVT1080, kST1080}))});
    const libEDID::VESAVideoTimingBlock& v = d.vesa().videoTimingBlocks.at(0);
    ASSERT_EQ(v.detailedTimings.size(), 1u);
    EXPECT_EQ(v.detailedTimings[0].pixelClockKHz, 148500u);
    EXPECT_EQ(v.detailedTimings[0].hActive, 1920u);
    EXPECT_EQ(v.detailedTimings[0].hBlank, 280u);
    EXPECT_EQ(v.detailedTimings[0].vActive, 1080u);
    EXPECT_EQ(v.detailedTimings[0].vBlank, 45u);
    EXPECT_EQ(v.cvtCodes.at(0), (libEDID::VESACVTCode{1080, 1920, 1, 1, 0x08, false}));
    EXPECT_EQ(v.standardTimings.at(0), (libEDID::VESAStandardTiming{true, false, 1920, 1080, 60}));
    EXPECT_EQ(v.nonZeroPadding, 0u);
    EXPECT_EQ(d.property("VESAVideoTimingModes1"),
              "1920 x 1080 @ 60.00Hz, 148.50 MHz | 1920 x 1080 @ 60Hz | 1920 x 1080 @ 60Hz");
    EXPECT_EQ(d.property("VESAVideoTimingVersion1"), "1");

    const struct {
        const char* name;
        Bytes block;
        Keys faults;
    } rules[] = {
        {"version 2", vtb(2, 0, 0, 0, {}), {"VESAUnknownVersion"}},
        {"detailed timing with clock 0",
         vtb(1, 1, 0, 0, Bytes(18, 0)),
         {"VESAVideoTimingInvalidDetailed"}},
        {"CVT code with reserved bits 1-0 of byte 1",
         vtb(1, 0, 1, 0, {0x1B, 0x27, 0x28}),
         {"VESAVideoTimingCVTReserved"}},
        {"CVT code with reserved bit 7 of byte 2",
         vtb(1, 0, 1, 0, {0x1B, 0x24, 0xA8}),
         {"VESAVideoTimingCVTReserved"}},
        {"standard timing 00h", vtb(1, 0, 0, 1, {0x00, 0x40}), {"VESAVideoTimingInvalidStandard"}},
        {"unused standard timing 01h 01h", vtb(1, 0, 0, 1, {0x01, 0x01}), {}},
        {"a byte after the descriptors",
         vtb(1, 0, 0, 1, {0xD1, 0xC0, 0x00, 0x5A}),
         {"VESANonZeroPadding"}},
        {"byte 7Eh after no descriptors",
         concat({vtb(1, 0, 0, 0, Bytes(121, 0)), {1}}),
         {"VESANonZeroPadding"}},
    };
    for (const auto& c : rules) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Decoded({{kVTB}, c.block}).faultKeys(), c.faults);
    }
}

// The display information block with every field set to a known code.
Bytes displayInformation() {
    Bytes b(126, 0);
    const auto at = [&](unsigned offset, std::initializer_list<std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), b.begin() + offset - 1);
    };
    at(1, {1});                         // version
    at(2, {0x02});                      // DVI single link
    at(3, {0x41, 0x02, 0x03, 0x04});    // version 1.2, release 3.4
    at(7, {0x00});                      // no interface flags
    at(8, {0x24});                      // 24-bit single link
    at(9, {25, 0xA5, 0x00});            // 25-165 MHz
    at(0x0C, {0xFF, 0xFF});             // single link only
    at(0x0E, {1, 2, 3, 28, 29, 0x00});  // RGB, stripe, rectangular, 0.28 x 0.29 mm
    at(0x1A, {0x7B});                   // fixed, portrait, lower right, long axis, projector
    at(0x20, {8, 8, 8, 0, 0, 0});
    return b;
}

TEST(VESAExtensionTest, DisplayInformationValues) {
    const Decoded d({{kDI}, displayInformation()});
    ASSERT_EQ(d.vesa().displayInformation.size(), 1u);
    const libEDID::VESADisplayInformation& di = d.vesa().displayInformation[0];
    EXPECT_EQ(di.displayInterface.type, 2u);
    EXPECT_EQ(di.displayInterface.minClockMHz, 25u);
    EXPECT_EQ(di.displayInterface.maxClockMHz, 165u);
    EXPECT_EQ(di.displayInterface.crossoverMHz, 0xFFFFu);
    EXPECT_EQ(di.hPitchHundredthMm, 28u);
    EXPECT_EQ(di.vPitchHundredthMm, 29u);
    EXPECT_EQ(d.faultKeys(), Keys{});
    EXPECT_EQ(d.property("VESADisplayInfoVersion1"), "1");
    EXPECT_EQ(d.property("VESADisplayInfoInterface1"), "DVI, single link");
    EXPECT_EQ(d.property("VESADisplayInfoPixelPitch1"), "0.28 x 0.29 mm");
    EXPECT_EQ(d.property("VESADisplayInfoOrientation1"),
              "fixed orientation, portrait, first pixel lower right, fast scan along the long "
              "axis, standalone projector");
    const std::string text = [&] {
        qor::String edid;
        const_cast<libEDID::EDIDParser&>(d.parser).getEDIDString(edid, false);
        return std::string(edid.str());
    }();
    for (const char* line : {"Interface standard: version 1.2, release 3.4",
                             "Data format: 24-bit MSB-aligned RGB, single link",
                             "Pixel clock per link: 25-165 MHz, single link",
                             "Sub-pixels (layout, configuration, shape): RGB, stripe, rectangular",
                             "Bits per sub-channel (blue/green/red, Cb/Y/Cr): 8/8/8, 0/0/0",
                             "Transfer characteristic: None"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST(VESAExtensionTest, DisplayInformationFlagsAndCurves) {
    const struct {
        const char* name;
        unsigned offset;
        Bytes bytes;
        const char* line;
    } cases[] = {
        {"every interface flag",
         7,
         {0xFE},
         "Interface features: data enable used, active high, data on both clock edges, HDCP, "
         "double clocking of input data, packetized digital video"},
        {"data enable active low, rising edge",
         7,
         {0x90},
         "Interface features: data enable used, active low, data on the rising clock edge"},
        {"every device flag",
         0x13,
         {0xFE},
         "Display device: fixed pixel format, direct and reflected view, transparent background, "
         "eyepiece display, DDC/CI"},
        {"every capability",
         0x14,
         {0x8F},
         "Capabilities: all VGA and DOS legacy modes, scaler, image centring, conditional "
         "update, interlaced"},
        {"field sequential stereo",
         0x14,
         {0x10},
         "Stereo video: field sequential, with a stereo sync signal"},
        {"both rates converted with frame lock",
         0x15,
         {0xE0, 0x70, 0x17, 0x4E, 0x0C},
         "Frame rate conversion: vertical and horizontal rates converted, 60.00 Hz, 31.50 kHz, "
         "frame lock"},
        {"every aspect conversion",
         0x26,
         {0xF0},
         "Aspect ratio conversion: full, zoom, squeeze (side bars or letterbox), variable "
         "(expand or shrink)"},
        {"white curve of two entries",
         0x51,
         {0x42, 0x10, 0x20},
         "Transfer characteristic: white curve of 2 entries (10 20)"},
        {"three curves of one entry",
         0x51,
         {0x81, 0xB0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
          0xC0, 0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xD0},
         "Transfer characteristic: blue, green and red curves of 1 entries each (B0; C0; D0)"},
        {"revision letter", 3, {0x80, 'B'}, "Interface standard: revision letter B"},
        {"revision letter that is no character",
         3,
         {0x80, 0x07},
         "Interface standard: revision letter 07h"},
        {"date code", 3, {0xC0, 16, 12, 3}, "Interface standard: dated 2006, week 12, day 3"},
        {"decodings",
         0x1B,
         {0x09, 0x04, 0x34, 0x12, 0x80},
         "Colour decoding (default, preferred, capabilities): YPbPr (SMPTE 240M), monochrome, "
         "1234h"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes block = displayInformation();
        std::copy(c.bytes.begin(), c.bytes.end(), block.begin() + c.offset - 1);
        const Decoded d({{kDI}, block});
        qor::String edid;
        const_cast<libEDID::EDIDParser&>(d.parser).getEDIDString(edid, false);
        EXPECT_NE(std::string(edid.str()).find(c.line), std::string::npos) << edid.str();
        EXPECT_EQ(d.faultKeys(), Keys{});
    }
    Bytes curves = displayInformation();
    curves[0x50] = 0x83;
    const Decoded three({{kDI}, curves});
    const auto& gamma = three.vesa().displayInformation.at(0).gammaCurves;
    ASSERT_EQ(gamma.size(), 3u);
    EXPECT_EQ(gamma[2].size(), 3u);
}

TEST(VESAExtensionTest, DisplayInformationRules) {
    const struct {
        const char* name;
        unsigned offset;
        Bytes bytes;
        Keys faults;
    } cases[] = {
        {"version 2", 1, {2}, {"VESAUnknownVersion"}},
        {"interface type 0Bh", 2, {0x0B}, {"VESAReservedValue"}},
        {"data format 30h", 8, {0x30}, {"VESAReservedValue"}},
        {"minimum clock above the maximum", 9, {200, 100, 0}, {"VESADIClockRange"}},
        {"sub-pixel layout 5", 0x0E, {5}, {"VESAReservedValue"}},
        {"sub-pixel shape 6", 0x10, {6}, {"VESAReservedValue"}},
        {"stereo code 4", 0x14, {0x40}, {"VESAReservedValue"}},
        {"default decoding 0Ah", 0x1B, {0x0A}, {"VESAReservedValue"}},
        {"preferred decoder 5", 0x1C, {5}, {"VESAReservedValue"}},
        {"17 bits per sub-channel", 0x20, {17}, {"VESAReservedValue"}},
        {"white curve of 46 entries", 0x51, {0x40 | 46}, {"VESADITransferTooLong"}},
        {"three curves of 16 entries", 0x51, {0x80 | 16}, {"VESADITransferTooLong"}},
        {"transfer kind 3", 0x51, {0xC0}, {"VESAReservedValue"}},
        {"an analog interface has no digital details", 2, {0x00, 0xFF, 0xFF}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes block = displayInformation();
        std::copy(c.bytes.begin(), c.bytes.end(), block.begin() + c.offset - 1);
        EXPECT_EQ(Decoded({{kDI}, block}).faultKeys(), c.faults);
    }
}

TEST(VESAExtensionTest, HeaderOnlyBlocksKeepTheirBytes) {
    const Decoded ls({{kLS}, {1, 0, 0x11, 0x22}});
    ASSERT_EQ(ls.vesa().localizedStrings.size(), 1u);
    EXPECT_EQ(ls.vesa().localizedStrings[0].version, 1u);
    EXPECT_EQ(ls.vesa().localizedStrings[0].data[0], 0x11u);
    EXPECT_EQ(ls.property("VESALocalizedStringsVersion1"), "1.0");
    const Decoded dpvl({{kDPVL}, {3, 0x77}});
    ASSERT_EQ(dpvl.vesa().packetVideoLinks.size(), 1u);
    EXPECT_EQ(dpvl.vesa().packetVideoLinks[0].data[0], 0x77u);
    EXPECT_EQ(dpvl.property("VESAPacketVideoLinkVersion1"), "3");
    EXPECT_EQ(ls.faultKeys(), Keys{});
    EXPECT_EQ(dpvl.faultKeys(), Keys{});
}

// Without extension decoding nothing of the VESA blocks is reported or kept.
TEST(VESAExtensionTest, DefaultParseLeavesThemAlone) {
    const Decoded d({{kMap, kVTB, kDI, kLS, kDPVL}, {kDI}}, false);
    EXPECT_TRUE(d.vesa().empty());
    for (const std::string& key : d.keys()) {
        EXPECT_EQ(key.rfind("VESA", 0), std::string::npos) << key;
    }
    const Decoded decoded({{kMap, kVTB, kDI, kLS, kDPVL}, {kVTB, kDI, kLS, kDPVL}});
    EXPECT_EQ(decoded.vesa().blockMaps.size(), 1u);
    EXPECT_EQ(decoded.vesa().videoTimingBlocks.at(0).blockNumber, 2u);
    EXPECT_EQ(decoded.vesa().displayInformation.at(0).blockNumber, 3u);
    EXPECT_EQ(decoded.vesa().localizedStrings.at(0).blockNumber, 4u);
    EXPECT_EQ(decoded.vesa().packetVideoLinks.at(0).blockNumber, 5u);
}

// The modes of a video timing block join the display model under their own source.
TEST(VESAExtensionTest, VideoTimingModesJoinTheDisplayModel) {
    // CVT: 768 lines (stored 383 = 17Fh), 4:3, 75 Hz only. Standard timing: (61h + 31) x 8 =
    // 1024, 4:3 (40h), 85 Hz (19h + 60).
    const Bytes descriptors = concat({kDTD1080p, {0x7F, 0x10, 0x04}, {0x61, 0x59}});
    const Bytes edid = Blocks{{kVTB}, vtb(1, 1, 1, 1, descriptors)}.edid();
    const libEDID::DisplayInfo info = libEDID::decodeDisplayInfo(edid);
    const auto count = [&](unsigned width, unsigned height, unsigned hz) {
        return std::count_if(info.modes.begin(), info.modes.end(), [&](const auto& m) {
            const auto& sources = m.sources;
            const bool fromVTB =
                std::find(sources.items.begin(), sources.items.begin() + sources.count,
                          libEDID::ModeSource::VideoTimingBlock) !=
                sources.items.begin() + sources.count;
            return fromVTB && m.timing.hActive == width && m.timing.vActive == height &&
                   static_cast<unsigned>(m.timing.refreshHz() + 0.5) == hz;
        });
    };
    EXPECT_EQ(count(1920, 1080, 60), 1);
    EXPECT_EQ(count(1024, 768, 75), 1);
    EXPECT_EQ(count(1024, 768, 85), 1);
    const libEDID::DisplayInfo none =
        libEDID::decodeDisplayInfo(Blocks{{kVTB}, vtb(1, 0, 0, 0, {})}.edid());
    for (const auto& m : none.modes) {
        EXPECT_EQ(std::count(m.sources.items.begin(), m.sources.items.begin() + m.sources.count,
                             libEDID::ModeSource::VideoTimingBlock),
                  0);
    }
}

// Every byte of a video timing block is named after the descriptors its counts announce.
TEST(VESAExtensionTest, VideoTimingBlockByteMap) {
    const Bytes edid =
        Blocks{{kVTB}, vtb(1, 1, 1, 1, concat({kDTD1080p, kCVT1080, kST1080}))}.edid();
    const std::vector<libEDID::FieldRange> fields = libEDID::describeFields(edid);
    const auto find = [&](const std::string& name) -> const libEDID::FieldRange* {
        for (const auto& f : fields) {
            if (f.field == name) {
                return &f;
            }
        }
        return nullptr;
    };
    const struct {
        const char* name;
        unsigned offset, length;
    } expected[] = {
        {"block-1.vtb.counts", 130, 3},     {"block-1.vtb.detailed-timing-1.pixel-clock", 133, 2},
        {"block-1.vtb.cvt-code-1", 151, 3}, {"block-1.vtb.standard-timing-1", 154, 2},
        {"block-1.vtb.padding", 156, 99},   {"block-1.checksum", 255, 1},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const libEDID::FieldRange* f = find(e.name);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->offset, e.offset);
        EXPECT_EQ(f->length, e.length);
    }
    unsigned covered = 0;
    for (const auto& f : fields) {
        covered += f.block == 1 ? f.length : 0;
    }
    EXPECT_EQ(covered, 128u);
}

}  // namespace
