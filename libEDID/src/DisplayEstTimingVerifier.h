#pragma once

#include "DescriptorSupport.h"
#include "EDIDVerifier.h"

namespace libEDID {

/// The established timings III descriptor (F7h): a bit map of 44 further display modes in
/// descriptor bytes 06h-0Bh. The dispatch checks its version byte (05h).
class DisplayEstTimingVerifier : public EDIDVerifier {
  public:
    /// Keeps a copy of descriptor bytes 05h to 11h.
    DisplayEstTimingVerifier(EDIDParser* parser, const detail::DescriptorPayload& payload)
        : EDIDVerifier(parser), payload(payload) {}

    void verify() override;

  private:
    detail::DescriptorPayload payload;
};

}  // namespace libEDID
