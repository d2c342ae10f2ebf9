#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// The extended-tag data blocks of CTA-861-G and later and of HDMI 2.x besides the HDMI Forum
/// ones: vendor-specific video and audio (Dolby Vision, HDR10+ and any OUI, named from the
/// registry), video format preference, native video resolution, InfoFrame, room configuration,
/// speaker location, HDMI audio, HDR dynamic metadata, DisplayID timings and the HF-EEODB.
class CTAExtendedBlocksVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;

  private:
    void checkLengths();
    void verifyVendorBlocks();
    void verifyDolbyVision(const CTADolbyVision& vision);
    void verifyFormatPreferences();
    void verifyNativeResolution();
    void verifyInfoFrames();
    void verifyAudioLayout();
    void verifyHDRDynamic();
    void verifyDisplayIDTimings();
    void verifyEEODB();
};

}  // namespace libEDID
