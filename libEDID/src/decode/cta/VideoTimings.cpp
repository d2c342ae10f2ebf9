#include "decode/cta/VideoTimings.h"

#include <array>

namespace libEDID::cta {

namespace {

/// A progressive format: active, total, front porch and sync of lines and of frames; pixel
/// clock in kHz; both syncs positive or both negative.
constexpr VideoTiming p(unsigned hActive, unsigned hTotal, unsigned hFront, unsigned hSync,
                        unsigned vActive, unsigned vTotal, unsigned vFront, unsigned vSync,
                        std::uint32_t clockKHz, bool positive = true) {
    return {clockKHz, hActive, hTotal - hActive, hFront,   hSync, vActive, vTotal - vActive,
            vFront,   vSync,   positive,         positive, false, 0};
}
constexpr VideoTiming n(unsigned hActive, unsigned hTotal, unsigned hFront, unsigned hSync,
                        unsigned vActive, unsigned vTotal, unsigned vFront, unsigned vSync,
                        std::uint32_t clockKHz) {
    return p(hActive, hTotal, hFront, hSync, vActive, vTotal, vFront, vSync, clockKHz, false);
}
/// An interlaced format: the vertical values are those of one field (its blanking the shorter
/// of the two fields').
constexpr VideoTiming i(unsigned hActive, unsigned hTotal, unsigned hFront, unsigned hSync,
                        unsigned vActive, unsigned vBlank, unsigned vFront, unsigned vSync,
                        std::uint32_t clockKHz, bool positive = true) {
    return {clockKHz, hActive, hTotal - hActive, hFront,   hSync, vActive, vBlank,
            vFront,   vSync,   positive,         positive, true,  0};
}
constexpr VideoTiming in(unsigned hActive, unsigned hTotal, unsigned hFront, unsigned hSync,
                         unsigned vActive, unsigned vBlank, unsigned vFront, unsigned vSync,
                         std::uint32_t clockKHz) {
    return i(hActive, hTotal, hFront, hSync, vActive, vBlank, vFront, vSync, clockKHz, false);
}

// Frequently shared rows.
constexpr VideoTiming k480p = n(720, 858, 16, 62, 480, 525, 9, 6, 27000);
constexpr VideoTiming k480i = in(1440, 1716, 38, 124, 240, 22, 4, 3, 27000);
constexpr VideoTiming k240p = n(1440, 1716, 38, 124, 240, 262, 4, 3, 27000);
constexpr VideoTiming k576p = n(720, 864, 12, 64, 576, 625, 5, 5, 27000);
constexpr VideoTiming k576i = in(1440, 1728, 24, 126, 288, 24, 2, 3, 27000);
constexpr VideoTiming k288p = n(1440, 1728, 24, 126, 288, 312, 2, 3, 27000);
constexpr VideoTiming k720p60 = p(1280, 1650, 110, 40, 720, 750, 5, 5, 74250);
constexpr VideoTiming k720p50 = p(1280, 1980, 440, 40, 720, 750, 5, 5, 74250);
constexpr VideoTiming k720p24 = p(1280, 3300, 1760, 40, 720, 750, 5, 5, 59400);
constexpr VideoTiming k720p25 = p(1280, 3960, 2420, 40, 720, 750, 5, 5, 74250);
constexpr VideoTiming k720p30 = p(1280, 3300, 1760, 40, 720, 750, 5, 5, 74250);
constexpr VideoTiming k720p100 = p(1280, 1980, 440, 40, 720, 750, 5, 5, 148500);
constexpr VideoTiming k720p120 = p(1280, 1650, 110, 40, 720, 750, 5, 5, 148500);
constexpr VideoTiming k720p48 = p(1280, 2500, 960, 40, 720, 750, 5, 5, 90000);
constexpr VideoTiming k1080p60 = p(1920, 2200, 88, 44, 1080, 1125, 4, 5, 148500);
constexpr VideoTiming k1080p50 = p(1920, 2640, 528, 44, 1080, 1125, 4, 5, 148500);
constexpr VideoTiming k1080p24 = p(1920, 2750, 638, 44, 1080, 1125, 4, 5, 74250);
constexpr VideoTiming k1080p25 = p(1920, 2640, 528, 44, 1080, 1125, 4, 5, 74250);
constexpr VideoTiming k1080p30 = p(1920, 2200, 88, 44, 1080, 1125, 4, 5, 74250);
constexpr VideoTiming k1080p100 = p(1920, 2640, 528, 44, 1080, 1125, 4, 5, 297000);
constexpr VideoTiming k1080p120 = p(1920, 2200, 88, 44, 1080, 1125, 4, 5, 297000);
constexpr VideoTiming k1080p48 = p(1920, 2750, 638, 44, 1080, 1125, 4, 5, 148500);
constexpr VideoTiming k2160p24 = p(3840, 5500, 1276, 88, 2160, 2250, 8, 10, 297000);
constexpr VideoTiming k2160p25 = p(3840, 5280, 1056, 88, 2160, 2250, 8, 10, 297000);
constexpr VideoTiming k2160p30 = p(3840, 4400, 176, 88, 2160, 2250, 8, 10, 297000);
constexpr VideoTiming k2160p50 = p(3840, 5280, 1056, 88, 2160, 2250, 8, 10, 594000);
constexpr VideoTiming k2160p60 = p(3840, 4400, 176, 88, 2160, 2250, 8, 10, 594000);
constexpr VideoTiming k2160p48 = p(3840, 5500, 1276, 88, 2160, 2250, 8, 10, 594000);
constexpr VideoTiming k2160p100 = p(3840, 5280, 1056, 88, 2160, 2250, 8, 10, 1188000);
constexpr VideoTiming k2160p120 = p(3840, 4400, 176, 88, 2160, 2250, 8, 10, 1188000);
constexpr VideoTiming k4096p24 = p(4096, 5500, 1020, 88, 2160, 2250, 8, 10, 297000);

// VICs 1-127, in order.
constexpr std::array<VideoTiming, 127> kLowVICs{{
    n(640, 800, 16, 96, 480, 525, 10, 2, 25175),  // 1
    k480p,
    k480p,
    k720p60,
    i(1920, 2200, 88, 44, 540, 22, 2, 5, 74250),  // 5
    k480i,
    k480i,
    k240p,
    k240p,
    in(2880, 3432, 76, 248, 240, 22, 4, 3, 54000),  // 10
    in(2880, 3432, 76, 248, 240, 22, 4, 3, 54000),
    n(2880, 3432, 76, 248, 240, 262, 4, 3, 54000),
    n(2880, 3432, 76, 248, 240, 262, 4, 3, 54000),
    n(1440, 1716, 32, 124, 480, 525, 9, 6, 54000),
    n(1440, 1716, 32, 124, 480, 525, 9, 6, 54000),  // 15
    k1080p60,
    k576p,
    k576p,
    k720p50,
    i(1920, 2640, 528, 44, 540, 22, 2, 5, 74250),  // 20
    k576i,
    k576i,
    k288p,
    k288p,
    in(2880, 3456, 48, 252, 288, 24, 2, 3, 54000),  // 25
    in(2880, 3456, 48, 252, 288, 24, 2, 3, 54000),
    n(2880, 3456, 48, 252, 288, 312, 2, 3, 54000),
    n(2880, 3456, 48, 252, 288, 312, 2, 3, 54000),
    n(1440, 1728, 24, 128, 576, 625, 5, 5, 54000),
    n(1440, 1728, 24, 128, 576, 625, 5, 5, 54000),  // 30
    k1080p50,
    k1080p24,
    k1080p25,
    k1080p30,
    n(2880, 3432, 64, 248, 480, 525, 9, 6, 108000),  // 35
    n(2880, 3432, 64, 248, 480, 525, 9, 6, 108000),
    n(2880, 3456, 48, 256, 576, 625, 5, 5, 108000),
    n(2880, 3456, 48, 256, 576, 625, 5, 5, 108000),
    // 39: 1250 lines a frame, positive horizontal and negative vertical sync.
    {72000, 1920, 384, 32, 168, 540, 85, 23, 5, true, false, true, 0},
    i(1920, 2640, 528, 44, 540, 22, 2, 5, 148500),  // 40
    k720p100,
    n(720, 864, 12, 64, 576, 625, 5, 5, 54000),
    n(720, 864, 12, 64, 576, 625, 5, 5, 54000),
    in(1440, 1728, 24, 126, 288, 24, 2, 3, 54000),
    in(1440, 1728, 24, 126, 288, 24, 2, 3, 54000),  // 45
    i(1920, 2200, 88, 44, 540, 22, 2, 5, 148500),
    k720p120,
    n(720, 858, 16, 62, 480, 525, 9, 6, 54000),
    n(720, 858, 16, 62, 480, 525, 9, 6, 54000),
    in(1440, 1716, 38, 124, 240, 22, 4, 3, 54000),  // 50
    in(1440, 1716, 38, 124, 240, 22, 4, 3, 54000),
    n(720, 864, 12, 64, 576, 625, 5, 5, 108000),
    n(720, 864, 12, 64, 576, 625, 5, 5, 108000),
    in(1440, 1728, 24, 126, 288, 24, 2, 3, 108000),
    in(1440, 1728, 24, 126, 288, 24, 2, 3, 108000),  // 55
    n(720, 858, 16, 62, 480, 525, 9, 6, 108000),
    n(720, 858, 16, 62, 480, 525, 9, 6, 108000),
    in(1440, 1716, 38, 124, 240, 22, 4, 3, 108000),
    in(1440, 1716, 38, 124, 240, 22, 4, 3, 108000),
    k720p24,  // 60
    k720p25,
    k720p30,
    k1080p120,
    k1080p100,
    k720p24,  // 65
    k720p25,
    k720p30,
    k720p50,
    k720p60,
    k720p100,  // 70
    k720p120,
    k1080p24,
    k1080p25,
    k1080p30,
    k1080p50,  // 75
    k1080p60,
    k1080p100,
    k1080p120,
    p(1680, 3300, 1360, 40, 720, 750, 5, 5, 59400),
    p(1680, 3168, 1228, 40, 720, 750, 5, 5, 59400),  // 80
    p(1680, 2640, 700, 40, 720, 750, 5, 5, 59400),
    p(1680, 2200, 260, 40, 720, 750, 5, 5, 82500),
    p(1680, 2200, 260, 40, 720, 750, 5, 5, 99000),
    p(1680, 2000, 60, 40, 720, 825, 5, 5, 165000),
    p(1680, 2000, 60, 40, 720, 825, 5, 5, 198000),  // 85
    p(2560, 3750, 998, 44, 1080, 1100, 4, 5, 99000),
    p(2560, 3200, 448, 44, 1080, 1125, 4, 5, 90000),
    p(2560, 3520, 768, 44, 1080, 1125, 4, 5, 118800),
    p(2560, 3300, 548, 44, 1080, 1125, 4, 5, 185625),
    p(2560, 3000, 248, 44, 1080, 1100, 4, 5, 198000),  // 90
    p(2560, 2970, 218, 44, 1080, 1250, 4, 5, 371250),
    p(2560, 3300, 548, 44, 1080, 1250, 4, 5, 495000),
    k2160p24,
    k2160p25,
    k2160p30,  // 95
    k2160p50,
    k2160p60,
    k4096p24,
    p(4096, 5280, 968, 88, 2160, 2250, 8, 10, 297000),
    p(4096, 4400, 88, 88, 2160, 2250, 8, 10, 297000),  // 100
    p(4096, 5280, 968, 88, 2160, 2250, 8, 10, 594000),
    p(4096, 4400, 88, 88, 2160, 2250, 8, 10, 594000),
    k2160p24,
    k2160p25,
    k2160p30,  // 105
    k2160p50,
    k2160p60,
    k720p48,
    k720p48,
    p(1680, 2750, 810, 40, 720, 750, 5, 5, 99000),  // 110
    k1080p48,
    k1080p48,
    p(2560, 3750, 998, 44, 1080, 1100, 4, 5, 198000),
    k2160p48,
    p(4096, 5500, 1020, 88, 2160, 2250, 8, 10, 594000),  // 115
    k2160p48,
    k2160p100,
    k2160p120,
    k2160p100,
    k2160p120,  // 120
    p(5120, 7500, 1996, 88, 2160, 2200, 8, 10, 396000),
    p(5120, 7200, 1696, 88, 2160, 2200, 8, 10, 396000),
    p(5120, 6000, 664, 88, 2160, 2200, 8, 10, 396000),
    p(5120, 6250, 746, 88, 2160, 2475, 8, 10, 742500),
    p(5120, 6600, 1096, 88, 2160, 2250, 8, 10, 742500),  // 125
    p(5120, 5500, 164, 88, 2160, 2250, 8, 10, 742500),
    p(5120, 6600, 1096, 88, 2160, 2250, 8, 10, 1485000),
}};

constexpr VideoTiming k4320p24 = p(7680, 11000, 2552, 176, 4320, 4500, 16, 20, 1188000);
constexpr VideoTiming k4320p25 = p(7680, 10800, 2352, 176, 4320, 4400, 16, 20, 1188000);
constexpr VideoTiming k4320p30 = p(7680, 9000, 552, 176, 4320, 4400, 16, 20, 1188000);
constexpr VideoTiming k4320p48 = p(7680, 11000, 2552, 176, 4320, 4500, 16, 20, 2376000);
constexpr VideoTiming k4320p50 = p(7680, 10800, 2352, 176, 4320, 4400, 16, 20, 2376000);
constexpr VideoTiming k4320p60 = p(7680, 9000, 552, 176, 4320, 4400, 16, 20, 2376000);
constexpr VideoTiming k4320p100 = p(7680, 10560, 2112, 176, 4320, 4500, 16, 20, 4752000);
constexpr VideoTiming k4320p120 = p(7680, 8800, 352, 176, 4320, 4500, 16, 20, 4752000);

// VICs 193-219.
constexpr std::array<VideoTiming, 27> kHighVICs{{
    p(5120, 5500, 164, 88, 2160, 2250, 8, 10, 1485000),  // 193
    k4320p24,
    k4320p25,
    k4320p30,
    k4320p48,
    k4320p50,
    k4320p60,
    k4320p100,
    k4320p120,
    k4320p24,  // 202
    k4320p25,
    k4320p30,
    k4320p48,
    k4320p50,
    k4320p60,
    k4320p100,
    k4320p120,
    p(10240, 12500, 1492, 176, 4320, 4950, 16, 20, 1485000),  // 210
    p(10240, 13500, 2492, 176, 4320, 4400, 16, 20, 1485000),
    p(10240, 11000, 288, 176, 4320, 4500, 16, 20, 1485000),
    p(10240, 12500, 1492, 176, 4320, 4950, 16, 20, 2970000),
    p(10240, 13500, 2492, 176, 4320, 4400, 16, 20, 2970000),
    p(10240, 11000, 288, 176, 4320, 4500, 16, 20, 2970000),  // 215
    p(10240, 13200, 2192, 176, 4320, 4500, 16, 20, 5940000),
    p(10240, 11000, 288, 176, 4320, 4500, 16, 20, 5940000),
    p(4096, 5280, 800, 88, 2160, 2250, 8, 10, 1188000),
    p(4096, 4400, 88, 88, 2160, 2250, 8, 10, 1188000),  // 219
}};

constexpr unsigned kFirstHighVIC = 193;

// HDMI VICs 1-4: 2160p30, 2160p25, 2160p24 and 4096 x 2160p24.
constexpr std::array<VideoTiming, 4> kHDMIVICs{{k2160p30, k2160p25, k2160p24, k4096p24}};

}  // namespace

const VideoTiming* videoTiming(unsigned vic) {
    if (vic >= 1 && vic <= kLowVICs.size()) {
        return &kLowVICs[vic - 1];
    }
    if (vic >= kFirstHighVIC && vic < kFirstHighVIC + kHighVICs.size()) {
        return &kHighVICs[vic - kFirstHighVIC];
    }
    return nullptr;
}

const VideoTiming* hdmiVideoTiming(unsigned hdmiVic) {
    return hdmiVic >= 1 && hdmiVic <= kHDMIVICs.size() ? &kHDMIVICs[hdmiVic - 1] : nullptr;
}

}  // namespace libEDID::cta
