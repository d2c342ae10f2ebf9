#include "verifiers/cta/CTAVideoCapabilityVerifier.h"

#include <array>

namespace libEDID {

namespace {

// Scan behaviour codes 0-3; code 0 of the preferred format means "no data".
constexpr std::array<const char*, 4> kScan{"CTAScanNotSupported", "CTAScanOverscanned",
                                           "CTAScanUnderscanned", "CTAScanBoth"};

qor::String entry(const char* labelKey, const qor::String& value) {
    return detail::localized(labelKey) + ": " + value;
}

}  // namespace

void CTAVideoCapabilityVerifier::verify() {
    if (!collection.videoCapability) {
        return;
    }
    const CTAVideoCapability& caps = *collection.videoCapability;
    detail::ItemList items(kCTAItemIndent);
    items.add(entry("CTAQuantizationYCC", detail::yesNo(caps.quantizationYCC)));
    items.add(entry("CTAQuantizationRGB", detail::yesNo(caps.quantizationRGB)));
    items.add(entry(
        "CTAScanPreferred",
        detail::localized(caps.preferredScan == 0 ? "CTAScanNoData" : kScan[caps.preferredScan])));
    items.add(entry("CTAScanIT", detail::localized(kScan[caps.itScan])));
    items.add(entry("CTAScanCE", detail::localized(kScan[caps.ceScan])));
    reportList("CTAVideoCapability", items);
}

}  // namespace libEDID
