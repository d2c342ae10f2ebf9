// The Dolby Vision vendor-specific video data block, one row per layout and per rule: the
// bytes after the OUI as real displays carry them (or crafted from them), and the values read
// by hand from those bytes (chromaticities as code / 4096 or base + code / 256, luminances from
// the SMPTE ST 2084 curve of the PQ code / 4095, or from the version 1 codes). The values agree
// with an independent decoder's output for the displays named.

#include "CTAVerifierTestSupport.h"

namespace ctatest {
namespace {

// Extended tag 1 and OUI 00-D0-46 (least significant byte first), after the header byte.
Bytes dolby(std::uint8_t header, std::initializer_list<std::uint8_t> data) {
    Bytes bytes{header, 0x01, 0x46, 0xD0, 0x00};
    bytes.insert(bytes.end(), data);
    return bytes;
}

TEST(DolbyVisionTest, EveryLayout) {
    expectCases({
        {"version 0, 25 bytes (a Vizio TV), with the three flags of byte 5 set",
         dolby(0xF9, {0x07, 0xA7, 0xA4, 0x54, 0xA3, 0x4C, 0x9F, 0x7A, 0x27, 0x0B, 0x14,
                      0x50, 0x54, 0x81, 0x05, 0xA7, 0x28, 0x00, 0x00, 0x00, 0x00}),
         {{"DolbyVisionVersion", "0"},
          {"DolbyVisionDMVersion", "2.8"},
          {"DolbyVisionMinLuminance", "0.010003 cd/m2"},
          {"DolbyVisionMaxLuminance", "400.63 cd/m2"},
          {"DolbyVisionFeatures", "YUV 4:2:2 at 12 bits | 2160p at 60 Hz | global dimming"},
          {"DolbyVisionColorimetry", "-"},
          {"DolbyVisionInterface", "-"},
          {"DolbyVisionRed", "0.6431, 0.3298"},
          {"DolbyVisionGreen", "0.2993, 0.6218"},
          {"DolbyVisionBlue", "0.1541, 0.0454"},
          {"DolbyVisionWhite", "0.3127, 0.3291"}}},
        {"version 1, 14 bytes (a Denon receiver)",
         dolby(0xEE, {0x24, 0x18, 0x09, 0x00, 0xAD, 0x52, 0x44, 0xA9, 0x23, 0x0C}),
         {{"DolbyVisionVersion", "1"},
          {"DolbyVisionDMVersion", "3.x"},
          {"DolbyVisionMinLuminance", "0.000992 cd/m2"},
          {"DolbyVisionMaxLuminance", "700.00 cd/m2"},
          {"DolbyVisionFeatures", "#None"},
          {"DolbyVisionColorimetry", "P3-D65"},
          {"DolbyVisionInterface", "standard only"},
          {"DolbyVisionRed", "0.6758, 0.3203"},
          {"DolbyVisionGreen", "0.2656, 0.6602"},
          {"DolbyVisionBlue", "0.1367, 0.0469"},
          {"DolbyVisionWhite", "-"},
          {"DolbyVisionBacklightMinLuminance", "-"}}},
        {"version 1, 11 bytes with packed primaries (an LG TV)",
         dolby(0xEB, {0x26, 0x10, 0x03, 0x25, 0x7E, 0x73, 0xA4}),
         {{"DolbyVisionDMVersion", "3.x"},
          {"DolbyVisionMinLuminance", "0.000062 cd/m2"},
          {"DolbyVisionMaxLuminance", "500.00 cd/m2"},
          {"DolbyVisionFeatures", "2160p at 60 Hz"},
          {"DolbyVisionInterface", "standard and low latency"},
          {"DolbyVisionRed", "0.7031, 0.3203"},
          {"DolbyVisionGreen", "0.2461, 0.7227"},
          {"DolbyVisionBlue", "0.1289, 0.0352"}}},
        {"version 1, 11 bytes, BT.709 and global dimming (a Toshiba TV)",
         dolby(0xEB, {0x26, 0x09, 0x32, 0x51, 0x59, 0x99, 0xAA}),
         {{"DolbyVisionMinLuminance", "0.038750 cd/m2"},
          {"DolbyVisionMaxLuminance", "300.00 cd/m2"},
          {"DolbyVisionFeatures", "2160p at 60 Hz | global dimming"},
          {"DolbyVisionColorimetry", "BT.709"},
          {"DolbyVisionRed", "0.7070, 0.2930"},
          {"DolbyVisionGreen", "0.1719, 0.7969"},
          {"DolbyVisionBlue", "0.1328, 0.0469"}}},
        {"version 2, 10-bit RGB and YUV 4:4:4, every interface (a Vizio TV)",
         dolby(0xEB, {0x45, 0x4F, 0x4B, 0x9C, 0x37, 0x37, 0xA4}),
         {{"DolbyVisionVersion", "2"},
          {"DolbyVisionDMVersion", "3.x"},
          {"DolbyVisionMinLuminance", "0.044944 cd/m2"},
          {"DolbyVisionMaxLuminance", "371.60 cd/m2"},
          {"DolbyVisionFeatures", "YUV 4:2:2 at 12 bits | global dimming"},
          {"DolbyVisionColorimetry", "-"},
          {"DolbyVisionInterface", "standard and low latency, low latency also over HDMI"},
          {"DolbyVisionBacklightMinLuminance", "100.00 cd/m2"},
          {"DolbyVision444", "10 bits"},
          {"DolbyVisionRed", "0.6484, 0.3281"},
          {"DolbyVisionGreen", "0.3047, 0.6055"},
          {"DolbyVisionBlue", "0.1523, 0.0469"}}},
        {"version 2, 12-bit, low latency over HDMI, backlight control (a Dell monitor, bit 1 set)",
         dolby(0xEB, {0x4E, 0x02, 0x5D, 0x7B, 0x6E, 0x85, 0x76}),
         {{"DolbyVisionDMVersion", "5.x"},
          {"DolbyVisionMinLuminance", "0.000000 cd/m2"},
          {"DolbyVisionMaxLuminance", "499.30 cd/m2"},
          {"DolbyVisionFeatures", "backlight control"},
          {"DolbyVisionInterface", "low latency, also over HDMI"},
          {"DolbyVisionBacklightMinLuminance", "75.00 cd/m2"},
          {"DolbyVision444", "12 bits"},
          {"DolbyVisionRed", "0.6875, 0.3047"},
          {"DolbyVisionGreen", "0.2383, 0.7148"},
          {"DolbyVisionBlue", "0.1445, 0.0547"}}},
    });
}

TEST(DolbyVisionTest, Rules) {
    expectCases({
        {"version 3 is reserved: nothing beyond the version",
         dolby(0xEB, {0x60, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}),
         {{"DolbyVisionVersion", "3"}, {"DolbyVisionDMVersion", "-"}},
         {"CTADolbyVisionReservedVersion"}},
        {"version 0 in 11 bytes",
         dolby(0xEB, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}),
         {{"DolbyVisionVersion", "0"}, {"DolbyVisionMinLuminance", "-"}},
         {"CTADolbyVisionLength"}},
        {"version 1 in 12 bytes, between its two forms",
         dolby(0xEC, {0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}),
         {{"DolbyVisionRed", "-"}},
         {"CTADolbyVisionLength"}},
        {"version 2 in 14 bytes",
         dolby(0xEE, {0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}),
         {{"DolbyVisionInterface", "-"}},
         {"CTADolbyVisionLength"}},
        {"version 1, interface code 2",
         dolby(0xEB, {0x26, 0x10, 0x03, 0x26, 0x7E, 0x73, 0xA4}),
         {{"DolbyVisionInterface", "-"}, {"DolbyVisionRed", "0.7031, 0.3203"}},
         {"CTADolbyVisionReservedCode"}},
        {"version 2, RGB and YUV 4:4:4 code 3",
         dolby(0xEB, {0x44, 0x47, 0x3A, 0x87, 0x55, 0x67, 0x86}),
         {{"DolbyVision444", "-"}, {"DolbyVisionInterface", "standard and low latency"}},
         {"CTADolbyVisionReservedCode"}},
        {"the OUI and the version byte only",
         dolby(0xE5, {0x40}),
         {{"DolbyVisionVersion", "2"}},
         {"CTADolbyVisionLength"}},
    });
}

}  // namespace
}  // namespace ctatest
