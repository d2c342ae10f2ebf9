// The HDMI VIC list of the HDMI vendor-specific data block, behind the optional latency fields.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "decode/cta/HDMIVideo.h"

namespace {

std::vector<std::uint8_t> vicsOf(const std::vector<std::uint8_t>& payload) {
    const auto list = libEDID::cta::decodeHDMIVICs(payload);
    return {list.begin(), list.end()};
}

TEST(HDMIVideoTest, VICsBehindTheLatencyFields) {
    // OUI, physical address, flags, max TMDS clock, then byte 7 and what it announces.
    const std::vector<std::uint8_t> head{0x03, 0x0C, 0x00, 0x10, 0x00, 0x78, 0x3C};
    struct Case {
        std::vector<std::uint8_t> tail;
        std::vector<std::uint8_t> vics;
    };
    const std::vector<Case> cases{
        {{0x20, 0x00, 0x40, 1, 2}, {1, 2}},                    // video fields only
        {{0xA0, 9, 9, 0x00, 0x20, 3}, {3}},                    // latency first
        {{0xE0, 9, 9, 8, 8, 0x80, 0x60, 1, 2, 3}, {1, 2, 3}},  // both latencies; 3D present
        {{0x20, 0x00, 0x60, 1}, {1}},                          // the block ends early
        {{0x80, 9, 9}, {}},                                    // no video fields
        {{0x20}, {}},                                          // announced, missing
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> payload = head;
        payload.insert(payload.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(vicsOf(payload), c.vics) << int(c.tail[0]);
    }
    EXPECT_TRUE(vicsOf(head).empty());
}

}  // namespace
