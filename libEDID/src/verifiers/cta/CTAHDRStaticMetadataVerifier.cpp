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
    static constexpr std::array<std::string_view, 4> kTransferFunctions{"SDR gamma", "HDR gamma",
                                                                        "SMPTE ST 2084", "HLG"};
    reportBits("HDRTransferFunctions", hdr.transferFunctions, kTransferFunctions);
    if (hdr.maxLuminance) {
        reportProperty("HDRMaxLuminance", qor::SprintfFormat("%.2f cd/m2", *hdr.maxLuminance));
    }
    if (hdr.maxFrameAverageLuminance) {
        reportProperty("HDRMaxFrameAverageLuminance",
                       qor::SprintfFormat("%.2f cd/m2", *hdr.maxFrameAverageLuminance));
    }
    if (hdr.minLuminance) {
        reportProperty("HDRMinLuminance", qor::SprintfFormat("%.4f cd/m2", *hdr.minLuminance));
    }
}

}  // namespace libEDID
