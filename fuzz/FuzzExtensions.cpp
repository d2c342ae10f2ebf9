// Fuzz target: the extension-block decoders. The input is cut into two to four blocks of 128
// bytes (the last one filled up with 00h, bytes past the fourth ignored), which the target turns
// into an EDID that every check upstream of the decoders accepts: the base block gets its
// header and, at 7Eh, the number of blocks that follow; every block gets a right checksum, and
// so does the DisplayID section of a block of tag 70h. The tags stay as the input gives them
// (02h CTA-861, 70h DisplayID, any other), so each mutation lands inside a decoded block. The
// parser decodes the extensions with the conformity checks on, an observer renders every
// property, and every field of the decoded results is walked and held to the blocks. The same
// bytes go through the display model, a mode query and the map of their fields.
//
// Input bytes 1-6, where the header goes, are control bits: bit 0 of byte 1 set leaves the
// DisplayID section checksums as they are (so a wrong one is reached too).

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <numeric>
#include <vector>

#include "FuzzSupport.h"
#include "libEDID/DisplayInfo.h"
#include "libEDID/EDIDLayout.h"
#include "libEDID/ModeQuery.h"

namespace {

constexpr std::size_t kBlockSize = 128;
constexpr std::size_t kMinBlocks = 2;
constexpr std::size_t kMaxBlocks = 4;
constexpr std::array<std::uint8_t, 8> kHeader{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kExtensionCount = 0x7E;
constexpr std::size_t kChecksum = 0x7F;
constexpr std::uint8_t kTagDisplayID = 0x70;
// A DisplayID section starts at byte 1: version, payload length (byte 2), product type,
// extension count, the payload, then its checksum byte.
constexpr std::size_t kSectionStart = 1;
constexpr std::size_t kSectionPayloadLength = 2;
constexpr std::size_t kSectionHeaderSize = 4;

// The byte that makes the bytes [first, last) and itself sum to 00h (modulo 100h).
std::uint8_t balancing(const std::uint8_t* first, const std::uint8_t* last) {
    return static_cast<std::uint8_t>(0x100 - (std::accumulate(first, last, 0u) & 0xFF));
}

void fixDisplayIDSection(std::uint8_t* block) {
    const std::size_t checksumAt =
        kSectionStart + kSectionHeaderSize + block[kSectionPayloadLength];
    if (checksumAt < kChecksum) {
        block[checksumAt] = balancing(block + kSectionStart, block + checksumAt);
    }
}

std::vector<std::uint8_t> edidFrom(const std::uint8_t* data, std::size_t size) {
    const std::size_t blocks =
        std::clamp((size + kBlockSize - 1) / kBlockSize, kMinBlocks, kMaxBlocks);
    std::vector<std::uint8_t> edid(blocks * kBlockSize, 0x00);
    std::copy_n(data, std::min(size, edid.size()), edid.begin());
    const bool keepSectionChecksums = size > 1 && (data[1] & 0x01) != 0;

    std::copy(kHeader.begin(), kHeader.end(), edid.begin());
    edid[kExtensionCount] = static_cast<std::uint8_t>(blocks - 1);
    for (std::size_t n = 0; n < blocks; ++n) {
        std::uint8_t* block = edid.data() + n * kBlockSize;
        if (n > 0 && block[0] == kTagDisplayID && !keepSectionChecksums) {
            fixDisplayIDSection(block);
        }
        block[kChecksum] = balancing(block, block + kChecksum);
    }
    return edid;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> edid = edidFrom(data, size);
    libEDID::EDIDParser parser(libEDID::makeAccessor<libEDID::EDIDAccessorBuffer>(
        reinterpret_cast<const char*>(edid.data()), static_cast<unsigned int>(edid.size())));
    parser.registerSysInfoObserver(std::make_shared<fuzz::RenderingObserver>());
    parser.setDecodeExtensions(true);
    parser.setCheckConformity(true);
    parser.setReportMissingExtensions(true);

    fuzz::require(parser.parseEDID(false), "a well-formed EDID was not parsed");
    fuzz::require(parser.getExtensionBlocks().size() == edid.size() / kBlockSize - 1,
                  "not every extension block was read");
    fuzz::keep(fuzz::walkDecodedResults(parser, true));
    for (const libEDID::LibEDIDLog& mesg : parser.getMessages()) {
        (void)mesg.getMesgTrimmed();
    }

    const libEDID::DisplayInfo info = libEDID::decodeDisplayInfo(edid);
    fuzz::require(info == parser.getDisplayInfo(), "the parser's display model differs");
    const libEDID::ModeRequest request{.width = 3840,
                                       .height = 2160,
                                       .refreshHz = 60,
                                       .hdr10 = true,
                                       .ycbcr420 = true,
                                       .bitsPerColor = 10};
    const libEDID::ModeAnswer answer = libEDID::canDisplay(info, request);
    fuzz::keep(info.modes.size() + answer.reasons.size() + answer.nearest.size());

    for (const libEDID::FieldRange& field : libEDID::describeFields(edid)) {
        fuzz::require(field.offset + field.length <= edid.size(), "a field beyond the EDID");
    }
    return 0;
}
