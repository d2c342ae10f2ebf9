#pragma once

#include <array>
#include <cstddef>

#include "libEDID/EDIDBlock.h"

// Where the fields of the 128-byte base block and of its 18-byte descriptors lie.
namespace libEDID::layout {

inline constexpr std::size_t kBlockSize = 128;

// Base-block offsets.
inline constexpr std::size_t kHeader = 0x00;          // 8 bytes: 00h FFh FFh FFh FFh FFh FFh 00h
inline constexpr std::size_t kManufacturerID = 0x08;  // 2 bytes, big-endian
inline constexpr std::size_t kProductCode = 0x0A;     // 2 bytes, least significant first
inline constexpr std::size_t kSerialNumber = 0x0C;    // 4 bytes, least significant first
inline constexpr std::size_t kWeek = 0x10;
inline constexpr std::size_t kYear = 0x11;  // year - 1990
inline constexpr std::size_t kVersion = 0x12;
inline constexpr std::size_t kRevision = 0x13;
inline constexpr std::size_t kVideoInput = 0x14;
inline constexpr std::size_t kHorizontalSize = 0x15;  // cm, or an aspect ratio
inline constexpr std::size_t kVerticalSize = 0x16;    // cm, or an aspect ratio
inline constexpr std::size_t kGamma = 0x17;           // gamma x 100 - 100
inline constexpr std::size_t kFeatureSupport = 0x18;
inline constexpr std::size_t kEstablishedTimings = 0x23;  // 3 bytes of mode bits
inline constexpr std::size_t kStandardTimings = 0x26;     // 8 codes of 2 bytes
inline constexpr std::size_t kStandardTimingCount = 8;
inline constexpr std::size_t kExtensionCount = 0x7E;
inline constexpr std::size_t kChecksum = 0x7F;  // also the checksum byte of every extension block

// Feature support (18h) bits.
inline constexpr unsigned char kContinuousFrequencyBit = 0x01;
inline constexpr unsigned char kPreferredTimingBit = 0x02;  // slot 0 holds the preferred mode
inline constexpr unsigned char kSRGBDefaultBit = 0x04;

/// The four 18-byte descriptor slots; slot 0 always holds the preferred detailed timing. A slot
/// whose pixel clock (bytes 0-1) is zero holds a display descriptor.
inline constexpr std::array<std::size_t, 4> kDescriptorSlots{0x36, 0x48, 0x5A, 0x6C};
inline constexpr std::size_t kDescriptorSize = 18;

// Display descriptor offsets.
inline constexpr std::size_t kDescriptorTag = 0x03;
inline constexpr std::size_t kDescriptorReserved = 0x04;  // rate offsets of the range limits
inline constexpr std::size_t kDescriptorPayload = 0x05;   // 13 bytes
inline constexpr std::size_t kDescriptorVersion = 0x05;   // of F7h-F9h: their first payload byte
inline constexpr std::size_t kDescriptorPayloadSize = 13;

// Display descriptor tags.
inline constexpr unsigned char kLastManufacturerTag = 0x0F;
inline constexpr unsigned char kTagProductName = 0xFC;
inline constexpr unsigned char kTagRangeLimits = 0xFD;
inline constexpr unsigned char kTagSerialNumber = 0xFF;

/// True from EDID 1.4 on, judged as version >= 1 and revision >= 4 apart.
inline bool isRevision14OrLater(const EDIDBlock& block) {
    return block[kVersion] >= 1 && block[kRevision] >= 4;
}

}  // namespace libEDID::layout
