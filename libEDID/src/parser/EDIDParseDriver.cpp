// The parse driver of EDIDParser: runs the verifiers over the base block in their fixed order,
// routes the descriptor slots, checks the descriptors that the structure's revision requires,
// and derives the identifier and the EDID string.

#include <array>

#include "conformity/Conformity.h"
#include "decode/base/BaseBlockLayout.h"
#include "libEDID/EDIDParser.h"
#include "qor/System.h"
#include "report/EDIDVerifier.h"
#include "report/MessageBuilder.h"
#include "report/ReportText.h"
#include "report/Texts.h"
#include "sources/ClassLogger.h"
#include "verifiers/base/BasicVideoFeatureVerifier.h"
#include "verifiers/base/ChromaticityVerifier.h"
#include "verifiers/base/EstTimingsOneTwoVerifier.h"
#include "verifiers/base/HeaderVerifier.h"
#include "verifiers/base/StdTimingsVerifier.h"
#include "verifiers/base/VendorProductVerifier.h"
#include "verifiers/base/VersionVerifier.h"
#include "verifiers/cta/CTABlockVerifier.h"
#include "verifiers/descriptors/DetailedTimingVerifier.h"
#include "verifiers/descriptors/DisplayDescVerifier.h"
#include "verifiers/displayid/DisplayIDBlockVerifier.h"
#include "verifiers/vesa/VESAVerifier.h"

