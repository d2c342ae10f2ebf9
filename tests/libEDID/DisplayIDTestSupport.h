#pragma once

// Crafted DisplayID extension blocks for the DisplayID tests: data blocks, a section behind a
// valid base block with right checksums, and a parse with extension decoding on.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"

namespace displayidtest {

using Bytes = std::vector<std::uint8_t>;
using Keys = std::vector<std::string>;

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A data block: tag, revision, payload length, payload.
inline Bytes dataBlock(std::uint8_t tag, const Bytes& payload, std::uint8_t revision = 0) {
    Bytes bytes{tag, revision, static_cast<std::uint8_t>(payload.size())};
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

// A section at byte 1 of an extension block: version, payload length (the data blocks' size
// unless given), product type, extension count 0, the data blocks (zero filled up to the
// payload length), then a checksum that makes the section sum to `sectionSum` when it fits
// before the EDID checksum. The EDID block checksum is always right.
struct Section {
    std::uint8_t version = 0x13;
    std::uint8_t productType = 3;
    Bytes blocks;
    int payloadLength = -1;
    std::uint8_t sectionSum = 0;

    Bytes edid() const {
        Bytes bytes = edidtest::EdidBuilder().extensionBlock(0x70).bytes();
        const auto length =
            static_cast<std::uint8_t>(payloadLength < 0 ? blocks.size() : payloadLength);
        Bytes section = Bytes{version, length, productType, 0} + blocks;
        const std::size_t checksumAt = 4u + length;
        section.resize(std::max(section.size(), checksumAt + 1));
        if (checksumAt < 126) {
            const unsigned sum = std::accumulate(section.begin(), section.begin() + checksumAt, 0u);
            section[checksumAt] = static_cast<std::uint8_t>(sectionSum - sum);
        }
        std::copy_n(section.begin(), std::min<std::size_t>(section.size(), 126),
                    bytes.begin() + 129);
        const unsigned blockSum = std::accumulate(bytes.begin() + 128, bytes.begin() + 255, 0u);
        bytes[255] = static_cast<std::uint8_t>(0x100 - (blockSum & 0xFF));
        return bytes;
    }
};

struct Decoded : edidtest::Parsed {
    explicit Decoded(const Section& section) : Parsed(section.edid()) {
        parser.setDecodeExtensions(true);
        EXPECT_TRUE(parse());
    }
    std::string property(const std::string& name) const { return propertyText(name, "<none>"); }
};

// A type I/VII timing: clock - 1 (24 bits), options byte, then h active, h blank, h front
// porch, h sync, v active, v blank, v front porch, v sync, each stored minus one.
inline Bytes timing(std::uint32_t clockMinusOne, std::uint8_t options, std::uint16_t hActive,
                    std::uint16_t hBlank, std::uint16_t vActive, std::uint16_t vBlank) {
    Bytes bytes{static_cast<std::uint8_t>(clockMinusOne),
                static_cast<std::uint8_t>(clockMinusOne >> 8),
                static_cast<std::uint8_t>(clockMinusOne >> 16), options};
    for (const unsigned v :
         {hActive - 1u, hBlank - 1u, 7u, 31u, vActive - 1u, vBlank - 1u, 2u, 5u}) {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    return bytes;
}

}  // namespace displayidtest
