#pragma once

#include <cstdint>
#include <span>

#include "libEDID/CTA861.h"

// Pure decoders of CTA-861 extension blocks: bytes in, plain structs out; no texts, no parser.
namespace libEDID::cta {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint32_t kOuiHDMI = 0x000C03;
constexpr std::uint32_t kOuiHDMIForum = 0xC45DD8;
constexpr std::uint32_t kOuiAMD = 0x00001A;

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
CTAHDMIForumBlock decodeHDMIForum(Bytes payload);
CTAHDRStaticMetadata decodeHDRStaticMetadata(Bytes payload);

}  // namespace libEDID::cta