namespace libEDID {

namespace {

qor::Logger* traceLogger() {
    static qor::Logger* const instance = detail::classLogger("EDIDParser");
    return instance->isEnabled(1) ? instance : nullptr;
}

template <typename Verifier>
void run(EDIDParser* parser) {
    Verifier verifier(parser);
    verifier.verify();
}

// A section verifier of the base block and the bytes of its section.
struct SectionRun {
    void (*verify)(EDIDParser*);
    std::size_t offset;
    std::size_t length;
};

// The section verifiers of the base block, in the order in which they report.
constexpr std::array<SectionRun, 7> kBaseSections{{
    {run<HeaderVerifier>, layout::kHeader, 8},
    {run<VendorProductVerifier>, layout::kManufacturerID,
     layout::kVersion - layout::kManufacturerID},
    {run<VersionVerifier>, layout::kVersion, 2},
    {run<BasicVideoFeatureVerifier>, layout::kVideoInput, 5},
    {run<ChromaticityVerifier>, layout::kFeatureSupport + 1,
     layout::kEstablishedTimings - layout::kFeatureSupport - 1},
    {run<EstTimingsOneTwoVerifier>, layout::kEstablishedTimings, 3},
    {run<StdTimingsVerifier>, layout::kStandardTimings, 2 * layout::kStandardTimingCount},
}};

}  // namespace

void EDIDParser::markBytes(std::size_t first, std::size_t offset, std::size_t length) {
    // After an observer's assignment the messages are another parse's.
    if (busy.abandoned) {
        return;
    }
    for (std::size_t i = first; i < messages.size(); ++i) {
        if (messages[i].getBytes().length == 0) {
            messages[i].setBytes(
                {static_cast<std::uint16_t>(offset), static_cast<std::uint16_t>(length)});
        }
    }
}

bool EDIDParser::parseEDID(bool force) {
    qor::TraceLogger trace(traceLogger(), "EDIDParser::parseEDID", __FILE__, __LINE__);
    if (busy.on) {
        return refuseNestedParse();
    }
    ParseWork work;
    const BusyScope scope(busy, &work);
    const detail::TextScope texts;
    clearDecodedBlocks();
    if (!readOrReport(force)) {
        return false;
    }
    if (decodeExtensions) {
        readOverrideBlocks();
    }
    work.baseBlock = baseBlock;
    work.extensionBlocks = extensionBlocks;
    // A parse of the base block logs a few dozen messages.
    messages.reserve(messages.size() + 64);
    for (const SectionRun& section : kBaseSections) {
        const std::size_t first = messages.size();
        section.verify(this);
        markBytes(first, section.offset, section.length);
    }
    runDescriptorSlots(work.baseBlock);
    reportTrailer(work);
    if (reportMissingExtensions) {
        reportMissingExtensionBlocks(work);
    }
    if (decodeExtensions) {
        reportOverride(work);
        runExtensionBlocks(work);
    }
    // The checks of the whole EDID judge the blocks and decoded results of this parse.
    if (checkConformity) {
        conformity::checkConformity(this, decodeExtensions);
    }
    return completeParse(work);
}

// Hands the results to the parser, unless an observer assigned the parser meanwhile, then
// notifies the identification.
bool EDIDParser::completeParse(ParseWork& work) {
    if (busy.abandoned) {
        return false;
    }
    ctaBlocks = std::move(work.ctaBlocks);
    displayIDBlocks = std::move(work.displayIDBlocks);
    vesaExtensions = std::move(work.vesaExtensions);
    if (work.serialNumber) {
        serialNumber = std::move(*work.serialNumber);
    }
    if (work.productName) {
        productName = std::move(*work.productName);
    }
    if (!serialNumber.isEmpty()) {
        notifySysInfoProperty(detail::propertyName("MonitorSerialNumber"),
                              qor::QORValue(serialNumber));
    }
    if (!productName.isEmpty()) {
        notifySysInfoProperty(detail::propertyName("MonitorModelNumber"),
                              qor::QORValue(productName));
    }
    return !busy.abandoned;
}

void EDIDParser::runDescriptorSlots(const EDIDBlock& base) {
    bool sawRangeLimits = false;
    bool sawProductName = false;
    DetailedTimingVerifier detailedTiming(this);
    for (unsigned slot = 0; slot < layout::kDescriptorSlots.size(); ++slot) {
        const unsigned char* descriptor = &base[layout::kDescriptorSlots[slot]];
        // Slot 0 always holds the preferred detailed timing, whatever its pixel clock says;
        // slots 1-3 hold a detailed timing when their pixel clock (bytes 0-1) is not zero.
        const std::size_t first = messages.size();
        if (slot == 0 || descriptor[0] != 0 || descriptor[1] != 0) {
            detailedTiming.verifyTiming(descriptor, slot);
            markBytes(first, layout::kDescriptorSlots[slot], layout::kDescriptorSize);
            continue;
        }
        DisplayDescVerifier(this, std::span<const unsigned char, layout::kDescriptorSize>(
                                      descriptor, layout::kDescriptorSize))
            .verify();
        markBytes(first, layout::kDescriptorSlots[slot], layout::kDescriptorSize);
        const unsigned char tag = descriptor[layout::kDescriptorTag];
        sawProductName = sawProductName || tag == layout::kTagProductName;
        sawRangeLimits = sawRangeLimits || tag == layout::kTagRangeLimits;
    }
    const std::size_t first = messages.size();
    checkRequiredDescriptors(base, sawRangeLimits, sawProductName);
    // A missing descriptor concerns the four slots together.
    markBytes(first, layout::kDescriptorSlots[0],
              layout::kDescriptorSlots.size() * layout::kDescriptorSize);
}

void EDIDParser::checkRequiredDescriptors(const EDIDBlock& base, bool sawRangeLimits,
                                          bool sawProductName) {
    if (base[layout::kVersion] != 0x01) {
        return;
    }
    const auto report = [&](LibEDIDLog::LIBEDID_LOG_CAT category, const char* typeKey,
                            const char* revision, const qor::String& extra) {
        logMesg(detail::makeMessage(
            "MissingRequiredDescriptor", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR, category,
            {{"type", detail::text(typeKey)}, {"ver", "1"}, {"rev", revision}, {"extra", extra}}));
    };
    switch (base[layout::kRevision]) {
        case 0x03:
            // EDID 1.3 requires a range limits and a product name descriptor.
            if (!sawRangeLimits) {
                report(LibEDIDLog::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_3, "RangeLimits", "3",
                       qor::String::EMPTY());
            }
            if (!sawProductName) {
                report(LibEDIDLog::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_3, "ProductName", "3",
                       qor::String::EMPTY());
            }
            break;
        case 0x04:
            // EDID 1.4 requires range limits only of continuous-frequency displays.
            if ((base[layout::kFeatureSupport] & layout::kContinuousFrequencyBit) != 0 &&
                !sawRangeLimits) {
                report(LibEDIDLog::LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_4, "RangeLimits", "4",
                       " - " + detail::text("ContinuousFrequencyDisplay"));
            }
            break;
        default:
            break;
    }
}

void EDIDParser::reportTrailer(const ParseWork& work) {
    const auto report = [&](const char* typeKey, const qor::String& text) {
        logMesg(detail::makeMessage("ReportedValue", LibEDIDLog::LIBEDID_LOG_LEVEL_INFO,
                                    LibEDIDLog::LIBEDID_LOG_CAT_GENERAL,
                                    {{"type", detail::text(typeKey)}, {"value", text}}));
    };
    report("ExtFlag", detail::hexByte(work.baseBlock[layout::kExtensionCount]));
    report("Checksum", detail::hexByte(work.baseBlock[layout::kChecksum]));
    if (work.extensionBlocks.isEmpty()) {
        return;
    }
    // Two lines per block: its tag (byte 0) and its checksum byte.
    const qor::String& eol = qor::System::TEXT_FILE_EOL();
    const qor::String& tagLabel = detail::text("ExtBlockTagNumber");
    const qor::String& checksumLabel = detail::text("Checksum");
    qor::String blocks;
    for (const EDIDBlock& block : work.extensionBlocks) {
        blocks += eol;
        blocks += " ";
        blocks += tagLabel;
        blocks += " : ";
        blocks += detail::hexText(block[0], 2);
        blocks += eol;
        blocks += " ";
        blocks += checksumLabel;
        blocks += " : ";
        blocks += detail::hexByte(block[layout::kChecksum]);
    }
    report("ExtBlocks", blocks);
}

// The source ended before the blocks that byte 7Eh announces: the blocks present were read and
// are examined; the finding names both counts. When an HF-EEODB announces more blocks than
// were read, its own finding (CTAEEODBShortEDID) names the count the parser followed instead.
void EDIDParser::reportMissingExtensionBlocks(const ParseWork& work) {
    const unsigned announced = work.baseBlock[layout::kExtensionCount];
    const auto present = static_cast<unsigned>(work.extensionBlocks.size());
    const bool overrideShort = decodeExtensions && overrideCount && present < *overrideCount;
    if (present >= announced || overrideShort) {
        return;
    }
    const std::size_t first = messages.size();
    logMesg(detail::makeMessage("ExtensionBlocksMissing", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                                LibEDIDLog::LIBEDID_LOG_CAT_EXTENSION_BLOCK,
                                {{"announced", detail::unsignedText(announced)},
                                 {"present", detail::unsignedText(present)}}));
    markBytes(first, layout::kExtensionCount, 1);
}

// Extension block n (1 = the first block after the base block) is decoded by the verifier of
// its tag (byte 0): CTA-861, DisplayID or one of the VESA extensions; blocks of other tags
// keep only the trailer's tag and checksum report.
void EDIDParser::runExtensionBlocks(const ParseWork& work) {
    constexpr unsigned char kTagCTA861 = 0x02;
    constexpr unsigned char kTagDisplayID = 0x70;
    for (std::size_t i = 0; i < work.extensionBlocks.size(); ++i) {
        const auto number = static_cast<unsigned>(i + 1);
        const std::size_t first = messages.size();
        switch (work.extensionBlocks[i][0]) {
            case kTagCTA861:
                CTABlockVerifier(this, number).verify();
                break;
            case kTagDisplayID:
                DisplayIDBlockVerifier(this, number).verify();
                break;
            default:
                verifyVESAExtension(this, number, work.extensionBlocks[i][0]);
                break;
        }
        markBytes(first, number * layout::kBlockSize, layout::kBlockSize);
    }
}

bool EDIDParser::getEDIDIdentifier(qor::String& identifier, bool force) {
    const bool needParse = force || (serialNumber.isEmpty() && productName.isEmpty());
    if (needParse && !parseEDID(force)) {
        return false;
    }
    identifier = productName;
    if (!serialNumber.isEmpty()) {
        identifier += "-";
        identifier += serialNumber;
    }
    return true;
}

bool EDIDParser::getEDIDString(qor::String& edid, bool force) {
    if (!edidString.isEmpty() && !force) {
        edid = edidString;
        return true;
    }
    if (busy.on) {
        return refuseNestedParse();
    }
    edidString = qor::String();
    if (!isAccessible() || !parseEDID(force)) {
        return false;
    }
    edid = edidString;
    return true;
}

}  // namespace libEDID
