#include "verifiers/base/EstTimingsOneTwoVerifier.h"

#include <array>
#include <string_view>

#include "decode/base/BaseBlockLayout.h"

namespace libEDID {

namespace {

// The mode of each bit of 23h, 24h and 25h, least significant bit first. Bits 0-6 of 25h are
// the manufacturer's own timings and are not decoded.
constexpr std::array<std::string_view, 24> kModes{
    // 23h: established timings I
    "800 x 600 @ 60Hz", "800 x 600 @ 56Hz", "640 x 480 @ 75Hz", "640 x 480 @ 72Hz",
    "640 x 480 @ 67Hz", "640 x 480 @ 60Hz", "720 x 400 @ 88Hz", "720 x 400 @ 70Hz",
    // 24h: established timings II
    "1280 x 1024 @ 75Hz", "1024 x 768 @ 75Hz", "1024 x 768 @ 70Hz", "1024 x 768 @ 60Hz",
    "1024 x 768 @ 87Hz(I)", "832 x 624 @ 75Hz", "800 x 600 @ 75Hz", "800 x 600 @ 72Hz",
    // 25h: manufacturer's timings
    "", "", "", "", "", "", "", "1152 x 870 @ 75Hz"};

}  // namespace

void EstTimingsOneTwoVerifier::verify() {
    detail::ModeList modes;
    for (unsigned index = 0; index < kModes.size(); ++index) {
        const unsigned char bits = baseBlock()[layout::kEstablishedTimings + index / 8];
        if (((bits >> (index % 8)) & 1u) != 0 && !kModes[index].empty()) {
            modes.add(kModes[index]);
        }
    }
    reportModeList("ReportedEstTimings", modes);
}

}  // namespace libEDID
