#pragma once

#include "verifiers/descriptors/DescriptorPayloadVerifier.h"

namespace libEDID {

/// The CVT 3-byte timing code descriptor (F8h): four 3-byte codes at descriptor offsets 06h,
/// 09h, 0Ch and 0Fh. The dispatch checks its version byte (05h).
class DisplayCVTVerifier : public DescriptorPayloadVerifier {
  public:
    using DescriptorPayloadVerifier::DescriptorPayloadVerifier;

    void verify() override;

  private:
    /// Judges and reports code 0 to 3; an all-zero code after the first is unused.
    void verifyCode(unsigned code);
    /// "InvalidValueAtOffset" for a reserved field of a code.
    void reportReserved(const qor::String& offset, const qor::String& expected,
                        const qor::String& value);
};

}  // namespace libEDID
