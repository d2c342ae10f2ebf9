#pragma once

#include "verifiers/descriptors/DescriptorPayloadVerifier.h"

namespace libEDID {

/// The display color management data descriptor (F9h): the six 16-bit polynomial coefficients
/// of the red, green and blue tonal response. The dispatch checks its version byte (05h).
class DisplayDCMVerifier : public DescriptorPayloadVerifier {
  public:
    using DescriptorPayloadVerifier::DescriptorPayloadVerifier;

    void verify() override;
};

}  // namespace libEDID
