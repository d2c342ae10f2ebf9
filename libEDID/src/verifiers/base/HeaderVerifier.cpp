#include "verifiers/base/HeaderVerifier.h"

#include <algorithm>
#include <array>

namespace libEDID {

namespace {

constexpr std::array<unsigned char, 8> kHeader{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

/// "%02X " of each byte, without the final blank.
template <typename Iterator>
qor::String hexBytes(Iterator first, Iterator last) {
    qor::String text;
    for (; first != last; ++first) {
        text += qor::SprintfFormat("%02X ", *first);
    }
    return text.trim();
}

}  // namespace

void HeaderVerifier::verify() {
    const EDIDBlock& block = baseBlock();
    if (std::equal(kHeader.begin(), kHeader.end(), block.begin())) {
        return;
    }
    logFinding("InvalidHeader", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
               LibEDIDLog::LIBEDID_LOG_CAT_HEADER,
               {{"expected", hexBytes(kHeader.begin(), kHeader.end())},
                {"found", hexBytes(block.begin(), block.begin() + kHeader.size())}});
}

}  // namespace libEDID
