#include "verifiers/cta/CTABlockVerifier.h"

#include <array>

#include "decode/cta/CTADecoder.h"
#include "verifiers/cta/CTADataBlockCollectionVerifier.h"
#include "verifiers/descriptors/DetailedTimingVerifier.h"

namespace libEDID {

namespace {

constexpr unsigned kCollectionOffset = 4;  // data blocks start after the 4-byte header
constexpr unsigned kChecksumOffset = 127;
// The base block's descriptor slots are 0-3; extension timings are numbered on from 4.
constexpr unsigned kFirstExtensionSlot = 4;

// Byte 3 flags of revision 2 and later, from bit 7 down.
struct HeaderFlag {
    unsigned char mask;
    const char* name;
};
constexpr std::array<HeaderFlag, 4> kHeaderFlags{{
    {0x80, "CTAUnderscan"},
    {0x40, "CTABasicAudio"},
    {0x20, "CTAYCbCr444"},
    {0x10, "CTAYCbCr422"},
}};

}  // namespace

void CTABlockVerifier::verify() {
    const EDIDBlock& bytes = extensionBlocks()[suffix - 1];
    CTABlock block = cta::decodeBlock(bytes, suffix);
    logMesgAndAppend(info("CTABlockHeading", {{"block", detail::unsignedText(suffix)}}));
    reportHeader(block);
    if (!cta::validDTDOffset(block.dtdOffset)) {
        logCTAFinding("CTAInvalidDTDOffset", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                      {{"offset", detail::unsignedText(block.dtdOffset)}});
    } else {
        if (block.revision != 1 && block.revision != 2 && block.dtdOffset != 0) {
            CTADataBlockCollectionVerifier collection(getParser(), std::move(block.dataBlocks),
                                                      suffix, kCollectionOffset);
            collection.verify();
            block.dataBlocks = collection.collection();
        }
        verifyTimings(block);
        checkPadding();
    }
    addCTABlock(std::move(block));
}

void CTABlockVerifier::reportHeader(const CTABlock& block) {
    reportProperty("CTARevision", detail::unsignedText(block.revision));
    if (block.revision == 0 || block.revision > 3) {
        logCTAFinding("CTAUnknownRevision", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
                      {{"revision", detail::unsignedText(block.revision)}});
    }
    if (!block.flags) {
        return;
    }
    for (const HeaderFlag& flag : kHeaderFlags) {
        reportProperty(flag.name, detail::yesNo((*block.flags & flag.mask) != 0));
    }
    reportProperty("CTANativeDTDs", detail::unsignedText(*block.flags & 0x0Fu));
}

void CTABlockVerifier::verifyTimings(const CTABlock& block) {
    unsigned slot = kFirstExtensionSlot;
    for (const CTABlock& earlier : ctaBlocks()) {
        slot += static_cast<unsigned>(earlier.detailedTimings.size());
    }
    DetailedTimingVerifier timing(getParser());
    for (const auto& dtd : block.detailedTimings) {
        timing.verifyTiming(dtd.data(), slot++);
    }
}

// The bytes between the last detailed timing and the checksum are padding, 00h.
void CTABlockVerifier::checkPadding() {
    const EDIDBlock& bytes = extensionBlocks()[suffix - 1];
    for (unsigned offset = cta::paddingOffset(bytes); offset < kChecksumOffset; ++offset) {
        if (bytes[offset] != 0) {
            logCTAFinding(
                "CTANonZeroPadding", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
                {{"offset", detail::hexByte(offset)}, {"value", detail::hexByte(bytes[offset])}});
            return;
        }
    }
}

}  // namespace libEDID
