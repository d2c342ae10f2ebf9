// Program (a) of docs/display-model.md: the modes, the preferred one, the native resolution
// and the physical size of the display whose EDID file is given.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "libEDID/DisplayInfo.h"

int main(int argc, char** argv) {
    std::ifstream in(argc > 1 ? argv[1] : "", std::ios::binary);
    const std::vector<std::uint8_t> edid{std::istreambuf_iterator<char>(in), {}};
    const libEDID::DisplayInfo info = libEDID::decodeDisplayInfo(edid);
    for (const libEDID::SupportedMode& mode : info.modes) {
        const libEDID::VideoTiming& t = mode.timing;
        std::printf("%ux%u%s @ %.2f Hz%s\n", t.hActive, t.frameLines(), t.interlaced ? "i" : "",
                    t.refreshHz(), mode.preferred ? " (preferred)" : "");
    }
    if (const auto& native = info.nativeResolution) {
        std::printf("native: %ux%u\n", native->width, native->height);
    }
    if (info.screenWidthCm && info.screenHeightCm) {
        std::printf("size: %u x %u cm\n", *info.screenWidthCm, *info.screenHeightCm);
    }
}
