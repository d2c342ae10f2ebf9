#include "decode/vesa/VESADecoder.h"

#include <algorithm>

#include "decode/base/BaseBlockDecoder.h"
#include "decode/base/DetailedTimingDecoder.h"
#include "decode/base/StandardTiming.h"

namespace libEDID::vesa {

namespace {

constexpr unsigned kChecksum = 127;

unsigned littleEndian16(Block block, unsigned offset) {
    return block[offset] | (block[offset + 1] << 8u);
}

template <std::size_t N>
std::array<std::uint8_t, N> bytesFrom(Block block, unsigned offset) {
    std::array<std::uint8_t, N> out{};
    std::copy_n(block.begin() + offset, N, out.begin());
    return out;
}

// Display information transfer characteristic, byte 51h: bits 7-6 the kind, bits 5-0 the
// entries per curve. One white curve takes bytes 52h-7Eh; three curves (blue, green, red) take
// 15 bytes each from 52h, 61h and 70h.
constexpr unsigned kGammaHeader = 0x51;
constexpr unsigned kGammaFirst = 0x52;
constexpr unsigned kGammaWhiteMax = kChecksum - kGammaFirst;
constexpr unsigned kGammaChannelMax = kGammaWhiteMax / 3;

void decodeGamma(Block block, VESADisplayInformation& out) {
    out.gammaKind = block[kGammaHeader] >> 6;
    out.gammaEntries = block[kGammaHeader] & 0x3Fu;
    const auto curve = [&](unsigned first, unsigned max) {
        const unsigned count = std::min<unsigned>(out.gammaEntries, max);
        out.gammaCurves.emplace_back(block.begin() + first, block.begin() + first + count);
    };
    if (out.gammaKind == 1) {
        curve(kGammaFirst, kGammaWhiteMax);
    } else if (out.gammaKind == 2) {
        for (unsigned channel = 0; channel < 3; ++channel) {
            curve(kGammaFirst + channel * kGammaChannelMax, kGammaChannelMax);
        }
    }
}

}  // namespace

VESABlockMap decodeBlockMap(Block block, unsigned blockNumber) {
    VESABlockMap map;
    map.blockNumber = blockNumber;
    map.tags = bytesFrom<kBlockMapEntries>(block, 1);
    return map;
}

// The version and the three counts, then detailed timings, CVT codes and standard timings one
// after the other; what the counts announce beyond the body is not read.
VESAVideoTimingBlock decodeVideoTimings(std::span<const std::uint8_t> body, unsigned firstOffset) {
    constexpr unsigned kCounts = 4;
    VESAVideoTimingBlock vtb;
    const auto byteAt = [&](unsigned i) -> std::uint8_t { return i < body.size() ? body[i] : 0; };
    vtb.version = byteAt(0);
    vtb.detailedCount = byteAt(1);
    vtb.cvtCount = byteAt(2);
    vtb.standardCount = byteAt(3);
    const unsigned end = static_cast<unsigned>(body.size());
    const unsigned room = end > kCounts ? end - kCounts : 0;
    vtb.countsOverflow =
        vtbDescriptorBytes(vtb.detailedCount, vtb.cvtCount, vtb.standardCount) > room;
    unsigned pos = kCounts;
    for (unsigned i = 0; i < vtb.detailedCount && pos + 18 <= end; ++i, pos += 18) {
        const auto timing =
            decode::decodeDetailedTiming(std::span<const std::uint8_t, 18>(&body[pos], 18));
        if (timing) {
            vtb.detailedTimings.push_back(timing->timing);
        } else {
            ++vtb.invalidDetailed;
        }
    }
    for (unsigned i = 0; i < vtb.cvtCount && pos + 3 <= end; ++i, pos += 3) {
        const decode::CVT3ByteCode c =
            decode::decodeCVT3ByteCode(std::span<const std::uint8_t, 3>(&body[pos], 3));
        vtb.cvtCodes.push_back(
            {c.lines, c.width, c.aspect, c.preferredRate, c.rates, c.reservedBitSet});
    }
    for (unsigned i = 0; i < vtb.standardCount && pos + 2 <= end; ++i, pos += 2) {
        const decode::StandardTiming st = decode::decodeStandardTiming(body[pos], body[pos + 1]);
        vtb.standardTimings.push_back({st.kind != decode::StandardTiming::Kind::Invalid,
                                       st.kind == decode::StandardTiming::Kind::Unused, st.width,
                                       st.height, st.refresh});
    }
    for (; pos < end; ++pos) {
        if (body[pos] != 0) {
            vtb.nonZeroPadding = firstOffset + pos;
            break;
        }
    }
    return vtb;
}

// Bytes 1-7Eh: the version at byte 1, the descriptors from byte 5 up to the checksum.
VESAVideoTimingBlock decodeVideoTimingBlock(Block block, unsigned blockNumber) {
    VESAVideoTimingBlock vtb = decodeVideoTimings(block.subspan(1, kChecksum - 1), 1);
    vtb.blockNumber = blockNumber;
    return vtb;
}

// Bytes 2-0Dh the interface, 0Eh-13h the display device, 14h-26h the capabilities, 27h-50h
// unused, 51h-7Eh the transfer characteristic.
VESADisplayInformation decodeDisplayInformation(Block block, unsigned blockNumber) {
    VESADisplayInformation di;
    di.blockNumber = blockNumber;
    di.version = block[1];
    VESADIInterface& link = di.displayInterface;
    link.type = block[2];
    link.versionKind = block[3] >> 6;
    link.versionBytes = bytesFrom<4>(block, 3);
    link.flags = block[7];
    link.dataFormat = block[8];
    link.minClockMHz = block[9];
    link.maxClockMHz = littleEndian16(block, 0x0A);
    link.crossoverMHz = littleEndian16(block, 0x0C);
    di.subpixelLayout = block[0x0E];
    di.subpixelConfiguration = block[0x0F];
    di.subpixelShape = block[0x10];
    di.hPitchHundredthMm = block[0x11];
    di.vPitchHundredthMm = block[0x12];
    di.deviceFlags = block[0x13];
    di.miscCapabilities = block[0x14];
    di.frameRateFlags = block[0x15];
    di.vFrequencyHundredths = littleEndian16(block, 0x16);
    di.hFrequencyHundredths = littleEndian16(block, 0x18);
    di.orientation = block[0x1A];
    di.defaultDecoding = block[0x1B];
    di.preferredDecoding = block[0x1C];
    di.decodingCapabilities = static_cast<std::uint16_t>(littleEndian16(block, 0x1D));
    di.depthFlags = block[0x1F];
    di.bitDepths = bytesFrom<6>(block, 0x20);
    di.aspectConversion = block[0x26];
    di.unused = bytesFrom<42>(block, 0x27);
    decodeGamma(block, di);
    return di;
}

VESALocalizedStrings decodeLocalizedStrings(Block block, unsigned blockNumber) {
    VESALocalizedStrings ls;
    ls.blockNumber = blockNumber;
    ls.version = block[1];
    ls.revision = block[2];
    ls.data = bytesFrom<124>(block, 3);
    return ls;
}

VESAPacketVideoLink decodePacketVideoLink(Block block, unsigned blockNumber) {
    VESAPacketVideoLink dpvl;
    dpvl.blockNumber = blockNumber;
    dpvl.version = block[1];
    dpvl.data = bytesFrom<125>(block, 2);
    return dpvl;
}

}  // namespace libEDID::vesa
