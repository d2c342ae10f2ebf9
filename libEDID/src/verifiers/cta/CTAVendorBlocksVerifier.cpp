#include "verifiers/cta/CTAVendorBlocksVerifier.h"

namespace libEDID {

void CTAVendorBlocksVerifier::verify() {
    detail::ItemList items(kCTAItemIndent);
    for (const CTAVendorBlock& vendor : collection.vendorBlocks) {
        // Written most significant byte first.
        const qor::String oui = detail::hexText(vendor.oui >> 16 & 0xFFu, 2, "-") +
                                detail::hexText(vendor.oui >> 8 & 0xFFu, 2, "-") +
                                detail::hexText(vendor.oui & 0xFFu, 2);
        items.add(detail::filledText(
            "CTAVendorBlock", {{"oui", oui}, {"length", detail::unsignedText(vendor.length)}}));
    }
    if (!collection.vendorBlocks.empty()) {
        reportList("CTAVendorBlocks", items);
    }
    if (collection.vrrRange) {
        reportProperty("VRRRange", detail::unsignedText(collection.vrrRange->minimum) + "-" +
                                       detail::unsignedText(collection.vrrRange->maximum) + " Hz");
    }
}

}  // namespace libEDID
