#include "verifiers/cta/CTAAudioFormatsVerifier.h"

#include <array>

#include "decode/cta/CTATables.h"

namespace libEDID {

namespace {

// Byte 1 bits 0-6 of a short audio descriptor, and byte 2 bits 0-2 of a Linear PCM one.
constexpr std::array<const char*, 7> kSampleRates{"32", "44.1", "48", "88.2", "96", "176.4", "192"};
constexpr std::array<const char*, 3> kSampleSizes{"16", "20", "24"};

template <typename Names>
qor::String joinedBits(unsigned bits, const Names& names) {
    qor::String text;
    for (unsigned bit = 0; bit < names.size(); ++bit) {
        if ((bits >> bit & 1u) != 0) {
            text += text.isEmpty() ? "" : "/";
            text += names[bit];
        }
    }
    return text;
}

qor::String formatName(const CTAShortAudioDescriptor& sad) {
    if (sad.format == 15) {
        return detail::filledText("CTAAudioExtensionType",
                                  {{"code", detail::unsignedText(sad.extensionType)}});
    }
    return sad.format == 0 ? detail::localized("CTAReservedFormat")
                           : qor::String(cta::audioFormatName(sad.format));
}

// "<format>: <channels> channels, <rates> kHz", then the sample sizes of Linear PCM or the
// maximum bit rate of formats 2-8.
qor::String audioText(const CTAShortAudioDescriptor& sad) {
    qor::String text = detail::filledText("CTAAudioFormat",
                                          {{"format", formatName(sad)},
                                           {"channels", detail::unsignedText(sad.channels)},
                                           {"rates", joinedBits(sad.sampleRates, kSampleRates)}});
    if (sad.format == 1) {
        text += ", " + detail::filledText("CTAAudioSampleSizes",
                                          {{"sizes", joinedBits(sad.sampleSizes, kSampleSizes)}});
    } else if (sad.maxBitRate != 0 || (sad.format >= 2 && sad.format <= 8)) {
        text += ", " + detail::filledText("CTAAudioMaxBitRate",
                                          {{"rate", detail::unsignedText(sad.maxBitRate)}});
    }
    return text;
}

}  // namespace

void CTAAudioFormatsVerifier::verify() {
    if (!has(CTADataBlockKind::Audio)) {
        return;
    }
    detail::ItemList items(kCTAItemIndent);
    for (const CTAShortAudioDescriptor& sad : collection.audioFormats) {
        items.add(audioText(sad));
    }
    reportList("CTAAudioFormats", items);
}

}  // namespace libEDID
