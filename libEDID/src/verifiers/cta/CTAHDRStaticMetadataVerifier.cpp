#include "verifiers/cta/CTAHDRStaticMetadataVerifier.h"

#include <array>
#include <string_view>

namespace libEDID {

void CTAHDRStaticMetadataVerifier::verify() {
    // Extended tag, transfer functions and metadata types: 3 payload bytes at least.
    checkMinimumLength(CTADataBlockKind::HDRStaticMetadata, 3, "CTABlockHDRStaticMetadata");
    if (!collection.hdrStaticMetadata) {
        return;
    }
    const CTAHDRStaticMetadata& hdr = *collection.hdrStaticMetadata;
    // Bits 0-3: traditional gamma in the SDR and the HDR luminance range, then the two named
    // by their standards.
    const std::array<std::string_view, 4> transferFunctions{
        detail::localized("HDRTransferSDR").str(), detail::localized("HDRTransferHDR").str(),
        "SMPTE ST 2084", "HLG"};
    reportBits("HDRTransferFunctions", hdr.transferFunctions, transferFunctions);
    const auto luminance = [](double value, int decimals) {
        return detail::filledText("Luminance", {{"value", detail::fixedText(value, decimals)}});
    };
    if (hdr.maxLuminance) {
        reportProperty("HDRMaxLuminance", luminance(*hdr.maxLuminance, 2));
    }
    if (hdr.maxFrameAverageLuminance) {
        reportProperty("HDRMaxFrameAverageLuminance", luminance(*hdr.maxFrameAverageLuminance, 2));
    }
    if (hdr.minLuminance) {
        reportProperty("HDRMinLuminance", luminance(*hdr.minLuminance, 4));
    }
}

}  // namespace libEDID
