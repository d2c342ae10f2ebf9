#include "verifiers/cta/CTAHDMIForumVerifier.h"

#include <array>
#include <string_view>

#include "decode/cta/CTATables.h"

namespace libEDID {

namespace {

constexpr auto kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;

// The capability bits the block reports as one list, bit 0 first: byte 6, byte 7 bits 3-0,
// byte 8, byte 11 (DSC).
constexpr std::array<std::string_view, 8> kFlags{
    "3D_OSD_Disparity", "3D_Dual_View", "3D_Independent_View", "LTE_340Mcsc_scramble",
    "CCBPCI",           "CABLE_STATUS", "RR_Capable",          "SCDC_Present"};
constexpr std::array<std::string_view, 4> kDeepColor420{"DC_30bit_420", "DC_36bit_420",
                                                        "DC_48bit_420", "UHD_VIC"};
constexpr std::array<std::string_view, 8> kFeatures{
    "FAPA_start_location", "ALLM",    "FVA", "CNMVRR",
    "CinemaVRR",           "M_delta", "QMS", "FAPA_End_Extended"};
constexpr std::array<std::string_view, 8> kDSCFlags{"DSC_10bpc",      "DSC_12bpc",  "DSC_16bpc",
                                                    "DSC_All_bpp",    "QMS_TFRmin", "QMS_TFRmax",
                                                    "DSC_Native_420", "DSC_1p2"};

// The TMDS character rate the HDMI Forum block may name: above 340 MHz, up to 600 MHz.
constexpr unsigned kMinForumTMDS = 345;
constexpr unsigned kMaxForumTMDS = 600;

qor::String frlText(unsigned code) {
    if (code == 0) {
        return detail::localized("None");
    }
    const cta::FRLRate* rate = cta::frlRate(code);
    if (rate == nullptr) {
        return detail::localized("UnknownReserved");
    }
    return detail::filledText("HDMIForumFRLRate",
                              {{"rate", detail::unsignedText(rate->gbitPerLane)},
                               {"lanes", detail::unsignedText(rate->lanes)}});
}

qor::String slicesText(unsigned code) {
    if (code == 0) {
        return detail::localized("None");
    }
    const cta::DSCSlices* slices = cta::dscSlices(code);
    if (slices == nullptr) {
        return detail::localized("UnknownReserved");
    }
    return detail::filledText("HDMIForumDSCSlices",
                              {{"slices", detail::unsignedText(slices->slices)},
                               {"rate", detail::unsignedText(slices->maxPixelRateMHz)}});
}

}  // namespace

void CTAHDMIForumVerifier::verify() {
    if (collection.hdmiForum) {
        verifyBlock(*collection.hdmiForum);
    }
    if (collection.hfSCDB) {
        verifyBlock(*collection.hfSCDB);
        if (collection.hdmiForum) {
            logCTAFinding("CTAHDMIForumTwice", kWarning);
        }
    }
}

void CTAHDMIForumVerifier::verifyBlock(const CTAHDMIForumBlock& forum) {
    if (forum.fromSCDB) {
        reportProperty("HDMIForumSource", "HF-SCDB");
    }
    reportProperty("HDMIForumVersion", detail::unsignedText(forum.version));
    if (forum.version != 1) {
        logCTAFinding("CTAHDMIForumVersion", kWarning,
                      {{"version", detail::unsignedText(forum.version)}});
    }
    if (forum.maxTMDSRate != 0) {
        reportProperty("HDMIForumMaxTMDSRate", detail::unsignedText(forum.maxTMDSRate) + " MHz");
        if (forum.maxTMDSRate < kMinForumTMDS || forum.maxTMDSRate > kMaxForumTMDS) {
            logCTAFinding("CTAHDMIForumTMDSRate", kWarning,
                          {{"rate", detail::unsignedText(forum.maxTMDSRate)}});
        }
    }
    reportProperty("HDMIForumSCDC", detail::yesNo(forum.scdc));
    reportBits("HDMIForumFlags", forum.flags, kFlags);
    if (forum.maxFRL) {
        reportProperty("HDMIForumMaxFRL", frlText(*forum.maxFRL));
        reportBits("HDMIForumDeepColor420", forum.deepColor420, kDeepColor420);
        checkReserved("Max_FRL_Rate", *forum.maxFRL,
                      *forum.maxFRL == 0 || cta::frlRate(*forum.maxFRL) != nullptr);
        // FRL needs SCDC, through which the link is trained.
        if (*forum.maxFRL != 0 && !forum.scdc) {
            logCTAFinding("CTAHDMIForumFRLWithoutSCDC", kWarning);
        }
    }
    if (forum.features) {
        reportBits("HDMIForumFeatures", *forum.features, kFeatures);
    }
    verifyDSC(forum);
}

void CTAHDMIForumVerifier::verifyDSC(const CTAHDMIForumBlock& forum) {
    if (!forum.dscFlags) {
        return;
    }
    reportBits("HDMIForumDSC", *forum.dscFlags, kDSCFlags);
    const bool dsc = (*forum.dscFlags & 0x80) != 0;
    if (forum.dscMaxFRL && forum.dscMaxSlices && (dsc || *forum.dscMaxSlices != 0)) {
        reportProperty("HDMIForumDSCMaxFRL", frlText(*forum.dscMaxFRL));
        reportProperty("HDMIForumDSCMaxSlices", slicesText(*forum.dscMaxSlices));
        checkReserved("DSC_Max_FRL_Rate", *forum.dscMaxFRL,
                      *forum.dscMaxFRL == 0 || cta::frlRate(*forum.dscMaxFRL) != nullptr);
        checkReserved("DSC_MaxSlices", *forum.dscMaxSlices,
                      *forum.dscMaxSlices == 0 || cta::dscSlices(*forum.dscMaxSlices) != nullptr);
        if (dsc && *forum.dscMaxSlices == 0) {
            logCTAFinding("CTAHDMIForumDSCWithoutSlices", kWarning);
        }
    }
    if (forum.dscTotalChunk && dsc) {
        reportProperty("HDMIForumDSCTotalChunkBytes",
                       detail::unsignedText(1024u * (*forum.dscTotalChunk + 1u)));
    }
}

void CTAHDMIForumVerifier::checkReserved(const char* field, unsigned code, bool known) {
    if (!known) {
        logCTAFinding("CTAHDMIForumReservedCode", kWarning,
                      {{"field", field}, {"code", detail::unsignedText(code)}});
    }
}

}  // namespace libEDID
