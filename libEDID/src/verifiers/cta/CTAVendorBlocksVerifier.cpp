#include "verifiers/cta/CTAVendorBlocksVerifier.h"

namespace libEDID {

void CTAVendorBlocksVerifier::verify() {
    detail::ItemList items(kCTAItemIndent);
    for (const CTAVendorBlock& vendor : collection.vendorBlocks) {
        // Written most significant byte first.
        items.add("OUI " + detail::hexText(vendor.oui >> 16 & 0xFFu, 2, "-") +
                  detail::hexText(vendor.oui >> 8 & 0xFFu, 2, "-") +
                  detail::hexText(vendor.oui & 0xFFu, 2) + ", " +
                  detail::unsignedText(vendor.length) + " bytes");
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
