#pragma once

#include "parser/EDIDVerifier.h"
#include "verifiers/descriptors/DescriptorSupport.h"

namespace libEDID {

/// Base of the display-descriptor verifiers that judge the 13-byte payload of their descriptor
/// (descriptor bytes 05h to 11h), of which they keep their own copy.
class DescriptorPayloadVerifier : public EDIDVerifier {
  public:
    DescriptorPayloadVerifier(EDIDParser* parser, const detail::DescriptorPayload& payload)
        : EDIDVerifier(parser), payload(payload) {}

  protected:
    detail::DescriptorPayload payload;
};

}  // namespace libEDID
