#include "verifiers/cta/CTAVendorBlocksVerifier.h"

namespace libEDID {

void CTAVendorBlocksVerifier::verify() {
    detail::ItemList items(kCTAItemIndent);
    for (const CTAVendorBlock& vendor : collection.vendorBlocks) {
        items.add(detail::filledText("CTAVendorBlock",
                                     {{"oui", detail::ouiText(vendor.oui)},
                                      {"length", detail::unsignedText(vendor.length)}}));
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
