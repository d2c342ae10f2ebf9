#include "verifiers/descriptors/DisplayEstTimingVerifier.h"

#include <array>

namespace libEDID {

namespace {

constexpr unsigned kVersionPosition = 0;   // descriptor byte 05h
constexpr unsigned kFirstMapPosition = 1;  // descriptor byte 06h
constexpr unsigned kMapBytes = 6;          // descriptor bytes 06h-0Bh

/// The mode of each bit of bytes 06h-0Bh, bit 7 of 06h first; the last four bits (0Bh bits
/// 3-0) are reserved.
const std::array<const char*, 8 * kMapBytes>& modes() {
    static constexpr std::array<const char*, 8 * kMapBytes> table{
        "640 x 350 @ 85Hz",
        "640 x 400 @ 85Hz",
        "720 x 400 @ 85Hz",
        "640 x 480 @ 85Hz",
        "848 x 480 @ 60Hz",
        "800 x 600 @ 85Hz",
        "1024 x 768 @ 85Hz",
        "1152 x 864 @ 75Hz",
        "1280 x 768 @ 60Hz (RB)",
        "1280 x 768 @ 60Hz",
        "1280 x 768 @ 75Hz",
        "1280 x 768 @ 85Hz",
        "1280 x 960 @ 60Hz",
        "1280 x 960 @ 85Hz",
        "1280 x 1024 @ 60Hz",
        "1280 x 1024 @ 85Hz",
        "1360 x 768 @ 60Hz",
        "1440 x 900 @ 60Hz (RB)",
        "1440 x 900 @ 60Hz",
        "1440 x 900 @ 75Hz",
        "1440 x 900 @ 85Hz",
        "1400 x 1050 @ 60Hz (RB)",
        "1400 x 1050 @ 60Hz",
        "1400 x 1050 @ 75Hz",
        "1400 x 1050 @ 85Hz",
        "1680 x 1050 @ 60Hz (RB)",
        "1680 x 1050 @ 60Hz",
        "1680 x 1050 @ 75Hz",
        "1680 x 1050 @ 85Hz",
        "1600 x 1200 @ 60Hz",
        "1600 x 1200 @ 65Hz",
        "1600 x 1200 @ 70Hz",
        "1600 x 1200 @ 75Hz",
        "1600 x 1200 @ 85Hz",
        "1792 x 1344 @ 60Hz",
        "1792 x 1344 @ 75Hz",
        "1856 x 1392 @ 60Hz",
        "1856 x 1392 @ 75Hz",
        "1920 x 1200 @ 60Hz (RB)",
        "1920 x 1200 @ 60Hz",
        "1920 x 1200 @ 75Hz",
        "1920 x 1200 @ 85Hz",
        "1920 x 1440 @ 60Hz",
        "1920 x 1440 @ 75Hz",
        "",
        "",
        "",
        "",
    };
    return table;
}

}  // namespace

void DisplayEstTimingVerifier::verify() {
    detail::ModeList list;
    for (unsigned bit = 0; bit < modes().size(); ++bit) {
        const unsigned char byte = payload[kFirstMapPosition + bit / 8];
        const char* mode = modes()[bit];
        if ((byte & (0x80u >> (bit % 8))) != 0 && *mode != '\0') {
            list.add(std::string_view(mode));
        }
    }
    const qor::String text = " " + detail::labelPair("EstablishedTimings3", "Version") + " : " +
                             detail::hexByte(payload[kVersionPosition]) + detail::eol() +
                             list.text();
    reportLabelledValue(detail::labelPair("DisplayDescriptor", "EstablishedTimings3"),
                        " " + detail::eol() + text);
    notifySysInfoProperty("EstTimings3", list.values());
}

}  // namespace libEDID
