#include "verifiers/cta/CTAVendorBlocksVerifier.h"

namespace libEDID {

void CTAVendorBlocksVerifier::verify() {
    detail::ItemList items(kCTAItemIndent);
    for (const CTAVendorBlock& vendor : collection.vendorBlocks) {
        items.add(qor::SprintfFormat("OUI %02X-%02X-%02X, %u bytes", vendor.oui >> 16 & 0xFFu,
                                     vendor.oui >> 8 & 0xFFu, vendor.oui & 0xFFu, vendor.length));
    }
    if (!collection.vendorBlocks.empty()) {
        reportList("CTAVendorBlocks", items);
    }
    if (collection.vrrRange) {
        reportProperty("VRRRange", qor::SprintfFormat("%u-%u Hz", collection.vrrRange->minimum,
                                                      collection.vrrRange->maximum));
    }
}

}  // namespace libEDID
