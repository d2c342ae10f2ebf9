// Fuzz target: any content as a source file of edid-check, through its hex-text reader
// (tools/edid-check/HexText.cpp, compiled into this target). Besides the sanitizers' checks it
// holds the reader to its contract: a result carries bytes or an error, never both; raw content
// is passed through unchanged; and decoded bytes, written out again as hex text, decode to the
// same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "HexText.h"

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "hex-text reader broke its contract: %s\n", what);
        __builtin_trap();
    }
}

void requireWellFormed(const edidcheck::DecodedHex& result) {
    require(result.ok() == result.error.empty(), "ok() disagrees with the error text");
    require(result.ok() != result.bytes.empty(), "bytes and error together, or neither");
}

std::string asHexText(const std::vector<unsigned char>& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
        text += ' ';
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const edidcheck::ContentKind kind = edidcheck::classifyContent(content);
    const edidcheck::DecodedHex decoded = edidcheck::decodeContent(content);

    require(decoded.ok() || kind != edidcheck::ContentKind::Raw, "raw content was refused");
    if (kind == edidcheck::ContentKind::Raw) {
        require(std::string_view(reinterpret_cast<const char*>(decoded.bytes.data()),
                                 decoded.bytes.size()) == content,
                "raw content was changed");
    } else {
        requireWellFormed(decoded);
    }
    requireWellFormed(edidcheck::decodeHexText(content));
    requireWellFormed(edidcheck::decodeXrandrText(content));

    if (decoded.ok()) {
        const edidcheck::DecodedHex again = edidcheck::decodeHexText(asHexText(decoded.bytes));
        require(again.ok() && again.bytes == decoded.bytes, "hex round trip changed the bytes");
    }
    return 0;
}
