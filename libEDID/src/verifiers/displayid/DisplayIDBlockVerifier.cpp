#include "verifiers/displayid/DisplayIDBlockVerifier.h"

#include <algorithm>

#include "verifiers/VerifierSupport.h"
#include "verifiers/displayid/DisplayIDDataBlockVerifiers.h"
#include "verifiers/displayid/DisplayIDText.h"

namespace libEDID {

namespace {

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
        LibEDIDLog beyond =
            finding("DisplayIDPayloadBeyondBlock", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR);
        beyond.setVariable("length", detail::unsignedText(header.payloadLength));
        beyond.setVariable("max", detail::unsignedText(displayid::kMaxPayloadLength));
        logMesg(beyond);
    }
    const displayid::DataBlockWalk walk = displayid::walkDataBlocks(block(), header.payloadEnd);
    detail::ModeList blockList;
    for (const DisplayIDDataBlock& data : walk.blocks) {
        section.dataBlocks.push_back(data);
        blockList.add(displayid::dataBlockText(data));
        verifyDataBlock(section, header, data);
    }
    if (walk.overrun) {
        LibEDIDLog overrun = finding("DisplayIDDataBlockOverrun",
                                     LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR, *walk.overrun);
        overrun.setVariable("end", qor::SprintfFormat("%02Xh", header.payloadEnd));
        logMesg(overrun);
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
    LibEDIDLog line("DisplayIDSection", LibEDIDLog::LIBEDID_LOG_LEVEL_INFO,
                    LibEDIDLog::LIBEDID_LOG_CAT_GENERAL);
    line.setVariable("block", detail::unsignedText(blockNumber));
    line.setVariable("version", version);
    line.setVariable("length", detail::unsignedText(header.payloadLength));
    logMesgAndAppend(line);
    notifyIndexed("DisplayIDVersion", qor::QORValue(version));
    if (!header.knownVersion) {
        LibEDIDLog unknown =
            finding("DisplayIDUnknownVersion", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING);
        unknown.setVariable("version", version);
        logMesg(unknown);
    }
    const qor::String productType =
        detail::localized(displayid::productTypeKey(header.family, header.productType));
    reportLine("  ",
               header.family == displayid::Family::V2 ? "DisplayIDUseCase" : "DisplayIDProductType",
               productType);
    notifyIndexed("DisplayIDProductType", qor::QORValue(productType));
    reportLine("  ", "DisplayIDExtensionCount", detail::unsignedText(header.extensionCount));
}

void DisplayIDBlockVerifier::verifyDataBlock(DisplayIDSection& section,
                                             const displayid::SectionHeader& header,
                                             const DisplayIDDataBlock& data) {
    const displayid::TagInfo* info = displayid::findTag(data.tag, header.family);
    reportLine("  ", "DisplayIDDataBlock",
               displayid::dataBlockText(data) + " (" +
                   detail::localized(info != nullptr ? info->nameKey : "DisplayIDTagReserved") +
                   ")");
    if (info == nullptr) {
        logMesg(finding("DisplayIDReservedTag", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING, data));
        return;
    }
    const DisplayIDDataBlockContext context{
        section, header, data, *info,
        std::span<const unsigned char>(block()).subspan(data.offset + 3, data.length)};
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
        case displayid::Kind::Other:
            break;
    }
}

void DisplayIDBlockVerifier::reportChecksum(const displayid::SectionHeader& header,
                                            DisplayIDSection& section) {
    if (!header.payloadFits) {
        return;
    }
    const unsigned char checksum = block()[header.payloadEnd];
    reportLine("  ", "DisplayIDChecksum", qor::SprintfFormat("%02Xh", checksum));
    section.checksumValid = displayid::sectionChecksumValid(block(), header);
    if (!section.checksumValid) {
        LibEDIDLog wrong = finding("DisplayIDChecksumWrong", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR);
        wrong.setVariable("checksum", qor::SprintfFormat("%02Xh", checksum));
        logMesg(wrong);
    }
}

void DisplayIDBlockVerifier::checkIdentified(const displayid::SectionHeader& header,
                                             const DisplayIDSection& section) {
    const bool preferred = std::any_of(section.timings.begin(), section.timings.end(),
                                       [](const DisplayIDTiming& t) { return t.preferred; });
    if (header.family == displayid::Family::V1 && !section.product && !preferred) {
        logMesg(finding("DisplayIDNotIdentified", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING));
    }
}

}  // namespace libEDID
