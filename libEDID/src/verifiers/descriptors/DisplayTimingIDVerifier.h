#pragma once

#include "verifiers/descriptors/DescriptorPayloadVerifier.h"

namespace libEDID {

/// The standard timing identifier descriptor (FAh): six more 2-byte standard timings (payload
/// positions 00h, 02h, ... 0Ah), decoded as those of the base block.
class DisplayTimingIDVerifier : public DescriptorPayloadVerifier {
  public:
    using DescriptorPayloadVerifier::DescriptorPayloadVerifier;

    void verify() override;
};

}  // namespace libEDID
