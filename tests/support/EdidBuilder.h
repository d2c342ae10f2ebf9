#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace edidtest {

/// Builds EDIDs for tests. A new builder holds a valid EDID 1.4 base block of a digital display
/// ("DEL", product A07Bh, serial 0, week 12 of 2020, 1920 x 1080 preferred timing in slot 0, a
/// range limits descriptor in slot 1, a product name in slot 2 and a dummy descriptor in
/// slot 3) with no extension blocks. bytes() fixes every checksum unless told otherwise.
class EdidBuilder {
  public:
    using Descriptor = std::array<std::uint8_t, 18>;

    EdidBuilder();

    /// Writes bytes into the base block from `offset` on.
    EdidBuilder& set(std::size_t offset, std::initializer_list<std::uint8_t> bytes);
    EdidBuilder& serialNumber(std::uint32_t serial);
    EdidBuilder& version(std::uint8_t version, std::uint8_t revision);
    EdidBuilder& videoInput(std::uint8_t b14);
    EdidBuilder& gamma(std::uint8_t b17);
    EdidBuilder& features(std::uint8_t b18);
    /// Bytes 19h-22h.
    EdidBuilder& chromaticity(const std::array<std::uint8_t, 10>& bytes);
    /// Standard timing entry 0..7 (bytes 26h + 2 * index).
    EdidBuilder& standardTiming(unsigned index, std::uint8_t b0, std::uint8_t b1);

    /// The raw 18 bytes of descriptor slot 0..3.
    EdidBuilder& descriptor(unsigned slot, const Descriptor& bytes);
    /// A display descriptor: 00 00 00 tag byte4 then 13 payload bytes (shorter payloads are
    /// padded with 00h).
    EdidBuilder& displayDescriptor(unsigned slot, std::uint8_t tag,
                                   std::initializer_list<std::uint8_t> payload,
                                   std::uint8_t byte4 = 0);
    EdidBuilder& displayDescriptor(unsigned slot, std::uint8_t tag,
                                   const std::vector<std::uint8_t>& payload,
                                   std::uint8_t byte4 = 0);
    /// A string descriptor (FFh, FEh, FCh): the text, then 0Ah and 20h fill when shorter than
    /// 13 characters.
    EdidBuilder& stringDescriptor(unsigned slot, std::uint8_t tag, const std::string& text);
    /// A detailed timing descriptor from its fields (pixel clock in units of 10 kHz).
    EdidBuilder& detailedTiming(unsigned slot, std::uint16_t clock10kHz, std::uint16_t hActive,
                                std::uint16_t hBlank, std::uint16_t vActive, std::uint16_t vBlank,
                                std::uint8_t flags = 0x1E);
    /// A dummy descriptor (tag 10h).
    EdidBuilder& dummyDescriptor(unsigned slot);

    /// Appends an extension block with that tag (byte 0) and updates byte 7Eh.
    EdidBuilder& extensionBlock(std::uint8_t tag);
    /// Writes bytes into extension block `block` (1 = the first) from `offset` on.
    EdidBuilder& extensionBytes(unsigned block, std::size_t offset,
                                const std::vector<std::uint8_t>& bytes);
    /// Overrides the extension count at 7Eh (applied after extensionBlock updates).
    EdidBuilder& extensionCount(std::uint8_t count);
    /// Makes block `block` (0 = base) sum to `sum` instead of 0.
    EdidBuilder& checksumOff(unsigned block, std::uint8_t sum);

    std::vector<std::uint8_t> bytes() const;

  private:
    std::array<std::uint8_t, 128> base_{};
    std::vector<std::array<std::uint8_t, 128>> extensions_;
    int countOverride_ = -1;
    std::vector<std::pair<unsigned, std::uint8_t>> wrongSums_;
};

}  // namespace edidtest
