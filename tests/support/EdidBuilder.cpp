#include "EdidBuilder.h"

#include <algorithm>
#include <numeric>

namespace edidtest {

namespace {

constexpr std::size_t kSlot[4] = {0x36, 0x48, 0x5A, 0x6C};

void fixChecksum(std::array<std::uint8_t, 128>& block, std::uint8_t sum) {
    block[127] = 0;
    const unsigned total = std::accumulate(block.begin(), block.end(), 0u);
    block[127] = static_cast<std::uint8_t>((sum - total) & 0xFF);
}

}  // namespace

EdidBuilder::EdidBuilder() {
    // Header; "DEL", product A07Bh, serial 0, week 12 of 2020, EDID 1.4, digital input with 8
    // bits per colour over DisplayPort, 52 x 32 cm, gamma 2.20, features 0Ah.
    set(0x00, {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x10, 0xAC, 0x7B, 0xA0, 0,
               0,    0,    0,    12,   30,   1,    4,    0xA5, 52,   32,   0x78, 0x0A});
    // sRGB primaries and D65 white, nearest 10-bit codes.
    chromaticity({0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54});
    set(0x26, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});  // standard timings unused
    detailedTiming(0, 14850, 1920, 280, 1080, 45);
    displayDescriptor(1, 0xFD,
                      {50, 75, 30, 83, 17, 0x00, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20});
    stringDescriptor(2, 0xFC, "TEST MONITOR");
    dummyDescriptor(3);
}

EdidBuilder& EdidBuilder::set(std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) {
        if (offset < base_.size()) {
            base_[offset++] = b;
        }
    }
    return *this;
}

EdidBuilder& EdidBuilder::serialNumber(std::uint32_t serial) {
    return set(0x0C,
               {static_cast<std::uint8_t>(serial), static_cast<std::uint8_t>(serial >> 8),
                static_cast<std::uint8_t>(serial >> 16), static_cast<std::uint8_t>(serial >> 24)});
}

EdidBuilder& EdidBuilder::version(std::uint8_t v, std::uint8_t r) {
    return set(0x12, {v, r});
}
EdidBuilder& EdidBuilder::videoInput(std::uint8_t b) {
    return set(0x14, {b});
}
EdidBuilder& EdidBuilder::gamma(std::uint8_t b) {
    return set(0x17, {b});
}
EdidBuilder& EdidBuilder::features(std::uint8_t b) {
    return set(0x18, {b});
}

EdidBuilder& EdidBuilder::chromaticity(const std::array<std::uint8_t, 10>& bytes) {
    std::copy(bytes.begin(), bytes.end(), base_.begin() + 0x19);
    return *this;
}

EdidBuilder& EdidBuilder::standardTiming(unsigned index, std::uint8_t b0, std::uint8_t b1) {
    return set(0x26 + 2 * (index & 7), {b0, b1});
}

EdidBuilder& EdidBuilder::descriptor(unsigned slot, const Descriptor& bytes) {
    std::copy(bytes.begin(), bytes.end(), base_.begin() + static_cast<long>(kSlot[slot & 3]));
    return *this;
}

EdidBuilder& EdidBuilder::displayDescriptor(unsigned slot, std::uint8_t tag,
                                            std::initializer_list<std::uint8_t> payload,
                                            std::uint8_t byte4) {
    return displayDescriptor(slot, tag, std::vector<std::uint8_t>(payload), byte4);
}

EdidBuilder& EdidBuilder::displayDescriptor(unsigned slot, std::uint8_t tag,
                                            const std::vector<std::uint8_t>& payload,
                                            std::uint8_t byte4) {
    Descriptor d{};
    d[3] = tag;
    d[4] = byte4;
    for (std::size_t i = 0; i < payload.size() && i < 13; ++i) {
        d[5 + i] = payload[i];
    }
    return descriptor(slot, d);
}

EdidBuilder& EdidBuilder::stringDescriptor(unsigned slot, std::uint8_t tag,
                                           const std::string& text) {
    std::vector<std::uint8_t> payload(text.begin(), text.end());
    if (payload.size() < 13) {
        payload.push_back(0x0A);
    }
    payload.resize(13, 0x20);
    return displayDescriptor(slot, tag, payload);
}

EdidBuilder& EdidBuilder::detailedTiming(unsigned slot, std::uint16_t clock, std::uint16_t hActive,
                                         std::uint16_t hBlank, std::uint16_t vActive,
                                         std::uint16_t vBlank, std::uint8_t flags) {
    Descriptor d{};
    d[0] = static_cast<std::uint8_t>(clock & 0xFF);
    d[1] = static_cast<std::uint8_t>(clock >> 8);
    d[2] = static_cast<std::uint8_t>(hActive & 0xFF);
    d[3] = static_cast<std::uint8_t>(hBlank & 0xFF);
    d[4] = static_cast<std::uint8_t>(((hActive >> 8) & 0x0F) << 4 | ((hBlank >> 8) & 0x0F));
    d[5] = static_cast<std::uint8_t>(vActive & 0xFF);
    d[6] = static_cast<std::uint8_t>(vBlank & 0xFF);
    d[7] = static_cast<std::uint8_t>(((vActive >> 8) & 0x0F) << 4 | ((vBlank >> 8) & 0x0F));
    d[8] = 88;     // horizontal front porch
    d[9] = 44;     // horizontal sync width
    d[10] = 0x45;  // vertical front porch 4, sync width 5
    d[11] = 0x00;
    d[12] = 0x09;  // 521 x 293 mm
    d[13] = 0x25;
    d[14] = 0x21;
    d[17] = flags;
    return descriptor(slot, d);
}

EdidBuilder& EdidBuilder::dummyDescriptor(unsigned slot) {
    return displayDescriptor(slot, 0x10, std::vector<std::uint8_t>{});
}

EdidBuilder& EdidBuilder::extensionBlock(std::uint8_t tag) {
    std::array<std::uint8_t, 128> block{};
    block[0] = tag;
    extensions_.push_back(block);
    return *this;
}

EdidBuilder& EdidBuilder::extensionBytes(unsigned block, std::size_t offset,
                                         const std::vector<std::uint8_t>& bytes) {
    std::copy(bytes.begin(), bytes.end(), extensions_.at(block - 1).begin() + offset);
    return *this;
}

EdidBuilder& EdidBuilder::extensionCount(std::uint8_t count) {
    countOverride_ = count;
    return *this;
}

EdidBuilder& EdidBuilder::checksumOff(unsigned block, std::uint8_t sum) {
    wrongSums_.emplace_back(block, sum);
    return *this;
}

std::vector<std::uint8_t> EdidBuilder::bytes() const {
    auto base = base_;
    base[0x7E] = static_cast<std::uint8_t>(
        countOverride_ >= 0 ? countOverride_ : static_cast<int>(extensions_.size()));
    const auto sumFor = [&](unsigned block) {
        for (const auto& [b, s] : wrongSums_) {
            if (b == block) {
                return s;
            }
        }
        return std::uint8_t{0};
    };
    fixChecksum(base, sumFor(0));
    std::vector<std::uint8_t> out(base.begin(), base.end());
    for (std::size_t i = 0; i < extensions_.size(); ++i) {
        auto block = extensions_[i];
        fixChecksum(block, sumFor(static_cast<unsigned>(i + 1)));
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}

}  // namespace edidtest
