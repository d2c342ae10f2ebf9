#include "decode/base/DetailedTimingDecoder.h"

namespace libEDID::decode {

namespace {

// Flags byte (byte 17).
constexpr std::uint8_t kInterlacedBit = 0x80;
constexpr std::uint8_t kBit2 = 0x04;  // vertical polarity (digital separate) or serrations
constexpr std::uint8_t kBit1 = 0x02;  // horizontal polarity (digital) or sync on all RGB

/// `high` above the `lowWidth` bits of `low`.
unsigned combine(unsigned high, unsigned low, unsigned lowWidth) {
    return (high << lowWidth) | low;
}

}  // namespace

std::optional<DetailedTiming> decodeDetailedTiming(std::span<const std::uint8_t, 18> d) {
    const unsigned clock = combine(d[1], d[0], 8);
    if (clock == 0) {
        return std::nullopt;
    }
    // Sizes of more than eight bits keep their upper bits in the shared bytes 4, 7, 11 and 14;
    // byte 11 holds h porch bits 7-6, h sync 5-4, v porch 3-2, v sync 1-0.
    const unsigned packed = d[11];
    const std::uint8_t flags = d[17];
    DetailedTiming out;
    out.pixelClock10kHz = clock;
    out.flags = flags;
    out.sync = static_cast<SyncKind>((flags >> 3) & 0x03u);
    out.stereoCode = static_cast<std::uint8_t>(((flags >> 4) & 0x06u) | (flags & 0x01u));

    VideoTiming& t = out.timing;
    t.pixelClockKHz = clock * 10u;
    t.hActive = combine(d[4] >> 4, d[2], 8);
    t.hBlank = combine(d[4] & 0x0Fu, d[3], 8);
    t.vActive = combine(d[7] >> 4, d[5], 8);
    t.vBlank = combine(d[7] & 0x0Fu, d[6], 8);
    t.hFrontPorch = combine((packed >> 6) & 0x03u, d[8], 8);
    t.hSyncWidth = combine((packed >> 4) & 0x03u, d[9], 8);
    t.vFrontPorch = combine((packed >> 2) & 0x03u, d[10] >> 4, 4);
    t.vSyncWidth = combine(packed & 0x03u, d[10] & 0x0Fu, 4);
    t.interlaced = (flags & kInterlacedBit) != 0;

    const bool digital =
        out.sync == SyncKind::DigitalComposite || out.sync == SyncKind::DigitalSeparate;
    t.hSyncPositive = digital && (flags & kBit1) != 0;
    t.vSyncPositive = out.sync == SyncKind::DigitalSeparate && (flags & kBit2) != 0;
    out.serrations = out.sync != SyncKind::DigitalSeparate && (flags & kBit2) != 0;
    out.syncOnAllRGB = !digital && (flags & kBit1) != 0;

    out.hImageSizeMm = combine(d[14] >> 4, d[12], 8);
    out.vImageSizeMm = combine(d[14] & 0x0Fu, d[13], 8);
    out.hBorder = d[15];
    out.vBorder = d[16];
    return out;
}

}  // namespace libEDID::decode
