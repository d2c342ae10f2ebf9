#pragma once

#include "conformity/ConformityCheck.h"
#include "decode/base/BaseBlockDecoder.h"

namespace libEDID::conformity {

/// Rules of E-EDID 1.3/1.4 across the sections of the base block: the sRGB colour space
/// against the chromaticity codes, the detailed timings' image size against the screen size,
/// the digital interface code, and every timing with a pixel clock against the range limits.
class BaseBlockConformity : public ConformityCheck {
  public:
    BaseBlockConformity(EDIDParser* owner, const decode::BaseBlock& base)
        : ConformityCheck(owner), base_(base) {}
    void verify() override;

  private:
    void checkSRGB();
    void checkImageSizes();
    /// One detailed timing of the base block (block 0) or of CTA-861 block `block`.
    void checkImageSize(const decode::DetailedTiming& timing, unsigned block, unsigned number);
    void checkInterface();
    void checkRangeLimits();

    const decode::BaseBlock& base_;
};

}  // namespace libEDID::conformity
