#pragma once

#include "verifiers/descriptors/DescriptorPayloadVerifier.h"

namespace libEDID {

/// The established timings III descriptor (F7h): a bit map of 44 further display modes in
/// descriptor bytes 06h-0Bh. The dispatch checks its version byte (05h).
class DisplayEstTimingVerifier : public DescriptorPayloadVerifier {
  public:
    using DescriptorPayloadVerifier::DescriptorPayloadVerifier;

    void verify() override;
};

}  // namespace libEDID
