#pragma once

#include "DescriptorSupport.h"
#include "EDIDVerifier.h"

namespace libEDID {

/// The standard timing identifier descriptor (FAh): six more 2-byte standard timings (payload
/// positions 00h, 02h, ... 0Ah), decoded as those of the base block.
class DisplayTimingIDVerifier : public EDIDVerifier {
  public:
    /// Keeps a copy of descriptor bytes 05h to 11h.
    DisplayTimingIDVerifier(EDIDParser* parser, const detail::DescriptorPayload& payload)
        : EDIDVerifier(parser), payload(payload) {}

    void verify() override;

  private:
    detail::DescriptorPayload payload;
};

}  // namespace libEDID
