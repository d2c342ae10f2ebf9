// The CTA-861 data blocks beyond the first layer: the HDMI and HDMI Forum blocks in full, the
// HF-SCDB and HF-EEODB, vendor-specific video and audio blocks and the other extended tags.
// One table row per case: the collection's bytes, the properties of block 1 ("-" = not
// notified, arrays joined by " | ", "#Key" the label of Key) and the keys of the findings.

#include "CTAVerifierTestSupport.h"

namespace ctatest {
namespace {

// HDMI payload after the OUI: address, flags (bit 7 Supports_AI, 6-3 deep colour, 0 DVI_Dual),
// TMDS / 5 MHz, then byte 8 (bit 7 latencies, 6 interlaced latencies, 5 HDMI video, 3-0 CNC),
// the latencies ((ms / 2) + 1), the HDMI video byte (7 3D_present, 6-5 3D_Multi_present, 4-3
// Image_Size), the lengths (HDMI_VIC_LEN 7-5, HDMI_3D_LEN 4-0), the HDMI VICs and the 3D part.
TEST(CTAFurtherBlockTest, HDMIBlockInFull) {
    expectCases({
        {"every field, 3D with structures, mask and entries",
         {0x41, 0x10,  // one video format
          0x77, 0x03, 0x0C, 0x00, 0x10, 0x00, 0xB9, 0x3C, 0xE9, 0x0B, 0x00, 0xFF,
          0xFC, 0xC8, 0x47, 0x01, 0x05, 0x00, 0x41, 0x00, 0x03, 0x00, 0x18, 0x10},
         {{"HDMIDeepColor", "DC_36bit | DC_30bit | DC_Y444"},
          {"HDMISupportsAI", "#Yes"},
          {"HDMIDVIDual", "#Yes"},
          {"HDMIMaxTMDSClock", "300 MHz"},
          {"HDMIContentTypes", "graphics | game"},
          {"HDMIVideoLatency", "20 ms"},
          {"HDMIAudioLatency", "#HDMILatencyUnknown"},
          {"HDMIInterlacedVideoLatency", "#HDMILatencyNoOutput"},
          {"HDMIInterlacedAudioLatency", "#UnknownReserved"},
          {"HDMI3DPresent", "#Yes"},
          {"HDMIImageSize", "#HDMIImageSizeRatio"},
          {"HDMIVICs", "HDMI VIC 1: 3840 x 2160 @ 30Hz | HDMI VIC 5: reserved"},
          {"HDMI3DStructures", "frame packing | top-and-bottom"},
          {"HDMI3DMask", "0003h"},
          {"HDMI3DFormats", "1: frame packing | 2: side-by-side (half)"}},
         {"CTAHDMIReservedLatency", "CTAHDMIUnknownVIC", "CTAHDMI3DFormatBeyondFormats"}},
        {"HDMI VIC length past the block",
         {0x6B, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x00, 0x00, 0x20, 0x80, 0xE0, 0x04},
         {{"HDMIVICs", "HDMI VIC 4: 4096 x 2160 @ 24Hz"},
          {"HDMIContentTypes", "#None"},
          {"HDMIVideoLatency", "-"},
          {"HDMIImageSize", "#HDMIImageSizeNone"}},
         {"CTAHDMIFieldsBeyondBlock"}},
        {"interlaced latencies without the progressive ones",
         {0x6A, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x00, 0x00, 0x40, 0x05, 0x09},
         {{"HDMIVideoLatency", "-"},
          {"HDMIInterlacedVideoLatency", "8 ms"},
          {"HDMIInterlacedAudioLatency", "16 ms"},
          {"HDMI3DPresent", "-"}},
         {"CTAHDMIInterlacedLatencyAlone"}},
        {"TMDS clock above 340 MHz (a conformity rule), latency byte missing",
         {0x68, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x00, 0x46, 0x80},
         {{"HDMIMaxTMDSClock", "350 MHz"}, {"HDMIVideoLatency", "-"}},
         {"CTAHDMIFieldsBeyondBlock"}},
    });
}

// HDMI Forum after the OUI (HF-SCDB: after the extended tag and two reserved bytes): version,
// TMDS / 5 MHz, byte 6 flags, byte 7 FRL (7-4) and 4:2:0 deep colour (3-0), byte 8 features,
// VRR (9-10), byte 11 DSC flags, byte 12 DSC FRL (7-4) and slices (3-0), byte 13 chunk KiB - 1.
TEST(CTAFurtherBlockTest, HDMIForumInFull) {
    expectCases({
        {"every field",
         {0x6D, 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x88, 0x63, 0x46, 0x30, 0x90, 0x8B, 0x64, 0x1D},
         {{"HDMIForumSource", "-"},
          {"HDMIForumFlags", "LTE_340Mcsc_scramble | SCDC_Present"},
          {"HDMIForumMaxFRL", "12 Gbit/s, 4 lanes"},
          {"HDMIForumDeepColor420", "DC_30bit_420 | DC_36bit_420"},
          {"HDMIForumFeatures", "ALLM | FVA | QMS"},
          {"VRRRange", "48-144 Hz"},
          {"HDMIForumDSC", "DSC_10bpc | DSC_12bpc | DSC_All_bpp | DSC_1p2"},
          {"HDMIForumDSCMaxFRL", "12 Gbit/s, 4 lanes"},
          {"HDMIForumDSCMaxSlices", "8 slices, up to 340 MHz"},
          {"HDMIForumDSCTotalChunkBytes", "30720"}}},
        {"HF-SCDB, reserved FRL without SCDC",
         {0xE7, 0x79, 0x00, 0x00, 0x01, 0x00, 0x00, 0x70},
         {{"HDMIForumSource", "HF-SCDB"},
          {"HDMIForumVersion", "1"},
          {"HDMIForumMaxFRL", "#UnknownReserved"},
          {"HDMIForumFeatures", "-"}},
         {"CTAHDMIForumReservedCode", "CTAHDMIForumFRLWithoutSCDC"}},
        {"DSC 1.2 without slices, reserved DSC rate, version 2, TMDS 300 MHz",
         {0x6C, 0xD8, 0x5D, 0xC4, 0x02, 0x3C, 0x80, 0x10, 0x00, 0x00, 0x00, 0x80, 0x90},
         {{"HDMIForumDSCMaxSlices", "#None"},
          {"HDMIForumDSCMaxFRL", "#UnknownReserved"},
          {"HDMIForumDSCTotalChunkBytes", "-"}},
         {"CTAHDMIForumVersion", "CTAHDMIForumTMDSRate", "CTAHDMIForumReservedCode",
          "CTAHDMIForumDSCWithoutSlices"}},
        {"vendor block and HF-SCDB both",
         {0x65, 0xD8, 0x5D, 0xC4, 0x01, 0x00, 0xE5, 0x79, 0x00, 0x00, 0x01, 0x00},
         {{"HDMIForumVersion", "1"}},
         {"CTAHDMIForumTwice"}},
        {"HF-SCDB too short",
         {0xE3, 0x79, 0x00, 0x00},
         {{"HDMIForumVersion", "-"}},
         {"CTAShortDataBlock"}},
    });
}

// Extended tags 1 and 17: OUI (least significant byte first), then the vendor's bytes.
TEST(CTAFurtherBlockTest, VendorVideoAndAudio) {
    expectCases({
        {"Dolby Vision, HDR10+ and an OUI without a registered name",
         {0xE5, 0x01, 0x46, 0xD0, 0x00, 0x48, 0xE5, 0x01, 0x8B, 0x84, 0x90, 0x01, 0xE4, 0x11, 0xFF,
          0xFF, 0xFF},
         {{"CTAVendorExtendedBlocks",
           "video, OUI 00-D0-46 (DOLBY LABORATORIES, INC.), 5 bytes | "
           "video, OUI 90-84-8B (HDR10+ Technologies, LLC), 5 bytes | audio, OUI FF-FF-FF, 4 "
           "bytes"},
          {"DolbyVisionVersion", "2"},
          {"DolbyVisionDMVersion", "-"},
          {"HDR10PlusVersion", "1"}},
         {"CTADolbyVisionLength"}},
        {"too short for the OUI",
         {0xE3, 0x01, 0x46, 0xD0},
         {{"CTAVendorExtendedBlocks", "-"}},
         {"CTAShortDataBlock"}},
    });
}

TEST(CTAFurtherBlockTest, OtherExtendedTags) {
    expectCases({
        {"InfoFrame: two vendor InfoFrames, AVI and an HDMI vendor InfoFrame",
         {0xE8, 0x20, 0x00, 0x02, 0x02, 0x61, 0x03, 0x0C, 0x00},
         {{"CTAVendorInfoFrames", "2"},
          {"CTAInfoFrameTypes", "AVI | vendor-specific, OUI 00-0C-03 (HDMI Licensing, LLC)"}}},
        {"room configuration with a display and six speakers",
         {0xE5, 0x13, 0xC5, 0x0B, 0x00, 0x00},
         {{"CTARoomDisplay", "#Yes"},
          {"CTARoomSpeakerCount", "6"},
          {"CTARoomSpeakers", "FL/FR | LFE1 | BL/BR"}}},
        {"room configuration, count not valid, too short",
         {0xE2, 0x13, 0x05},
         {{"CTARoomSpeakerCount", "-"}},
         {"CTAShortDataBlock"}},
        {"speaker locations with and without coordinates",
         {0xE8, 0x14, 0x41, 0x02, 0x10, 0x20, 0x30, 0x23, 0x05},
         {{"CTASpeakerLocations",
           "channel 1: speaker 2 at 16, 32, 48 | channel 3: speaker 5, active"}}},
        {"HDMI audio: three streams, non-mixed, two 3D descriptors",
         {0xE3, 0x12, 0x06, 0x02},
         {{"HDMIAudioMaxStreams", "3"},
          {"HDMIAudioMultiStreamNonMixed", "#Yes"},
          {"HDMIAudio3DDescriptors", "2"}}},
        {"HDR dynamic metadata: type 1 version 2, type 4 without fields",
         {0xE8, 0x07, 0x03, 0x01, 0x00, 0x02, 0x02, 0x04, 0x00},
         {{"HDRDynamicMetadataTypes",
           "SMPTE ST 2094-10, version 2 | SMPTE ST 2094-40, version 0"}}},
        {"format preference: every kind of reference",
         {0xE7, 0x0D, 0x10, 0x81, 0x91, 0xA1, 0xB0, 0xFF},
         {{"CTAFormatPreferences",
           "VIC 16: 1920 x 1080 @ 60Hz | detailed timing 1 | DisplayID type VII timing 1 | "
           "DisplayID type X timing 1 | Unknown or reserved (176) | Unknown or reserved (255)"}}},
        {"DisplayID type X timings of 6 bytes in CTA-861",
         {0xEE, 0x2A, 0x00, 1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6},
         {{"CTADisplayIDTypeX", "2"}, {"CTADisplayIDTypeVII", "-"}}},
        {"HF-EEODB after another block",
         {0x41, 0x10, 0xE2, 0x78, 0x02},
         {{"CTAEEODBExtensionCount", "2"}},
         {"CTAEEODBMisplaced"}},
    });
}

}  // namespace
}  // namespace ctatest
