#pragma once

#include "DescriptorSupport.h"
#include "EDIDVerifier.h"

namespace libEDID {

/// The display color management data descriptor (F9h): the six 16-bit polynomial coefficients
/// of the red, green and blue tonal response. The dispatch checks its version byte (05h).
class DisplayDCMVerifier : public EDIDVerifier {
  public:
    /// Keeps a copy of descriptor bytes 05h to 11h.
    DisplayDCMVerifier(EDIDParser* parser, const detail::DescriptorPayload& payload)
        : EDIDVerifier(parser), payload(payload) {}

    void verify() override;

  private:
    detail::DescriptorPayload payload;
};

}  // namespace libEDID
