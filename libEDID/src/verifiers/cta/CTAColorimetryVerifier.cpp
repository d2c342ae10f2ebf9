#include "verifiers/cta/CTAColorimetryVerifier.h"

#include <array>
#include <string_view>

namespace libEDID {

void CTAColorimetryVerifier::verify() {
    // Byte 2 bits 0-7, then byte 3 bit 7 (decoded as bit 8).
    static constexpr std::array<std::string_view, 9> kNames{"xvYCC601",  "xvYCC709",  "sYCC601",
                                                            "opYCC601",  "opRGB",     "BT2020cYCC",
                                                            "BT2020YCC", "BT2020RGB", "DCI-P3"};
    if (collection.colorimetry) {
        reportBits("CTAColorimetry", *collection.colorimetry, kNames);
    }
}

}  // namespace libEDID
