#include "decode/cta/CTATables.h"

#include <array>

namespace libEDID::cta {

namespace {

constexpr VideoFormat p(std::uint16_t width, std::uint16_t height, std::uint16_t refresh) {
    return {width, height, refresh, false};
}
constexpr VideoFormat i(std::uint16_t width, std::uint16_t height, std::uint16_t refresh) {
    return {width, height, refresh, true};
}

// VICs 1-127; formats of different aspect ratio or pixel repetition share a row layout.
constexpr std::array<VideoFormat, 127> kLowVICs{{
    p(640, 480, 60),    p(720, 480, 60),    p(720, 480, 60),    p(1280, 720, 60),    // 1-4
    i(1920, 1080, 60),  i(1440, 480, 60),   i(1440, 480, 60),   p(1440, 240, 60),    // 5-8
    p(1440, 240, 60),   i(2880, 480, 60),   i(2880, 480, 60),   p(2880, 240, 60),    // 9-12
    p(2880, 240, 60),   p(1440, 480, 60),   p(1440, 480, 60),   p(1920, 1080, 60),   // 13-16
    p(720, 576, 50),    p(720, 576, 50),    p(1280, 720, 50),   i(1920, 1080, 50),   // 17-20
    i(1440, 576, 50),   i(1440, 576, 50),   p(1440, 288, 50),   p(1440, 288, 50),    // 21-24
    i(2880, 576, 50),   i(2880, 576, 50),   p(2880, 288, 50),   p(2880, 288, 50),    // 25-28
    p(1440, 576, 50),   p(1440, 576, 50),   p(1920, 1080, 50),  p(1920, 1080, 24),   // 29-32
    p(1920, 1080, 25),  p(1920, 1080, 30),  p(2880, 480, 60),   p(2880, 480, 60),    // 33-36
    p(2880, 576, 50),   p(2880, 576, 50),   i(1920, 1080, 50),  i(1920, 1080, 100),  // 37-40
    p(1280, 720, 100),  p(720, 576, 100),   p(720, 576, 100),   i(1440, 576, 100),   // 41-44
    i(1440, 576, 100),  i(1920, 1080, 120), p(1280, 720, 120),  p(720, 480, 120),    // 45-48
    p(720, 480, 120),   i(1440, 480, 120),  i(1440, 480, 120),  p(720, 576, 200),    // 49-52
    p(720, 576, 200),   i(1440, 576, 200),  i(1440, 576, 200),  p(720, 480, 240),    // 53-56
    p(720, 480, 240),   i(1440, 480, 240),  i(1440, 480, 240),  p(1280, 720, 24),    // 57-60
    p(1280, 720, 25),   p(1280, 720, 30),   p(1920, 1080, 120), p(1920, 1080, 100),  // 61-64
    p(1280, 720, 24),   p(1280, 720, 25),   p(1280, 720, 30),   p(1280, 720, 50),    // 65-68
    p(1280, 720, 60),   p(1280, 720, 100),  p(1280, 720, 120),  p(1920, 1080, 24),   // 69-72
    p(1920, 1080, 25),  p(1920, 1080, 30),  p(1920, 1080, 50),  p(1920, 1080, 60),   // 73-76
    p(1920, 1080, 100), p(1920, 1080, 120), p(1680, 720, 24),   p(1680, 720, 25),    // 77-80
    p(1680, 720, 30),   p(1680, 720, 50),   p(1680, 720, 60),   p(1680, 720, 100),   // 81-84
    p(1680, 720, 120),  p(2560, 1080, 24),  p(2560, 1080, 25),  p(2560, 1080, 30),   // 85-88
    p(2560, 1080, 50),  p(2560, 1080, 60),  p(2560, 1080, 100), p(2560, 1080, 120),  // 89-92
    p(3840, 2160, 24),  p(3840, 2160, 25),  p(3840, 2160, 30),  p(3840, 2160, 50),   // 93-96
    p(3840, 2160, 60),  p(4096, 2160, 24),  p(4096, 2160, 25),  p(4096, 2160, 30),   // 97-100
    p(4096, 2160, 50),  p(4096, 2160, 60),  p(3840, 2160, 24),  p(3840, 2160, 25),   // 101-104
    p(3840, 2160, 30),  p(3840, 2160, 50),  p(3840, 2160, 60),  p(1280, 720, 48),    // 105-108
    p(1280, 720, 48),   p(1680, 720, 48),   p(1920, 1080, 48),  p(1920, 1080, 48),   // 109-112
    p(2560, 1080, 48),  p(3840, 2160, 48),  p(4096, 2160, 48),  p(3840, 2160, 48),   // 113-116
    p(3840, 2160, 100), p(3840, 2160, 120), p(3840, 2160, 100), p(3840, 2160, 120),  // 117-120
    p(5120, 2160, 24),  p(5120, 2160, 25),  p(5120, 2160, 30),  p(5120, 2160, 48),   // 121-124
    p(5120, 2160, 50),  p(5120, 2160, 60),  p(5120, 2160, 100),                      // 125-127
}};

// VICs 193-219.
constexpr std::array<VideoFormat, 27> kHighVICs{{
    p(5120, 2160, 120),                                                                // 193
    p(7680, 4320, 24),   p(7680, 4320, 25),  p(7680, 4320, 30),   p(7680, 4320, 48),   // 194-197
    p(7680, 4320, 50),   p(7680, 4320, 60),  p(7680, 4320, 100),  p(7680, 4320, 120),  // 198-201
    p(7680, 4320, 24),   p(7680, 4320, 25),  p(7680, 4320, 30),   p(7680, 4320, 48),   // 202-205
    p(7680, 4320, 50),   p(7680, 4320, 60),  p(7680, 4320, 100),  p(7680, 4320, 120),  // 206-209
    p(10240, 4320, 24),  p(10240, 4320, 25), p(10240, 4320, 30),  p(10240, 4320, 48),  // 210-213
    p(10240, 4320, 50),  p(10240, 4320, 60), p(10240, 4320, 100),                      // 214-216
    p(10240, 4320, 120), p(4096, 2160, 100), p(4096, 2160, 120),                       // 217-219
}};

constexpr unsigned kFirstHighVIC = 193;

constexpr std::array<std::string_view, 15> kAudioFormats{
    "",       "Linear PCM", "AC-3",    "MPEG-1",        "MP3",           "MPEG-2 multichannel",
    "AAC LC", "DTS",        "ATRAC",   "One Bit Audio", "Enhanced AC-3", "DTS-HD",
    "MAT",    "DST",        "WMA Pro",
};

// Bits 0-7 of byte 1, 0-7 of byte 2 and 0-3 of byte 3 of the speaker allocation payload.
constexpr std::array<std::string_view, 20> kSpeakers{
    "FL/FR",   "LFE1",        "FC",        "BL/BR", "BC",        "FLc/FRc",   "RLC/RRC",
    "FLw/FRw", "TpFL/TpFR",   "TpC",       "TpFC",  "LS/RS",     "LFE2",      "TpBC",
    "SiL/SiR", "TpSiL/TpSiR", "TpBL/TpBR", "BtFC",  "BtFL/BtFR", "TpLS/TpRS",
};

}  // namespace

const VideoFormat* videoFormat(unsigned vic) {
    if (vic >= 1 && vic <= kLowVICs.size()) {
        return &kLowVICs[vic - 1];
    }
    if (vic >= kFirstHighVIC && vic - kFirstHighVIC < kHighVICs.size()) {
        return &kHighVICs[vic - kFirstHighVIC];
    }
    return nullptr;
}

std::string_view audioFormatName(unsigned code) {
    return code < kAudioFormats.size() ? kAudioFormats[code] : std::string_view();
}

std::span<const std::string_view> speakerNames() {
    return kSpeakers;
}

namespace {

// HDMI VICs 1-4: the 4K formats of HDMI 1.4, with the timings of VICs 95, 94, 93 and 98.
constexpr std::array<HDMIVideoFormat, 4> kHDMIVICs{{
    {p(3840, 2160, 30), 297000, 176, 88, 296, 8, 10, 72},
    {p(3840, 2160, 25), 297000, 1056, 88, 296, 8, 10, 72},
    {p(3840, 2160, 24), 297000, 1276, 88, 296, 8, 10, 72},
    {p(4096, 2160, 24), 297000, 1020, 88, 296, 8, 10, 72},
}};

constexpr std::array<FRLRate, 6> kFRLRates{{{3, 3}, {6, 3}, {6, 4}, {8, 4}, {10, 4}, {12, 4}}};

constexpr std::array<DSCSlices, 7> kDSCSlices{
    {{1, 340}, {2, 340}, {4, 340}, {8, 340}, {8, 400}, {12, 400}, {16, 400}}};

template <typename T, std::size_t N>
const T* fromOne(const std::array<T, N>& table, unsigned code) {
    return code >= 1 && code <= N ? &table[code - 1] : nullptr;
}

}  // namespace

const HDMIVideoFormat* hdmiVideoFormat(unsigned vic) {
    return fromOne(kHDMIVICs, vic);
}

const FRLRate* frlRate(unsigned code) {
    return fromOne(kFRLRates, code);
}

const DSCSlices* dscSlices(unsigned code) {
    return fromOne(kDSCSlices, code);
}

}  // namespace libEDID::cta
