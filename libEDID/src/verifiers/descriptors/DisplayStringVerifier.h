#pragma once

#include "verifiers/descriptors/DescriptorPayloadVerifier.h"

namespace libEDID {

/// The text descriptors: display product serial number (FFh), alphanumeric data string (FEh)
/// and display product name (FCh). The 13-byte text field holds up to 13 characters; a shorter
/// text ends with 0Ah and the rest of the field is filled with 20h.
class DisplayStringVerifier : public DescriptorPayloadVerifier {
  public:
    DisplayStringVerifier(EDIDParser* owner, unsigned descriptorTag,
                          const detail::DescriptorPayload& text)
        : DescriptorPayloadVerifier(owner, text), tag(descriptorTag) {}

    /// Extracts the text, reports bad fill and bad characters once each, reports the text and
    /// hands the product name or serial number to the parser.
    void verify() override;

  private:
    /// The text of the field: the characters before the terminator, fill bytes excluded.
    qor::String extractText(const qor::String& typeLabel);
    void reportFault(const char* key, const qor::String& typeLabel);

    unsigned tag;
};

}  // namespace libEDID
