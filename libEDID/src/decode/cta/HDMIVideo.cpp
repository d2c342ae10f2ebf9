#include "decode/cta/HDMIVideo.h"

namespace libEDID::cta {

// Payload byte 7: bit 7 latency fields present (2 bytes follow), bit 6 interlaced latency
// fields present (2 more), bit 5 HDMI video fields present. The video fields: one byte of 3D
// flags, then HDMI_VIC_LEN (bits 7-5) and HDMI_3D_LEN (bits 4-0), then the HDMI VICs.
FixedList<std::uint8_t, 7> decodeHDMIVICs(std::span<const std::uint8_t> payload) {
    FixedList<std::uint8_t, 7> vics;
    constexpr std::size_t kLatencyFlags = 7;
    if (payload.size() <= kLatencyFlags || (payload[kLatencyFlags] & 0x20) == 0) {
        return vics;
    }
    const std::uint8_t flags = payload[kLatencyFlags];
    std::size_t at = kLatencyFlags + 1;
    at += (flags & 0x80) != 0 ? 2 : 0;
    at += (flags & 0x40) != 0 ? 2 : 0;
    const std::size_t lengths = at + 1;
    if (lengths >= payload.size()) {
        return vics;
    }
    const unsigned count = payload[lengths] >> 5;
    for (std::size_t i = lengths + 1; i < payload.size() && i <= lengths + count; ++i) {
        vics.push_back(payload[i]);
    }
    return vics;
}

}  // namespace libEDID::cta
