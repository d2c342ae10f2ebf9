#pragma once

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// The VESA data blocks inside CTA-861: the display device data block (extended tag 2), every
/// field as a value line and property, and the video timing block extension (extended tag 3),
/// its counts and modes, and the display transfer characteristic data blocks (tag 5), their
/// points.
class CTAVESABlocksVerifier : public CTADataBlockVerifier {
  public:
    using CTADataBlockVerifier::CTADataBlockVerifier;

    void verify() override;

  private:
    void checkDisplayDeviceLength();
    void verifyInterface(const CTAVESADisplayDevice& device);
    void verifyGeometry(const CTAVESADisplayDevice& device);
    void verifyCapabilities(const CTAVESADisplayDevice& device);
    void verifyColor(const CTAVESADisplayDevice& device);
    void verifyVideoTimingBlock(const VESAVideoTimingBlock& vtb);
    void verifyTransferCharacteristics();
    static qor::String transferText(const CTAVESATransferCharacteristic& transfer);
    void checkTransfer(const CTAVESATransferCharacteristic& transfer, unsigned offset);
    /// The label of `code` in `keys`, or the reserved label with the code (and a finding).
    qor::String codeName(std::span<const char* const> keys, unsigned code, const char* field);
};

}  // namespace libEDID
