// Fuzz target: any bytes, of any length, as the EDID source of a parser. Runs every operation
// a caller uses, with an observer that renders each property value, and walks every field of
// the decoded extension blocks. The last four input bytes choose whether the extension blocks
// are decoded and which message categories are ignored, so that both paths of each are
// reached.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzSupport.h"

namespace {

// The selector: the last four input bytes, the last one lowest. For a whole EDID that byte is
// the checksum of its last block, which the fuzzer varies freely.
std::uint32_t selector(const std::uint8_t* data, std::size_t size) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4 && i < size; ++i) {
        bits |= static_cast<std::uint32_t>(data[size - 1 - i]) << (8 * i);
    }
    return bits;
}

// Bit 0 decodes the extension blocks; bit c + 1 ignores category c. Categories 0-30 are
// selectable: every category the library has, and room for the ones it will get.
constexpr std::uint32_t kDecodeBit = 1;
constexpr int kSelectableCategories = 31;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    libEDID::EDIDParser parser(libEDID::makeAccessor<libEDID::EDIDAccessorBuffer>(
        reinterpret_cast<const char*>(data), static_cast<unsigned int>(size)));
    parser.registerSysInfoObserver(std::make_shared<fuzz::RenderingObserver>());

    const std::uint32_t bits = selector(data, size);
    const bool decode = (bits & kDecodeBit) != 0;
    parser.setDecodeExtensions(decode);
    for (int c = 0; c < kSelectableCategories; ++c) {
        if ((bits >> (c + 1)) & 1U) {
            parser.ignoreLogCategory(static_cast<libEDID::LibEDIDLog::LIBEDID_LOG_CAT>(c), true);
        }
    }

    parser.verifyChecksum(false);
    const bool parsed = parser.parseEDID(false);
    fuzz::keep(fuzz::walkDecodedResults(parser, parsed && decode));
    qor::String identifier;
    parser.getEDIDIdentifier(identifier, false);
    qor::String edid;
    parser.getEDIDString(edid, false);
    for (const libEDID::LibEDIDLog& mesg : parser.getMessages()) {
        (void)mesg.getMesgTrimmed();
    }
    return 0;
}
