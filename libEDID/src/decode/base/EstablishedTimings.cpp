#include "decode/base/EstablishedTimings.h"

namespace libEDID::decode {

namespace {

constexpr NominalMode m(std::uint16_t width, std::uint16_t height, std::uint8_t refresh) {
    return {width, height, refresh, false, false};
}
constexpr NominalMode rb(std::uint16_t width, std::uint16_t height, std::uint8_t refresh) {
    return {width, height, refresh, false, true};
}
constexpr NominalMode none{};

}  // namespace

const std::array<NominalMode, 24> kEstablishedModes{{
    // 23h, bit 0 first
    m(800, 600, 60),
    m(800, 600, 56),
    m(640, 480, 75),
    m(640, 480, 72),  //
    m(640, 480, 67),
    m(640, 480, 60),
    m(720, 400, 88),
    m(720, 400, 70),  //
    // 24h
    m(1280, 1024, 75),
    m(1024, 768, 75),
    m(1024, 768, 70),
    m(1024, 768, 60),  //
    {1024, 768, 87, true, false},
    m(832, 624, 75),
    m(800, 600, 75),
    m(800, 600, 72),
    // 25h: bits 6-0 manufacturer's timings
    none,
    none,
    none,
    none,
    none,
    none,
    none,
    m(1152, 870, 75),  //
}};

const std::array<NominalMode, 48> kEstablishedIIIModes{{
    // 06h, bit 7 first
    m(640, 350, 85),
    m(640, 400, 85),
    m(720, 400, 85),
    m(640, 480, 85),  //
    m(848, 480, 60),
    m(800, 600, 85),
    m(1024, 768, 85),
    m(1152, 864, 75),
    // 07h
    rb(1280, 768, 60),
    m(1280, 768, 60),
    m(1280, 768, 75),
    m(1280, 768, 85),  //
    m(1280, 960, 60),
    m(1280, 960, 85),
    m(1280, 1024, 60),
    m(1280, 1024, 85),
    // 08h
    m(1360, 768, 60),
    rb(1440, 900, 60),
    m(1440, 900, 60),
    m(1440, 900, 75),  //
    m(1440, 900, 85),
    rb(1400, 1050, 60),
    m(1400, 1050, 60),
    m(1400, 1050, 75),
    // 09h
    m(1400, 1050, 85),
    rb(1680, 1050, 60),
    m(1680, 1050, 60),
    m(1680, 1050, 75),  //
    m(1680, 1050, 85),
    m(1600, 1200, 60),
    m(1600, 1200, 65),
    m(1600, 1200, 70),
    // 0Ah
    m(1600, 1200, 75),
    m(1600, 1200, 85),
    m(1792, 1344, 60),
    m(1792, 1344, 75),  //
    m(1856, 1392, 60),
    m(1856, 1392, 75),
    rb(1920, 1200, 60),
    m(1920, 1200, 60),
    // 0Bh: bits 3-0 reserved
    m(1920, 1200, 75),
    m(1920, 1200, 85),
    m(1920, 1440, 60),
    m(1920, 1440, 75),  //
    none,
    none,
    none,
    none,
}};

}  // namespace libEDID::decode
