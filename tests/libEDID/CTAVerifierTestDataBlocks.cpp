// The data blocks of a CTA-861 collection, one table row per case: the bytes of the collection,
// the properties of block 1 they give ("-" = not notified, arrays joined by " | ", "#Key" the
// label of Key) and the keys of the findings, in log order.

#include "CTAVerifierTestSupport.h"

namespace ctatest {
namespace {

// Bytes 129-192 are native VIC 1-64; 0, 128 and 220-255 have no format. Two video data blocks
// list their formats as one.
TEST(CTADataBlockTest, VideoFormats) {
    expectCases({
        {"native range and reserved codes",
         {0x46, 0x10, 0x85, 0x81, 0xC0, 0x80, 0x06, 0x43, 0x00, 0xC1, 0xDB},
         {{"CTAVideoFormats",
           "VIC 16: 1920 x 1080 @ 60Hz | VIC 5: 1920 x 1080 @ 60Hz(I) (native) | "
           "VIC 1: 640 x 480 @ 60Hz (native) | VIC 64: 1920 x 1080 @ 100Hz (native) | "
           "VIC 128: reserved | VIC 6: 1440 x 480 @ 60Hz(I) | VIC 0: reserved | "
           "VIC 193: 5120 x 2160 @ 120Hz | VIC 219: 4096 x 2160 @ 120Hz"}},
         {"CTAUnknownVIC", "CTAUnknownVIC"}},
        {"duplicates, native or not",
         {0x45, 0x05, 0x85, 0xDC, 0xFF, 0x10, 0x41, 0x10},
         {{"CTAVideoFormats",
           "VIC 5: 1920 x 1080 @ 60Hz(I) | VIC 5: 1920 x 1080 @ 60Hz(I) (native) | "
           "VIC 220: reserved | VIC 255: reserved | VIC 16: 1920 x 1080 @ 60Hz | "
           "VIC 16: 1920 x 1080 @ 60Hz"}},
         {"CTADuplicateVIC", "CTAUnknownVIC", "CTAUnknownVIC", "CTADuplicateVIC"}},
        {"empty block", {0x40}, {{"CTAVideoFormats", "#None"}}},
        {"no block", {}, {{"CTAVideoFormats", "-"}}},
    });
}

// Byte 0: format code (bits 6-3), channels - 1; byte 1: rates; byte 2: sizes (Linear PCM),
// maximum rate / 8 kbit/s (codes 2-8) or the extension type (code 15, bits 7-3).
TEST(CTADataBlockTest, AudioFormats) {
    expectCases({{"every kind of third byte",
                  {0x32, 0x09, 0x7F, 0x07, 0x15, 0x07, 0x50, 0x7F, 0x06, 0x20, 0x00, 0x04, 0x00,
                   0x71, 0x04, 0x03, 0x45, 0x02, 0x00},
                  {{"CTAAudioFormats",
                    "Linear PCM: 2 channels, 32/44.1/48/88.2/96/176.4/192 kHz, 16/20/24 bits | "
                    "AC-3: 6 channels, 32/44.1/48 kHz, max 640 kbit/s | "
                    "Extension type 4: 8 channels, 44.1/48 kHz | reserved: 1 channels, 48 kHz | "
                    "WMA Pro: 2 channels, 48 kHz | ATRAC: 6 channels, 44.1 kHz, max 0 kbit/s"}}},
                 // A trailing part of a descriptor is not one.
                 {"partial descriptor", {0x22, 0x09, 0x07}, {{"CTAAudioFormats", "#None"}}}});
}

TEST(CTADataBlockTest, SpeakerAllocation) {
    expectCases({
        {"every bit",
         {0x83, 0xFF, 0xFF, 0xFF},
         {{"CTASpeakerAllocation",
           "FL/FR | LFE1 | FC | BL/BR | BC | FLc/FRc | RLC/RRC | FLw/FRw | TpFL/TpFR | TpC | "
           "TpFC | LS/RS | LFE2 | TpBC | SiL/SiR | TpSiL/TpSiR | TpBL/TpBR | BtFC | BtFL/BtFR | "
           "TpLS/TpRS"}}},
        {"one bit per byte, second block ignored",
         {0x83, 0x01, 0x08, 0x01, 0x83, 0x04, 0x00, 0x00},
         {{"CTASpeakerAllocation", "FL/FR | LS/RS | TpBL/TpBR"}},
         {"CTADuplicateDataBlock"}},
        {"none", {0x83, 0x00, 0x00, 0x00}, {{"CTASpeakerAllocation", "#None"}}},
    });
}

// HDMI: OUI 03 0C 00, physical address, flags (deep colour bits 6-3), TMDS clock / 5 MHz.
// HDMI Forum: OUI D8 5D C4, version, TMDS rate / 5 MHz, SCDC (bit 7), FRL (bits 7-4),
// features, VRRmin (bits 5-0) with VRRmax bits 9-8, VRRmax bits 7-0. AMD: OUI 1A 00 00,
// version, flags, minimum and maximum refresh.
TEST(CTADataBlockTest, VendorBlocks) {
    expectCases({
        {"HDMI, every field",
         {0x67, 0x03, 0x0C, 0x00, 0x12, 0x34, 0x78, 0x44},
         {{"CTAVendorBlocks", "OUI 00-0C-03 (HDMI Licensing, LLC), 7 bytes"},
          {"HDMIPhysicalAddress", "1.2.3.4"},
          {"HDMIDeepColor", "DC_48bit | DC_36bit | DC_30bit | DC_Y444"},
          {"HDMIMaxTMDSClock", "340 MHz"}}},
        {"HDMI, address only, then a second one",
         {0x65, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x67, 0x03, 0x0C, 0x00, 0x20, 0x00, 0x10, 0x00},
         {{"HDMIPhysicalAddress", "1.0.0.0"}, {"HDMIDeepColor", "-"}, {"HDMIMaxTMDSClock", "-"}},
         {"CTADuplicateDataBlock"}},
        {"HDMI, no deep colour, TMDS byte 0",
         {0x67, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x87, 0x00},
         {{"HDMIDeepColor", "#None"}, {"HDMIMaxTMDSClock", "-"}}},
        {"HDMI, too short",
         {0x64, 0x03, 0x0C, 0x00, 0x10},
         {{"HDMIPhysicalAddress", "-"}},
         {"CTAShortDataBlock"}},
        {"HDMI Forum with VRR, AMD ignored",
         {0x6A, 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x80, 0x60, 0x00, 0x70, 0x2C, 0x67, 0x1A, 0x00, 0x00,
          0x01, 0x00, 0x30, 0x4B},
         {{"CTAVendorBlocks",
           "OUI C4-5D-D8 (HDMI Forum), 10 bytes | OUI 00-00-1A (ADVANCED MICRO DEVICES), 7 bytes"},
          {"HDMIForumVersion", "1"},
          {"HDMIForumMaxTMDSRate", "600 MHz"},
          {"HDMIForumSCDC", "#Yes"},
          {"HDMIForumMaxFRL", "12 Gbit/s, 4 lanes"},
          {"VRRRange", "48-300 Hz"}}},
        {"HDMI Forum, shortest",
         {0x65, 0xD8, 0x5D, 0xC4, 0x01, 0x00},
         {{"HDMIForumMaxTMDSRate", "-"},
          {"HDMIForumSCDC", "#No"},
          {"HDMIForumMaxFRL", "-"},
          {"VRRRange", "-"}}},
        {"HDMI Forum without VRR, reserved FRL, AMD range",
         {0x6A, 0xD8, 0x5D, 0xC4, 0x01, 0x00, 0x00, 0x70, 0x00, 0x00, 0x90, 0x67,
          0x1A, 0x00, 0x00, 0x01, 0x00, 0x30, 0x4B, 0x6A, 0xD8, 0x5D, 0xC4, 0x01},
         {{"HDMIForumMaxFRL", "#UnknownReserved"}, {"VRRRange", "48-75 Hz"}},
         {"CTADataBlockOverrun", "CTAHDMIForumReservedCode", "CTAHDMIForumFRLWithoutSCDC"}},
    });
}

// Video capability byte: QY, QS, PT (2 bits), IT, CE. Colorimetry: byte 2 and byte 3 bit 7.
// HDR static metadata: transfer functions, metadata types, then optional luminance codes.
TEST(CTADataBlockTest, ExtendedTags) {
    expectCases({
        {"video capability, PT no data",
         {0xE2, 0x00, 0xC9},
         {{"CTAVideoCapability",
           "YCC quantization range selectable: Yes | RGB quantization range selectable: Yes | "
           "Preferred video format: no data | IT video formats: always underscanned | "
           "CE video formats: always overscanned"}}},
        {"video capability, both scans",
         {0xE2, 0x00, 0x3F},
         {{"CTAVideoCapability",
           "YCC quantization range selectable: No | RGB quantization range selectable: No | "
           "Preferred video format: overscanned or underscanned | "
           "IT video formats: overscanned or underscanned | "
           "CE video formats: overscanned or underscanned"}}},
        {"colorimetry, every bit",
         {0xE3, 0x05, 0xFF, 0x8F},
         {{"CTAColorimetry",
           "xvYCC601 | xvYCC709 | sYCC601 | opYCC601 | opRGB | BT2020cYCC | BT2020YCC | "
           "BT2020RGB | DCI-P3"}}},
        {"colorimetry, twice",
         {0xE3, 0x05, 0x00, 0x00, 0xE3, 0x05, 0x01, 0x00},
         {{"CTAColorimetry", "#None"}},
         {"CTADuplicateDataBlock"}},
        {"HDR, every field",
         {0xE6, 0x06, 0x0F, 0x01, 0xFF, 0x64, 0xFF},
         {{"HDRTransferFunctions", "SDR gamma | HDR gamma | SMPTE ST 2084 | HLG"},
          {"HDRMaxLuminance", "12525.72 cd/m2"},
          {"HDRMaxFrameAverageLuminance", "436.20 cd/m2"},
          {"HDRMinLuminance", "125.2572 cd/m2"}}},
        {"HDR, minimum luminance of 400 cd/m2",
         {0xE6, 0x06, 0x30, 0x00, 0x60, 0x00, 0x33},
         {{"HDRTransferFunctions", "#None"},
          {"HDRMaxLuminance", "400.00 cd/m2"},
          {"HDRMaxFrameAverageLuminance", "50.00 cd/m2"},
          {"HDRMinLuminance", "0.1600 cd/m2"}}},
        {"HDR, no luminance",
         {0xE3, 0x06, 0x05, 0x01},
         {{"HDRTransferFunctions", "SDR gamma | SMPTE ST 2084"}, {"HDRMaxLuminance", "-"}}},
        {"HDR, too short, twice",
         {0xE2, 0x06, 0x05, 0xE2, 0x06, 0x05},
         {{"HDRTransferFunctions", "-"}},
         {"CTADuplicateDataBlock", "CTAShortDataBlock", "CTAShortDataBlock"}},
        {"video capability, twice",
         {0xE2, 0x00, 0x00, 0xE2, 0x00, 0x00},
         {},
         {"CTADuplicateDataBlock"}},
    });
}

// The capability map's bit i of byte j marks video format 8j + i; a map of length 1 marks all.
TEST(CTADataBlockTest, YCbCr420) {
    const Bytes video{0x43, 0x10, 0x04, 0x05};
    const auto with = [&](const Bytes& blocks) {
        Bytes collection = video;
        collection.insert(collection.end(), blocks.begin(), blocks.end());
        return collection;
    };
    expectCases({
        {"only and capable",
         with({0xE3, 0x0E, 0x61, 0x60, 0xE2, 0x0F, 0x05}),
         {{"CTAYCbCr420OnlyFormats", "VIC 97: 3840 x 2160 @ 60Hz | VIC 96: 3840 x 2160 @ 50Hz"},
          {"CTAYCbCr420CapableFormats",
           "VIC 16: 1920 x 1080 @ 60Hz | VIC 5: 1920 x 1080 @ 60Hz(I)"}}},
        {"map of length 1",
         with({0xE1, 0x0F}),
         {{"CTAYCbCr420OnlyFormats", "-"},
          {"CTAYCbCr420CapableFormats",
           "VIC 16: 1920 x 1080 @ 60Hz | VIC 4: 1280 x 720 @ 60Hz | "
           "VIC 5: 1920 x 1080 @ 60Hz(I)"}}},
        {"map beyond the formats",
         with({0xE3, 0x0F, 0x02, 0x81}),
         {{"CTAYCbCr420CapableFormats", "VIC 4: 1280 x 720 @ 60Hz"}},
         {"CTAYCbCr420MapBeyondFormats"}},
        {"empty map bits, unknown only VIC",
         with({0xE2, 0x0F, 0x00, 0xE2, 0x0E, 0x00}),
         {{"CTAYCbCr420CapableFormats", "#None"}, {"CTAYCbCr420OnlyFormats", "VIC 0: reserved"}},
         {"CTAUnknownVIC"}},
    });
}

// Tag, or extended tag, and the length field of blocks not decoded further, as level 0.
TEST(CTADataBlockTest, OtherBlocksAreReportedByTag) {
    const Decoded r({withCollection({0xC2, 0x01, 0x02, 0xE3, 0x09, 0x00, 0x00, 0xE0, 0x00})});
    EXPECT_EQ(r.texts("CTADataBlock", 0, 0),
              (Texts{"Data block with tag 6, length 2", "Data block with tag 7, length 0",
                     "Data block with tag 0, length 0"}));
    EXPECT_EQ(r.texts("CTAExtendedDataBlock", 0, 0),
              Texts{"Extended data block with tag 9, length 3"});
    EXPECT_TRUE(r.faultKeys().empty());
}

}  // namespace
}  // namespace ctatest
