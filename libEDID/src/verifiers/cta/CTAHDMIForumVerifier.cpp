#include "verifiers/cta/CTAHDMIForumVerifier.h"

#include <array>

namespace libEDID {

namespace {

// Max_FRL_Rate codes 1-6: the highest link rate per lane and the number of lanes.
struct FRLRate {
    unsigned gbitPerLane;
    unsigned lanes;
};
constexpr std::array<FRLRate, 6> kFRLRates{{{3, 3}, {6, 3}, {6, 4}, {8, 4}, {10, 4}, {12, 4}}};

qor::String frlText(unsigned code) {
    if (code == 0) {
        return detail::localized("None");
    }
    if (code > kFRLRates.size()) {
        return detail::localized("UnknownReserved");
    }
    const FRLRate& rate = kFRLRates[code - 1];
    return detail::filledText("HDMIForumFRLRate", {{"rate", detail::unsignedText(rate.gbitPerLane)},
                                                   {"lanes", detail::unsignedText(rate.lanes)}});
}

}  // namespace

void CTAHDMIForumVerifier::verify() {
    if (!collection.hdmiForum) {
        return;
    }
    const CTAHDMIForumBlock& forum = *collection.hdmiForum;
    reportProperty("HDMIForumVersion", detail::unsignedText(forum.version));
    if (forum.maxTMDSRate != 0) {
        reportProperty("HDMIForumMaxTMDSRate", detail::unsignedText(forum.maxTMDSRate) + " MHz");
    }
    reportProperty("HDMIForumSCDC", detail::yesNo(forum.scdc));
    if (forum.maxFRL) {
        reportProperty("HDMIForumMaxFRL", frlText(*forum.maxFRL));
    }
}

}  // namespace libEDID
