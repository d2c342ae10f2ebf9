#include "verifiers/displayid/DisplayIDBlockVerifier.h"

#include <algorithm>

#include "verifiers/cta/CTADataBlockCollectionVerifier.h"
#include "verifiers/displayid/DisplayIDDataBlockVerifiers.h"
#include "verifiers/displayid/DisplayIDText.h"

namespace libEDID {

namespace {

constexpr auto kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;
constexpr auto kError = LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR;
// Pixel clock units of the detailed timing types.
constexpr unsigned kTypeIClockKHz = 10;
constexpr unsigned kTypeVIIClockKHz = 1;

}  // namespace

void DisplayIDBlockVerifier::verify() {
    const displayid::SectionHeader header = displayid::decodeSectionHeader(block());
    DisplayIDSection section;
    section.blockNumber = blockNumber;
    section.version = header.version;
    section.revision = header.revision;
    section.payloadLength = header.payloadLength;
    section.productType = header.productType;
    section.extensionCount = header.extensionCount;
    reportHeader(header);
    if (!header.payloadFits) {
        logBlockFinding("DisplayIDPayloadBeyondBlock", kError,
                        {{"length", detail::unsignedText(header.payloadLength)},
                         {"max", detail::unsignedText(displayid::kMaxPayloadLength)}});
    }
    const displayid::DataBlockWalk walk = displayid::walkDataBlocks(block(), header.payloadEnd);
    detail::ModeList blockList;
    for (const DisplayIDDataBlock& data : walk.blocks) {
        section.dataBlocks.push_back(data);
        blockList.add(displayid::dataBlockText(data));
        verifyDataBlock(section, header, data);
    }
    if (walk.nonZeroFiller) {
        logBlockFinding("DisplayIDNonZeroFiller", kWarning,
                        {{"offset", detail::hexByte(*walk.nonZeroFiller)},
                         {"value", detail::hexByte(block()[*walk.nonZeroFiller])}});
    }
    if (walk.overrun) {
        logDataBlockFinding("DisplayIDDataBlockOverrun", kError, *walk.overrun,
                            {{"end", detail::hexByte(header.payloadEnd)}});
    }
    notifyIndexed("DisplayIDDataBlocks", blockList.values());
    detail::ModeList timingList;
    for (const DisplayIDTiming& timing : section.timings) {
        timingList.add(displayid::timingText(timing));
    }
    if (!timingList.isEmpty()) {
        notifyIndexed("DisplayIDTimings", timingList.values());
    }
    reportChecksum(header, section);
    checkIdentified(header, section);
    addDisplayIDSection(std::move(section));
}

void DisplayIDBlockVerifier::reportHeader(const displayid::SectionHeader& header) {
    const qor::String version = displayid::versionText(header);
    logMesgAndAppend(info("DisplayIDSection", {{"block", blockText}}));
    reportValue("DisplayIDVersion", version);
    notifyIndexed("DisplayIDVersion", qor::QORValue(version));
    reportValue("DisplayIDPayloadLength", detail::unsignedText(header.payloadLength));
    if (!header.knownVersion) {
        logBlockFinding("DisplayIDUnknownVersion", kWarning, {{"version", version}});
    }
    const qor::String productType =
        detail::localized(displayid::productTypeKey(header.family, header.productType));
    reportValue(
        header.family == displayid::Family::V2 ? "DisplayIDUseCase" : "DisplayIDProductType",
        productType);
    notifyIndexed("DisplayIDProductType", qor::QORValue(productType));
    reportValue("DisplayIDExtensionCount", detail::unsignedText(header.extensionCount));
}

void DisplayIDBlockVerifier::verifyDataBlock(DisplayIDSection& section,
                                             const displayid::SectionHeader& header,
                                             const DisplayIDDataBlock& data) {
    const displayid::TagInfo* info = displayid::findTag(data.tag, header.family);
    reportValue("DisplayIDDataBlock",
                displayid::dataBlockText(data) + " (" +
                    detail::localized(info != nullptr ? info->nameKey : "DisplayIDTagReserved") +
                    ")");
    if (info == nullptr) {
        logDataBlockFinding("DisplayIDReservedTag", kWarning, data);
        return;
    }
    // The payload follows the block's tag, revision and length bytes.
    const unsigned payloadOffset = data.offset + 3;
    const std::span<const unsigned char> payload =
        std::span<const unsigned char>(block()).subspan(payloadOffset, data.length);
    const DisplayIDDataBlockContext context{section, header, data, *info, payload};
    switch (info->kind) {
        case displayid::Kind::TimingTypeI:
            DisplayIDTimingVerifier(getParser(), context, kTypeIClockKHz).verify();
            break;
        case displayid::Kind::TimingTypeVII:
            DisplayIDTimingVerifier(getParser(), context, kTypeVIIClockKHz).verify();
            break;
        case displayid::Kind::Product:
            DisplayIDProductVerifier(getParser(), context).verify();
            break;
        case displayid::Kind::DisplayParameters:
            DisplayIDParametersVerifier(getParser(), context).verify();
            break;
        case displayid::Kind::TiledTopology:
            DisplayIDTiledTopologyVerifier(getParser(), context).verify();
            break;
        case displayid::Kind::CTAData: {
            // A CTA-861 data block collection, reported with this block's number.
            CTADataBlockCollectionVerifier cta(getParser(), payload, blockNumber, payloadOffset);
            cta.verify();
            section.ctaData.push_back(cta.collection());
            break;
        }
        case displayid::Kind::TimingTypeII:
        case displayid::Kind::TimingTypeVI:
        case displayid::Kind::FormulaTimings:
        case displayid::Kind::TimingCodes:
            DisplayIDTimingKindsVerifier(getParser(), context).verify();
            break;
        case displayid::Kind::RangeLimits:
        case displayid::Kind::DeviceData:
        case displayid::Kind::PowerSequencing:
        case displayid::Kind::TransferCharacteristics:
        case displayid::Kind::StereoInterface:
            DisplayIDDeviceBlockVerifier(getParser(), context).verify();
            break;
        case displayid::Kind::Other:
            // Kinds not decoded yet keep this count-able report of tag and length.
            logMesgAndAppend(EDIDVerifier::info("DisplayIDDataBlockNotDecoded",
                                                {{"block", blockText},
                                                 {"tag", detail::hexByte(data.tag)},
                                                 {"length", detail::unsignedText(data.length)}}));
            break;
        default:
            DisplayIDFurtherBlockVerifier(getParser(), context).verify();
            break;
    }
}

void DisplayIDBlockVerifier::reportChecksum(const displayid::SectionHeader& header,
                                            DisplayIDSection& section) {
    if (!header.payloadFits) {
        return;
    }
    // The checksum byte follows the payload.
    const qor::String checksum = detail::hexByte(block()[header.payloadEnd]);
    reportValue("DisplayIDChecksum", checksum);
    section.checksumValid = displayid::sectionChecksumValid(block(), header);
    if (!section.checksumValid) {
        logBlockFinding("DisplayIDChecksumWrong", kError, {{"checksum", checksum}});
    }
}

void DisplayIDBlockVerifier::checkIdentified(const displayid::SectionHeader& header,
                                             const DisplayIDSection& section) {
    const bool preferred = std::any_of(section.timings.begin(), section.timings.end(),
                                       [](const DisplayIDTiming& t) { return t.preferred; });
    if (header.family == displayid::Family::V1 && !section.product && !preferred) {
        logBlockFinding("DisplayIDNotIdentified", kWarning);
    }
}

}  // namespace libEDID
