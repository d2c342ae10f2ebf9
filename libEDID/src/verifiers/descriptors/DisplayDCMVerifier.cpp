#include "verifiers/descriptors/DisplayDCMVerifier.h"

#include <array>

namespace libEDID {

namespace {

/// A coefficient of the tonal response polynomial of one primary: a3 or a2.
struct Coefficient {
    const char* colorKey;
    const char* name;
};

/// The six coefficients in descriptor order (06h-07h, 08h-09h, ... 10h-11h), each 16 bits,
/// least significant byte first.
constexpr std::array<Coefficient, 6> kCoefficients{{{"Red", "a3"},
                                                    {"Red", "a2"},
                                                    {"Green", "a3"},
                                                    {"Green", "a2"},
                                                    {"Blue", "a3"},
                                                    {"Blue", "a2"}}};
constexpr unsigned kFirstCoefficient = 1;  // payload position of descriptor byte 06h

}  // namespace

void DisplayDCMVerifier::verify() {
    qor::String text = detail::localized("DCMCoefficients") + " : " + detail::eol();
    qor::QORValue lines(qor::QORValue::TYPE_STRING_ARRAY, true, 0);
    for (std::size_t i = 0; i < kCoefficients.size(); ++i) {
        const std::size_t position = kFirstCoefficient + 2 * i;
        const unsigned value = payload[position] | (payload[position + 1] << 8u);
        const qor::String line = "  " + detail::localized(kCoefficients[i].colorKey) + " " +
                                 kCoefficients[i].name + " : " + detail::hexText(value, 4, "h");
        lines.append(line);
        text += line + detail::eol();
    }
    reportLabelledValue(detail::labelPair("DisplayDescriptor", "DisplayColorManagement"),
                        " " + detail::eol() + " " + text);
    notifySysInfoProperty("DCMTonalRespCoeff", lines);
}

}  // namespace libEDID
