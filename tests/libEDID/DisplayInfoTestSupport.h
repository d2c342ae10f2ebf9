#pragma once

// Helpers of the display model's tests: a crafted EDID with an HDMI-style CTA-861 block and a
// compact text form of the mode list.

#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "libEDID/DisplayInfo.h"

namespace displayinfotest {

/// Base block: DTD 1920x1080 60 Hz (preferred, native), range limits 48-75 Hz, 30-85 kHz,
/// 295 MHz, product name "TestMon", established timings III; established I/II 640x480,
/// 800x600, 1024x768 at 60 Hz and 1152x870 at 75 Hz; standard 1920x1080 and 1280x1024 at 60 Hz.
/// CTA-861 block: VICs 16 (native), 4, 1, 5, 20, 39, 97, 118, 219, 193, 6; HDMI block (1.0.0.0,
/// deep colour 30/36/48 and 4:4:4, 300 MHz, HDMI VICs 1-4); HDMI Forum block (600 MHz, SCDC,
/// FRL 4 lanes at 10 Gbit/s); HDR static metadata (SDR, PQ, HLG); YCbCr 4:2:0 only VIC 96; 4:2:0
/// capability map for VIC 16; BT.2020 YCC and RGB; 2-channel PCM; DTD 1280x720 60 Hz.
inline std::vector<std::uint8_t> craftedHDMI() {
    const std::string hex =
        "00ffffffffffff0010ac7ba0040302010c1e0104a53c2278eeee91a3544c99260f5054210880d1c081800101"
        "01010101010101010101023a801871382d40582c450058542100001e000000fd00304b1e551e0411512c9858"
        "803c000000fc00546573744d6f6e0a2020202020000000f7000a08000000020000000000000001b102033c31"
        "4b9004010514276176dbc1066e030c001000783c2000800102030467d85dc401788050e6060d01785020e20e"
        "60e20f01e305c00023090707011d007251d01e206e285500c48e2100001e0000000000000000000000000000"
        "0000000000000000000000000000000000000000000000000000000000000000000000f0";
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        out.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return out;
}

/// One mode as "WxH[i]@rate" (rate rounded), its source words, VIC and marks.
struct ModeRow {
    std::string mode;
    std::string sources;
    unsigned vic;
    std::string marks;
    bool operator==(const ModeRow&) const = default;
};

inline std::string sourceWord(libEDID::ModeSource s) {
    static const char* const kWords[] = {"established",  "standard", "detailed",
                                         "established3", "cvt3",     "cta-vic",
                                         "cta-detailed", "hdmi-vic", "displayid"};
    return kWords[static_cast<unsigned>(s)];
}

inline std::vector<ModeRow> rows(const std::vector<libEDID::SupportedMode>& modes) {
    std::vector<ModeRow> out;
    for (const libEDID::SupportedMode& m : modes) {
        const auto& t = m.timing;
        ModeRow row;
        row.mode = std::to_string(t.hActive) + "x" +
                   std::to_string(t.vActive * (t.interlaced ? 2 : 1)) + (t.interlaced ? "i" : "") +
                   "@" + std::to_string(std::lround(t.refreshHz()));
        for (const libEDID::ModeSource s : m.sources) {
            row.sources += (row.sources.empty() ? "" : " ") + sourceWord(s);
        }
        row.vic = m.vic;
        const std::pair<bool, const char*> marks[] = {{m.preferred, "preferred"},
                                                      {m.native, "native"},
                                                      {m.ycbcr420Only, "420only"},
                                                      {m.ycbcr420Capable, "420capable"}};
        for (const auto& [on, word] : marks) {
            if (on) {
                row.marks += (row.marks.empty() ? "" : " ") + std::string(word);
            }
        }
        out.push_back(row);
    }
    return out;
}

inline void PrintTo(const ModeRow& r, std::ostream* os) {
    *os << r.mode << " [" << r.sources << "] vic " << r.vic << " {" << r.marks << "}";
}

}  // namespace displayinfotest
