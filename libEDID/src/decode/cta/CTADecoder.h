#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "libEDID/CTA861.h"

// Pure decoders of CTA-861 extension blocks: bytes in, plain structs out; no texts, no parser.
namespace libEDID::cta {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint32_t kOuiHDMI = 0x000C03;
constexpr std::uint32_t kOuiHDMIForum = 0xC45DD8;
constexpr std::uint32_t kOuiAMD = 0x00001A;
constexpr std::uint32_t kOuiDolby = 0x00D046;
constexpr std::uint32_t kOuiHDR10Plus = 0x90848B;

/// Extended tags of the HDMI Forum blocks in a CTA-861 collection.
constexpr std::uint8_t kExtendedTagEEODB = 120;
constexpr std::uint8_t kExtendedTagSCDB = 121;

/// Splits a data block collection into its blocks and decodes every kind it knows.
CTADataBlockCollection decodeCollection(Bytes collection);

/// True when byte 2 (the offset of the first detailed timing) leaves room for the 4-byte
/// header and stays inside the block: 0 (nothing after the header) or 4-127.
bool validDTDOffset(std::uint8_t offset);

/// The offset of the first byte after the detailed timings (and display descriptors) of `block`:
/// where the padding starts. Only meaningful for a valid DTD offset.
unsigned paddingOffset(Bytes block);

/// Decodes a 128-byte CTA-861 extension block. Revisions other than 1 and 2 are decoded as
/// revision 3; a DTD offset that is not valid leaves the collection and the timings empty.
CTABlock decodeBlock(Bytes block, unsigned blockNumber);

// Decoders of single data blocks, from the payload (the bytes after the tag byte); each
// appends to or sets its part of `out`.
void decodeVideoDescriptors(Bytes payload, std::vector<CTAShortVideoDescriptor>& out);
void decodeAudioDescriptors(Bytes payload, std::vector<CTAShortAudioDescriptor>& out);
CTAHDMIBlock decodeHDMI(Bytes payload);
/// The HDMI Forum vendor block, or an HF-SCDB: both hold the version at payload byte 3.
CTAHDMIForumBlock decodeHDMIForum(Bytes payload);
CTAHDRStaticMetadata decodeHDRStaticMetadata(Bytes payload);
/// Extended tags 1 and 17: OUI in payload bytes 1-3, the vendor's bytes after them.
CTAVendorExtendedBlock decodeVendorExtended(Bytes payload);
/// The Dolby Vision block from its bytes after the OUI (byte 5 on); see CTADolbyVision.
CTADolbyVision decodeDolbyVision(Bytes data);
/// The luminance in cd/m2 of a 12-bit SMPTE ST 2084 (PQ) code.
double pqLuminance(unsigned code);
CTAInfoFrames decodeInfoFrames(Bytes payload);
CTARoomConfiguration decodeRoomConfiguration(Bytes payload);
void decodeSpeakerLocations(Bytes payload, std::vector<CTASpeakerLocation>& out);
CTAHDMIAudio decodeHDMIAudio(Bytes payload);
void decodeHDRDynamicTypes(Bytes payload, std::vector<CTAHDRDynamicType>& out);
CTADisplayIDTimings decodeDisplayIDTimings(Bytes payload);
/// Extended tag 2; `payload` starts at the extended tag.
CTAVESADisplayDevice decodeVESADisplayDevice(Bytes payload);
/// Extended tag 3; `payload` starts at the extended tag.
VESAVideoTimingBlock decodeVESAVideoTimingBlock(Bytes payload);
/// The implied last point of a VESA display transfer characteristic: full luminance.
constexpr std::uint16_t kTransferFullLuminance = 1023;
/// Tag 5: the usage and the points of a VESA display transfer characteristic.
CTAVESATransferCharacteristic decodeVESATransferCharacteristic(Bytes payload);

/// The extension count of an HF-EEODB that is the first data block of the first CTA-861
/// extension block `block` (where alone it counts); nullopt when there is none.
std::optional<std::uint8_t> eeodbExtensionCount(Bytes block);

/// A latency code of the HDMI block in ms: nullopt for 0 (unknown), 255 (no output) and the
/// invalid codes 252-254.
constexpr std::optional<unsigned> latencyMs(std::uint8_t code) {
    if (code == 0 || code > 251) {
        return std::nullopt;
    }
    return (code - 1u) * 2u;
}

}  // namespace libEDID::cta
