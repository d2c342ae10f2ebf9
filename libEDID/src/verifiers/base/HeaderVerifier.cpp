#include "verifiers/base/HeaderVerifier.h"

#include <algorithm>
#include <array>

namespace libEDID {

namespace {

constexpr std::array<unsigned char, 8> kHeader{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

}  // namespace

void HeaderVerifier::verify() {
    const EDIDBlock& block = baseBlock();
    if (std::equal(kHeader.begin(), kHeader.end(), block.begin())) {
        return;
    }
    logFinding("InvalidHeader", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
               LibEDIDLog::LIBEDID_LOG_CAT_HEADER,
               {{"expected", detail::hexBytes(kHeader)},
                {"found", detail::hexBytes(std::span(block).first(kHeader.size()))}});
}

}  // namespace libEDID
