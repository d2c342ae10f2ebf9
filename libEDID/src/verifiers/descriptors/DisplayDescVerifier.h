#pragma once

#include <span>

#include "verifiers/descriptors/DescriptorPayloadVerifier.h"

namespace libEDID {

/// One 18-byte display descriptor of the base block (a slot at 48h, 5Ah or 6Ch whose pixel
/// clock is zero): hands its payload to the verifier of its tag (byte 3), reports the tags
/// without one as raw bytes, then checks the reserved byte 4 and the version byte 5 of the
/// versioned descriptors.
class DisplayDescVerifier : public EDIDVerifier {
  public:
    /// Keeps a copy of the slot's 18 bytes.
    DisplayDescVerifier(EDIDParser* parser,
                        std::span<const unsigned char, layout::kDescriptorSize> slot);

    void verify() override;

    /// The label naming a descriptor type in messages: "<type> <descriptor word>" for the known
    /// tags, "<class> (<tag>h) <descriptor word>" for the manufacturer (00h-0Fh) and reserved
    /// (11h-F6h) tags.
    static qor::String getDescriptorTypeName(unsigned tag);

    /// Reports a descriptor that no verifier decodes (dummy, manufacturer, reserved) as its 18
    /// bytes in hex.
    void reportRawDescriptor();

  private:
    /// Warns when byte 4, reserved outside the range limits descriptor, is not 00h.
    void checkReservedByte();
    /// Warns when the version byte 5 is none of `expected`.
    void checkVersion(const qor::Array<unsigned char>& expected);

    detail::DisplayDescriptorBytes descriptor;
};

}  // namespace libEDID
