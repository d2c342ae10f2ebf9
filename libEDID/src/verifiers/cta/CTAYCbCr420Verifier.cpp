#include "verifiers/cta/CTAYCbCr420Verifier.h"

namespace libEDID {

void CTAYCbCr420Verifier::verify() {
    if (has(CTADataBlockKind::YCbCr420Video)) {
        reportFormats("CTAYCbCr420OnlyFormats", collection.ycbcr420OnlyFormats, true);
    }
    if (!collection.ycbcr420CapabilityMap) {
        return;
    }
    // Bit i of map byte j stands for video format 8j + i; an empty map for all of them.
    const std::vector<std::uint8_t>& map = *collection.ycbcr420CapabilityMap;
    const std::vector<CTAShortVideoDescriptor>& formats = collection.videoFormats;
    std::vector<CTAShortVideoDescriptor> capable;
    bool warned = false;
    for (std::size_t index = 0; index < (map.empty() ? formats.size() : map.size() * 8); ++index) {
        if (!map.empty() && (map[index / 8] >> (index % 8) & 1u) == 0) {
            continue;
        }
        if (index < formats.size()) {
            capable.push_back(formats[index]);
        } else if (!warned) {
            logCTAFinding("CTAYCbCr420MapBeyondFormats", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
                          {{"index", detail::unsignedText(static_cast<unsigned>(index + 1))},
                           {"count", detail::unsignedText(static_cast<unsigned>(formats.size()))}});
            warned = true;
        }
    }
    reportFormats("CTAYCbCr420CapableFormats", capable, false);
}

}  // namespace libEDID
