#include "verifiers/cta/CTADataBlockCollectionVerifier.h"

#include <algorithm>
#include <utility>

#include "verifiers/cta/CTAAudioFormatsVerifier.h"
#include "verifiers/cta/CTAColorimetryVerifier.h"
#include "verifiers/cta/CTADecoder.h"
#include "verifiers/cta/CTAHDMIForumVerifier.h"
#include "verifiers/cta/CTAHDMIVerifier.h"
#include "verifiers/cta/CTAHDRStaticMetadataVerifier.h"
#include "verifiers/cta/CTAOtherBlocksVerifier.h"
#include "verifiers/cta/CTASpeakerAllocationVerifier.h"
#include "verifiers/cta/CTAVendorBlocksVerifier.h"
#include "verifiers/cta/CTAVideoCapabilityVerifier.h"
#include "verifiers/cta/CTAVideoFormatsVerifier.h"
#include "verifiers/cta/CTAYCbCr420Verifier.h"

namespace libEDID {

namespace {

// Kinds a collection should hold at most once, with the label naming them.
struct SingleKind {
    CTADataBlockKind kind;
    const char* typeKey;
};
constexpr SingleKind kSingleKinds[] = {
    {CTADataBlockKind::SpeakerAllocation, "CTABlockSpeakerAllocation"},
    {CTADataBlockKind::VideoCapability, "CTABlockVideoCapability"},
    {CTADataBlockKind::Colorimetry, "CTABlockColorimetry"},
    {CTADataBlockKind::HDRStaticMetadata, "CTABlockHDRStaticMetadata"},
    {CTADataBlockKind::HDMI, "CTABlockHDMI"},
    {CTADataBlockKind::HDMIForum, "CTABlockHDMIForum"},
};

template <typename Verifier>
void run(EDIDParser* parser, const CTADataBlockCollection& collection, unsigned suffix,
         unsigned firstOffset) {
    Verifier(parser, collection, suffix, firstOffset).verify();
}

}  // namespace

CTADataBlockCollectionVerifier::CTADataBlockCollectionVerifier(EDIDParser* parser,
                                                               std::span<const std::uint8_t> bytes,
                                                               unsigned suffix,
                                                               unsigned firstOffset)
    : CTADataBlockCollectionVerifier(parser, cta::decodeCollection(bytes), suffix, firstOffset) {}

CTADataBlockCollectionVerifier::CTADataBlockCollectionVerifier(EDIDParser* parser,
                                                               CTADataBlockCollection decoded,
                                                               unsigned suffix,
                                                               unsigned firstOffset)
    : CTAReportingVerifier(parser, suffix), decoded(std::move(decoded)), firstOffset(firstOffset) {}

void CTADataBlockCollectionVerifier::verify() {
    if (decoded.overrunOffset) {
        logCTAFinding("CTADataBlockOverrun", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                      {{"offset", detail::hexByte(firstOffset + *decoded.overrunOffset)}});
    }
    checkRepeatedBlocks();
    EDIDParser* const parser = getParser();
    run<CTAVideoFormatsVerifier>(parser, decoded, suffix, firstOffset);
    run<CTAAudioFormatsVerifier>(parser, decoded, suffix, firstOffset);
    run<CTASpeakerAllocationVerifier>(parser, decoded, suffix, firstOffset);
    run<CTAVendorBlocksVerifier>(parser, decoded, suffix, firstOffset);
    run<CTAHDMIVerifier>(parser, decoded, suffix, firstOffset);
    run<CTAHDMIForumVerifier>(parser, decoded, suffix, firstOffset);
    run<CTAVideoCapabilityVerifier>(parser, decoded, suffix, firstOffset);
    run<CTAColorimetryVerifier>(parser, decoded, suffix, firstOffset);
    run<CTAHDRStaticMetadataVerifier>(parser, decoded, suffix, firstOffset);
    run<CTAYCbCr420Verifier>(parser, decoded, suffix, firstOffset);
    run<CTAOtherBlocksVerifier>(parser, decoded, suffix, firstOffset);
}

void CTADataBlockCollectionVerifier::checkRepeatedBlocks() {
    for (const SingleKind& single : kSingleKinds) {
        const auto count =
            std::count_if(decoded.blocks.begin(), decoded.blocks.end(),
                          [&](const CTADataBlockInfo& block) { return block.kind == single.kind; });
        if (count > 1) {
            logCTAFinding("CTADuplicateDataBlock", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
                          {{"type", detail::localized(single.typeKey)}});
        }
    }
}

}  // namespace libEDID
