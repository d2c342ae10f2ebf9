#include "verifiers/displayid/DisplayIDText.h"

#include <array>
#include <string>

#include "report/MessageBuilder.h"
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
    const qor::String year = detail::unsignedText(product.year);
    switch (product.week) {
        case 0:
            return year;
        case 0xFF:
            return detail::filledText("DisplayIDModelYear", {{"year", year}});
        default:
            return detail::filledText(
                "DisplayIDWeek", {{"week", detail::unsignedText(product.week)}, {"year", year}});
    }
}

// "<whole>.<tenth>" of a length in tenths of a millimetre.
qor::String tenthsText(unsigned tenths) {
    return detail::unsignedText(tenths / 10) + "." + detail::unsignedText(tenths % 10);
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
    return detail::filledText(
        "DisplayIDDataBlockText",
        {{"tag", detail::hexByte(block.tag)}, {"length", detail::unsignedText(block.length)}});
}

qor::String timingText(const DisplayIDTiming& timing) {
    std::string text;
    text.reserve(64);
    detail::appendTimingText(text, timing.hActive, timing.vActive, timing.refreshHz(),
                             timing.pixelClockKHz, timing.interlaced);
    if (timing.preferred) {
        text += ", ";
        text += detail::localized("DisplayIDPreferred").str();
    }
    return text;
}

qor::String productText(const DisplayIDProduct& product) {
    qor::String text = detail::filledText(
        "DisplayIDProductText",
        {{"manufacturer", product.manufacturer.c_str()},
         {"product", detail::hexText(product.productCode, 4, "h")},
         {"serial", detail::hexText(static_cast<unsigned>(product.serialNumber), 8, "h")},
         {"date", weekText(product)}});
    if (!product.name.empty()) {
        text += ", " + detail::filledText("DisplayIDProductName", {{"name", product.name.c_str()}});
    }
    return text;
}

qor::String displayParametersText(const DisplayIDDisplayParameters& parameters) {
    return detail::filledText("DisplayIDParametersText",
                              {{"width", tenthsText(parameters.imageWidthTenthMm)},
                               {"height", tenthsText(parameters.imageHeightTenthMm)},
                               {"columns", detail::unsignedText(parameters.nativeWidth)},
                               {"rows", detail::unsignedText(parameters.nativeHeight)}});
}

qor::String tiledTopologyText(const DisplayIDTiledTopology& tiled) {
    return detail::filledText("DisplayIDTiledText",
                              {{"columns", detail::unsignedText(tiled.horizontalTiles)},
                               {"rows", detail::unsignedText(tiled.verticalTiles)},
                               {"width", detail::unsignedText(tiled.tileWidth)},
                               {"height", detail::unsignedText(tiled.tileHeight)},
                               {"column", detail::unsignedText(tiled.column)},
                               {"row", detail::unsignedText(tiled.row)}});
}

}  // namespace libEDID::displayid
