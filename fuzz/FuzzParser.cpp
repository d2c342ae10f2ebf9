// Fuzz target: any bytes, of any length, as the EDID source of a parser. Runs every operation
// a caller uses, with an observer that renders each property value, and ignores the message
// categories that the last input byte selects, so that both the storing and the ignoring path
// of every message are reached.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "libEDID/libEDID.h"

namespace {

class RenderingObserver : public libEDID::EDIDCallback {
  public:
    void onSysInfoProperty(const qor::String& name, const qor::QORValue& value) override {
        rendered += name.size() + value.toString(qor::QORValue::nilValue()).size();
        for (std::size_t i = 0; i < value.getArraySize(); ++i) {
            rendered += value.getArrayItem(i).size();
        }
    }
    std::size_t rendered = 0;
};

constexpr int kCategoryCount = 18;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    libEDID::EDIDParser parser(libEDID::makeAccessor<libEDID::EDIDAccessorBuffer>(
        reinterpret_cast<const char*>(data), static_cast<unsigned int>(size)));
    parser.registerSysInfoObserver(std::make_shared<RenderingObserver>());

    // Bit (c mod 8) of the last byte ignores category c; for a single block that byte is the
    // checksum, which the fuzzer varies freely.
    const unsigned selector = size > 0 ? data[size - 1] : 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        if ((selector >> (c % 8)) & 1U) {
            parser.ignoreLogCategory(static_cast<libEDID::LibEDIDLog::LIBEDID_LOG_CAT>(c), true);
        }
    }

    parser.verifyChecksum(false);
    parser.parseEDID(false);
    qor::String identifier;
    parser.getEDIDIdentifier(identifier, false);
    qor::String edid;
    parser.getEDIDString(edid, false);
    for (const libEDID::LibEDIDLog& mesg : parser.getMessages()) {
        (void)mesg.getMesgTrimmed();
    }
    return 0;
}
