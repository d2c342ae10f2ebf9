// Program (c) of docs/display-model.md: a monitoring agent's identity line for each display,
// from the EDID files given or, without arguments, from every connector of Linux's DRM.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "libEDID/DisplayInfo.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> paths(argv + 1, argv + argc);
    std::error_code error;
    if (paths.empty()) {
        for (const auto& entry : fs::directory_iterator("/sys/class/drm", error)) {
            paths.push_back(entry.path() / "edid");
        }
    }
    for (const fs::path& path : paths) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> edid{std::istreambuf_iterator<char>(in), {}};
        if (edid.size() < 128) {
            continue;  // no display on this connector
        }
        const libEDID::DisplayInfo d = libEDID::decodeDisplayInfo(edid);
        const auto* mode = d.preferredMode ? &d.preferredMode->timing : nullptr;
        std::printf("%s|%s|%s|%04X|%u|%u|%ux%u@%.2f\n", d.manufacturerId.c_str(),
                    d.manufacturerName.value_or("").c_str(), d.productName.c_str(), d.productCode,
                    d.serialNumber.value_or(0), d.year ? d.year : d.modelYear.value_or(0),
                    mode ? mode->hActive : 0, mode ? mode->frameLines() : 0,
                    mode ? mode->refreshHz() : 0.0);
    }
}
