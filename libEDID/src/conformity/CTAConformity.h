#pragma once

#include "conformity/ConformityCheck.h"

namespace libEDID::conformity {

/// Rules of CTA-861-H and HDMI over each decoded CTA-861 extension block: what a block should
/// carry, what may appear once only, and how the header flags agree with the data blocks.
class CTAConformity : public ConformityCheck {
  public:
    using ConformityCheck::ConformityCheck;
    void verify() override;

  private:
    void checkQuantization(const CTABlock& block);
    void checkHeaderFlags(const CTABlock& block);
    void checkColorimetry(const CTABlock& block);
    void checkHDMI(const CTABlock& block);
    void checkYCbCr420Map(const CTABlock& block);
    void checkNativeFormats();
    void logCTA(const char* key, Level level, const CTABlock& block, Variables variables = {});
};

}  // namespace libEDID::conformity
