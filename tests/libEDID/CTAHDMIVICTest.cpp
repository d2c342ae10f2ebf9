// The HDMI VIC list of the HDMI vendor-specific data block, behind the optional latency fields,
// as the decoded CTA-861 block gives it (and the display model lists its modes from).
#include <cstdint>
#include <vector>

#include "CTAVerifierTestSupport.h"

namespace ctatest {
namespace {

// The VICs of the HDMI block whose payload is `payload`, decoded through the parser.
std::vector<std::uint8_t> vicsOf(const Bytes& payload) {
    Bytes collection{static_cast<std::uint8_t>(0x60 | payload.size())};
    collection.insert(collection.end(), payload.begin(), payload.end());
    const Decoded decoded({withCollection(collection)});
    const auto& blocks = decoded.parser.getCTABlocks();
    if (blocks.size() != 1 || !blocks[0].dataBlocks.hdmi) {
        ADD_FAILURE() << "no HDMI block decoded";
        return {};
    }
    return blocks[0].dataBlocks.hdmi->hdmiVICs;
}

TEST(CTAHDMIVICTest, VICsBehindTheLatencyFields) {
    // OUI, physical address, flags, max TMDS clock, then byte 7 and what it announces.
    const Bytes head{0x03, 0x0C, 0x00, 0x10, 0x00, 0x78, 0x3C};
    struct Case {
        Bytes tail;
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
        Bytes payload = head;
        payload.insert(payload.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(vicsOf(payload), c.vics) << int(c.tail[0]);
    }
    EXPECT_TRUE(vicsOf(head).empty());
}

}  // namespace
}  // namespace ctatest
