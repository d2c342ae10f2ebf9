#include "verifiers/displayid/DisplayIDText.h"

#include <array>
#include <string>

#include "report/ReportText.h"

namespace libEDID::displayid {

namespace {

// Byte 3 of a 1.x section: display product type.
constexpr std::array<const char*, 7> kProductTypes{
    "DisplayIDTypeExtension",  "DisplayIDTypeTest",       "DisplayIDTypePanel",
    "DisplayIDTypeStandalone", "DisplayIDTypeTelevision", "DisplayIDTypeRepeater",
    "DisplayIDTypeDirectDrive"};

// Byte 3 of a 2.x section: display product primary use case.
constexpr std::array<const char*, 9> kUseCases{
    "DisplayIDUseExtension",    "DisplayIDTypeTest",     "DisplayIDUseGeneric",
    "DisplayIDUseTelevision",   "DisplayIDUseDesktop",   "DisplayIDUseGaming",
    "DisplayIDUsePresentation", "DisplayIDUseVRHeadset", "DisplayIDUseARHeadset"};

qor::String weekText(const DisplayIDProduct& product) {
    switch (product.week) {
        case 0:
            return qor::SprintfFormat("%u", product.year);
        case 0xFF:
            return qor::SprintfFormat("model year %u", product.year);
        default:
            return qor::SprintfFormat("week %u of %u", product.week, product.year);
    }
}

}  // namespace

qor::String versionText(const SectionHeader& header) {
    return qor::SprintfFormat("%u.%u", header.version, header.revision);
}

const char* productTypeKey(Family family, unsigned code) {
    if (family == Family::V2) {
        return code < kUseCases.size() ? kUseCases[code] : "UnknownReserved";
    }
    return code < kProductTypes.size() ? kProductTypes[code] : "UnknownReserved";
}

qor::String dataBlockText(const DisplayIDDataBlock& block) {
    return qor::SprintfFormat("%02Xh, %u bytes", block.tag, block.length);
}

qor::String timingText(const DisplayIDTiming& timing) {
    std::string text;
    text.reserve(64);
    detail::appendUnsigned(text, timing.hActive);
    text += " x ";
    detail::appendUnsigned(text, timing.vActive);
    text += " @ ";
    detail::appendFixed(text, timing.refreshHz(), 2);
    text += "Hz, ";
    detail::appendFixed(text, timing.pixelClockKHz / 1000.0, 2);
    text += " MHz";
    if (timing.interlaced) {
        text += ", interlaced";
    }
    if (timing.preferred) {
        text += ", preferred";
    }
    return text;
}

qor::String productText(const DisplayIDProduct& product) {
    qor::String text =
        qor::SprintfFormat("%s, product %04Xh, serial %08Xh, ", product.manufacturer.c_str(),
                           product.productCode, static_cast<unsigned>(product.serialNumber));
    text += weekText(product);
    if (!product.name.empty()) {
        text += qor::SprintfFormat(", \"%s\"", product.name.c_str());
    }
    return text;
}

qor::String displayParametersText(const DisplayIDDisplayParameters& parameters) {
    return qor::SprintfFormat("%u.%u x %u.%u mm, %u x %u pixels", parameters.imageWidthTenthMm / 10,
                              parameters.imageWidthTenthMm % 10, parameters.imageHeightTenthMm / 10,
                              parameters.imageHeightTenthMm % 10, parameters.nativeWidth,
                              parameters.nativeHeight);
}

qor::String tiledTopologyText(const DisplayIDTiledTopology& tiled) {
    return qor::SprintfFormat("%u x %u tiles of %u x %u at %u, %u", tiled.horizontalTiles,
                              tiled.verticalTiles, tiled.tileWidth, tiled.tileHeight, tiled.column,
                              tiled.row);
}

}  // namespace libEDID::displayid
