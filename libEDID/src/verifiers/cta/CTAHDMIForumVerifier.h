#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// The HDMI Forum vendor-specific data block (OUI C4-5D-D8) and the HF-SCDB (extended tag
/// 121), which carries the same fields: version, maximum TMDS character rate, SCDC, FRL, 4:2:0
/// deep colour, features (ALLM, FVA, QMS, VRR kinds) and DSC.
class CTAHDMIForumVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;

  private:
    void verifyBlock(const CTAHDMIForumBlock& forum);
    void verifyDSC(const CTAHDMIForumBlock& forum);
    void checkReserved(const char* field, unsigned code, bool known);
};

}  // namespace libEDID
