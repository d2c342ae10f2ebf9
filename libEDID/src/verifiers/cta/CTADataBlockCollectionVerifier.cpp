#include "verifiers/cta/CTADataBlockCollectionVerifier.h"

#include <algorithm>
#include <utility>

#include "decode/cta/CTADecoder.h"
#include "verifiers/cta/CTAAudioFormatsVerifier.h"
#include "verifiers/cta/CTAColorimetryVerifier.h"
#include "verifiers/cta/CTAExtendedBlocksVerifier.h"
#include "verifiers/cta/CTAHDMIForumVerifier.h"
#include "verifiers/cta/CTAHDMIVerifier.h"
#include "verifiers/cta/CTAHDRStaticMetadataVerifier.h"
#include "verifiers/cta/CTAOtherBlocksVerifier.h"
#include "verifiers/cta/CTASpeakerAllocationVerifier.h"
#include "verifiers/cta/CTAVESABlocksVerifier.h"
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
    {CTADataBlockKind::HFSCDB, "CTABlockHFSCDB"},
    {CTADataBlockKind::HFEEODB, "CTABlockHFEEODB"},
    {CTADataBlockKind::InfoFrame, "CTABlockInfoFrame"},
    {CTADataBlockKind::RoomConfiguration, "CTABlockRoomConfiguration"},
    {CTADataBlockKind::HDMIAudio, "CTABlockHDMIAudio"},
    {CTADataBlockKind::NativeResolution, "CTABlockNativeResolution"},
    {CTADataBlockKind::VESADisplayDevice, "CTAVESADisplayDevice"},
    {CTADataBlockKind::VESAVideoTimingBlock, "CTAVESAVideoTimingBlock"},
};

template <typename Verifier>
void run(EDIDParser* owner, const CTADataBlockCollection& collection, unsigned suffix,
         unsigned firstOffset) {
    Verifier(owner, collection, suffix, firstOffset).verify();
}

}  // namespace

CTADataBlockCollectionVerifier::CTADataBlockCollectionVerifier(EDIDParser* owner,
                                                               std::span<const std::uint8_t> bytes,
                                                               unsigned propertySuffix,
                                                               unsigned collectionOffset)
    : CTADataBlockCollectionVerifier(owner, cta::decodeCollection(bytes), propertySuffix,
                                     collectionOffset) {}

CTADataBlockCollectionVerifier::CTADataBlockCollectionVerifier(EDIDParser* owner,
                                                               CTADataBlockCollection collection,
                                                               unsigned propertySuffix,
                                                               unsigned collectionOffset)
    : CTAReportingVerifier(owner, propertySuffix),
      decoded(std::move(collection)),
      firstOffset(collectionOffset) {}

void CTADataBlockCollectionVerifier::verify() {
    if (decoded.overrunOffset) {
        logCTAFinding("CTADataBlockOverrun", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                      {{"offset", detail::hexByte(firstOffset + *decoded.overrunOffset)}});
    }
    checkRepeatedBlocks();
    EDIDParser* const owner = getParser();
    run<CTAVideoFormatsVerifier>(owner, decoded, suffix, firstOffset);
    run<CTAAudioFormatsVerifier>(owner, decoded, suffix, firstOffset);
    run<CTASpeakerAllocationVerifier>(owner, decoded, suffix, firstOffset);
    run<CTAVendorBlocksVerifier>(owner, decoded, suffix, firstOffset);
    run<CTAHDMIVerifier>(owner, decoded, suffix, firstOffset);
    run<CTAHDMIForumVerifier>(owner, decoded, suffix, firstOffset);
    run<CTAVideoCapabilityVerifier>(owner, decoded, suffix, firstOffset);
    run<CTAColorimetryVerifier>(owner, decoded, suffix, firstOffset);
    run<CTAHDRStaticMetadataVerifier>(owner, decoded, suffix, firstOffset);
    run<CTAYCbCr420Verifier>(owner, decoded, suffix, firstOffset);
    run<CTAExtendedBlocksVerifier>(owner, decoded, suffix, firstOffset);
    run<CTAVESABlocksVerifier>(owner, decoded, suffix, firstOffset);
    run<CTAOtherBlocksVerifier>(owner, decoded, suffix, firstOffset);
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
