#include "verifiers/descriptors/DisplayColorPointVerifier.h"

#include <algorithm>

#include "verifiers/base/ChromaticityVerifier.h"

namespace libEDID {

namespace {

// Payload positions (descriptor offset - 05h). Each white point takes five bytes: index
// number, low bits (bits 3-2 x, bits 1-0 y), x bits 9-2, y bits 9-2, gamma.
constexpr unsigned kPointSize = 5;
constexpr unsigned kSecondPoint = 5;          // descriptor byte 0Ah
constexpr unsigned kLineFeedPosition = 10;    // descriptor byte 0Fh
constexpr unsigned kFirstSpacePosition = 11;  // descriptor bytes 10h and 11h
constexpr unsigned char kGammaInExtension = 0xFF;

qor::String coordinateText(bool lowBit2pow10, bool lowBit2pow9, unsigned char high) {
    return qor::SprintfFormat(
        "%1.4f", static_cast<double>(decodeChromaticity(lowBit2pow10, lowBit2pow9, high)));
}

}  // namespace

void DisplayColorPointVerifier::verify() {
    const unsigned char firstIndex = payload[0];
    const unsigned char secondIndex = payload[kSecondPoint];
    if (firstIndex == 0x00) {
        reportField(detail::localized("WhitePointIndex"), "00h");
    }
    qor::String text = detail::eol() + reportPoint(0, 0);
    if (secondIndex != 0x00) {
        text += reportPoint(kSecondPoint, 1);
    } else if (std::any_of(payload.begin() + kSecondPoint + 1,
                           payload.begin() + kSecondPoint + kPointSize,
                           [](unsigned char byte) { return byte != 0x00; })) {
        // Without a second white point its bytes 0Bh-0Eh must be zero.
        reportField(detail::filledText("DescriptorOffset", {{"offset", "0Bh-0Eh"}}),
                    detail::localized("NonZero"));
    }
    reportValue("ColorPointData", text);

    // The payload ends with a line feed and two spaces.
    if (payload[kLineFeedPosition] != 0x0A) {
        reportField(detail::filledText("DescriptorOffset", {{"offset", "0Fh"}}),
                    qor::SprintfFormat("%02X", payload[kLineFeedPosition]));
    }
    for (unsigned position = kFirstSpacePosition; position < payload.size(); ++position) {
        if (payload[position] != 0x20) {
            const unsigned offset = position + static_cast<unsigned>(layout::kDescriptorPayload);
            reportField(
                detail::filledText("DescriptorOffset", {{"offset", detail::hexText(offset, 2)}}),
                qor::SprintfFormat("%02X", payload[position]));
        }
    }
}

qor::String DisplayColorPointVerifier::reportPoint(unsigned first, unsigned number) {
    const unsigned char low = payload[first + 1];
    const unsigned char gamma = payload[first + 4];
    const qor::String suffix = detail::unsignedText(number);

    detail::DetailLines lines("  ", " " + detail::localized("WhitePoint"));
    const qor::String index = qor::SprintfFormat(" : %u ", payload[first]);
    lines.append(detail::eol() + "  " + detail::localized("Index") + index);
    notifySysInfoProperty("WhitePointIdx" + suffix, index);
    const qor::String chromaticity = detail::localized("Chromaticity");
    notifySysInfoProperty("WhitePointXChrom" + suffix,
                          lines.addLabelled("X " + chromaticity,
                                            coordinateText((low & 0x04u) != 0, (low & 0x08u) != 0,
                                                           payload[first + 2])));
    notifySysInfoProperty("WhitePointYChrom" + suffix,
                          lines.addLabelled("Y " + chromaticity,
                                            coordinateText((low & 0x01u) != 0, (low & 0x02u) != 0,
                                                           payload[first + 3])));
    if (gamma == kGammaInExtension) {
        lines.add("Gamma", detail::localized("InExtensionBlock"));
    } else {
        // Stored as gamma x 100 - 100.
        const float value = (static_cast<float>(gamma) + 100.0f) / 100.0f;
        notifySysInfoProperty(
            "WhitePointGamma" + suffix,
            lines.add("Gamma", qor::SprintfFormat("%1.2f", static_cast<double>(value))));
    }
    lines.append(detail::eol());
    return lines.text();
}

void DisplayColorPointVerifier::reportField(const qor::String& field, const qor::String& value) {
    // The descriptor word comes first here.
    logFinding("InvalidValueInField", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
               LibEDIDLog::LIBEDID_LOG_CAT_VALUE_IN_FIELD,
               {{"type", detail::labelPair("DisplayDescriptor", "ColorPointData")},
                {"field", field},
                {"value", value}});
}

}  // namespace libEDID
