#include "verifiers/descriptors/DisplayCVTVerifier.h"

#include <array>
#include <map>
#include <utility>

namespace libEDID {

namespace {

constexpr unsigned kCodeCount = 4;
constexpr unsigned kFirstCodeOffset = 0x06;  // descriptor offset of code 0

/// Aspect ratio of code byte 2 bits 3-2: 4:3, 16:9, 16:10, 15:9.
constexpr std::array<std::pair<unsigned, unsigned>, 4> kAspectRatios{
    {{4, 3}, {16, 9}, {16, 10}, {15, 9}}};
/// Preferred vertical rate of code byte 3 bits 6-5, in Hz.
constexpr std::array<unsigned, 4> kPreferredRates{50, 60, 75, 85};

/// Supported vertical rates and blanking: bit of code byte 3 (bits 4-0) to its text.
const std::map<unsigned, qor::String>& supportedRates() {
    static const std::map<unsigned, qor::String> table{
        {0x01, "60 Hz " + detail::localized("ReducedBlanking")},
        {0x02, "85 Hz " + detail::localized("StandardBlanking")},
        {0x04, "75 Hz " + detail::localized("StandardBlanking")},
        {0x08, "60 Hz " + detail::localized("StandardBlanking")},
        {0x10, "50 Hz " + detail::localized("StandardBlanking")},
    };
    return table;
}

}  // namespace

void DisplayCVTVerifier::verify() {
    for (unsigned code = 0; code < kCodeCount; ++code) {
        verifyCode(code);
    }
}

void DisplayCVTVerifier::verifyCode(unsigned code) {
    // Byte 1: addressable lines bits 7-0; byte 2: bits 7-4 lines bits 11-8, bits 3-2 aspect
    // ratio, bits 1-0 reserved; byte 3: bit 7 reserved, bits 6-5 preferred rate, bits 4-0
    // supported rates.
    const unsigned offset = kFirstCodeOffset + 3 * code;
    const unsigned char byte1 = payload[offset - layout::kDescriptorPayload];
    const unsigned char byte2 = payload[offset + 1 - layout::kDescriptorPayload];
    const unsigned char byte3 = payload[offset + 2 - layout::kDescriptorPayload];
    if (code > 0 && byte1 == 0 && byte2 == 0 && byte3 == 0) {
        return;  // an unused code; code 0 is always decoded
    }
    if (byte1 == 0) {
        reportReserved(detail::hexByte(offset), detail::localized("NonZero"), "00h");
    }
    if ((byte2 & 0x03u) != 0) {
        reportReserved(detail::filledText("OffsetBits", {{"offset", detail::hexByte(offset + 1)},
                                                         {"bits", "0-1"}}),
                       "00b", qor::SprintfFormat("%u%ub", (byte2 >> 1u) & 1u, byte2 & 1u));
    }
    if ((byte3 & 0x80u) != 0) {
        reportReserved(detail::filledText("OffsetBit",
                                          {{"offset", detail::hexByte(offset + 2)}, {"bit", "7"}}),
                       "0b", "1b");
    }

    const qor::String suffix = detail::indexText(code);
    detail::DetailLines lines(" ");
    const unsigned stored = byte1 | ((byte2 >> 4u) << 8u);
    notifySysInfoProperty("CVT3AddressableLines" + suffix,
                          lines.add("AddressableLines", detail::unsignedText((stored + 1) * 2)));
    const auto [width, height] = kAspectRatios[(byte2 >> 2u) & 0x03u];
    notifySysInfoProperty("CVT3AspectRatio" + suffix,
                          lines.add("AspectRatio", qor::SprintfFormat("%u:%u", width, height)));
    notifySysInfoProperty(
        "CVT3PrefVertRate" + suffix,
        lines.add("PreferredVerticalRate",
                  qor::SprintfFormat("%u Hz", kPreferredRates[(byte3 >> 5u) & 0x03u])));

    detail::ItemList rates("  ");
    for (const auto& [bit, rate] : supportedRates()) {
        if ((byte3 & bit) != 0) {
            rates.add(rate);
        }
    }
    lines.add("SuppVertRateBlkStyle", rates.text());
    reportValue("CVT3", lines.text());
    notifySysInfoProperty("CVT3SuppVertRates" + suffix, rates.values());
}

void DisplayCVTVerifier::reportReserved(const qor::String& offset, const qor::String& expected,
                                        const qor::String& value) {
    logFinding("InvalidValueAtOffset", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
               LibEDIDLog::LIBEDID_LOG_CAT_VALUE_AT_OFFSET,
               {{"type", detail::localized("CVT3")},
                {"offset", offset},
                {"expected", expected},
                {"value", value}});
}

}  // namespace libEDID
