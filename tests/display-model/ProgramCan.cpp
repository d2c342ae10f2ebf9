// Program (b) of docs/display-model.md: can the display take 3840x2160 at 120 Hz with HDR10
// (10 bits) over HDMI, and if not, what forbids it.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "libEDID/ModeQuery.h"

int main(int argc, char** argv) {
    std::ifstream in(argc > 1 ? argv[1] : "", std::ios::binary);
    const std::vector<std::uint8_t> edid{std::istreambuf_iterator<char>(in), {}};
    const auto request = libEDID::ModeRequest::parse("3840x2160@120,hdr10,10bit");
    const auto answer = libEDID::canDisplay(libEDID::decodeDisplayInfo(edid), *request);
    for (const libEDID::ModeReasonDetail& r : answer.reasons)
        std::printf("no: %s (needs %g, display %g)\n", libEDID::modeReasonCode(r.reason).data(),
                    r.required, r.limit);
    return answer.yes ? 0 : 1;
}
