#include "verifiers/cta/CTAHDMIVerifier.h"

#include <array>
#include <string_view>

namespace libEDID {

void CTAHDMIVerifier::verify() {
    // OUI and physical address: 5 payload bytes at least.
    checkMinimumLength(CTADataBlockKind::HDMI, 5, "CTABlockHDMI");
    if (!collection.hdmi) {
        return;
    }
    const CTAHDMIBlock& hdmi = *collection.hdmi;
    const unsigned address = hdmi.physicalAddress;
    reportProperty("HDMIPhysicalAddress",
                   qor::SprintfFormat("%u.%u.%u.%u", address >> 12, address >> 8 & 0xFu,
                                      address >> 4 & 0xFu, address & 0xFu));
    if (hdmi.flags) {
        // Deep colour bits 6-3 of the flags byte, reported from bit 6 down.
        static constexpr std::array<std::string_view, 4> kDeepColor{"DC_48bit", "DC_36bit",
                                                                    "DC_30bit", "DC_Y444"};
        detail::ItemList items(kCTAItemIndent);
        for (unsigned i = 0; i < kDeepColor.size(); ++i) {
            if ((*hdmi.flags >> (6 - i) & 1u) != 0) {
                items.add(kDeepColor[i]);
            }
        }
        reportList("HDMIDeepColor", items);
    }
    if (hdmi.maxTMDSClock != 0) {
        reportProperty("HDMIMaxTMDSClock", detail::unsignedText(hdmi.maxTMDSClock) + " MHz");
    }
}

}  // namespace libEDID
