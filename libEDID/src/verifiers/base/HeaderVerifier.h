#pragma once

#include "report/EDIDVerifier.h"

namespace libEDID {

/// The fixed 8-byte pattern 00h FFh FFh FFh FFh FFh FFh 00h that opens every EDID base block.
class HeaderVerifier : public EDIDVerifier {
  public:
    using EDIDVerifier::EDIDVerifier;

    void verify() override;
};

}  // namespace libEDID
