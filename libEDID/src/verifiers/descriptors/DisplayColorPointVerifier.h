#pragma once

#include "verifiers/descriptors/DescriptorPayloadVerifier.h"

namespace libEDID {

/// The color point descriptor (FBh): one or two additional white points (descriptor bytes
/// 05h-09h and 0Ah-0Eh), each an index number, x and y chromaticity and a gamma, followed by
/// a line feed (0Fh) and two spaces (10h, 11h).
class DisplayColorPointVerifier : public DescriptorPayloadVerifier {
  public:
    using DescriptorPayloadVerifier::DescriptorPayloadVerifier;

    void verify() override;

  private:
    /// The report lines of the white point whose bytes start at payload position `first`,
    /// notifying its properties with the suffix `number`.
    qor::String reportPoint(unsigned first, unsigned number);
    /// "InvalidValueInField" for a field of this descriptor.
    void reportField(const qor::String& field, const qor::String& value);
};

}  // namespace libEDID
