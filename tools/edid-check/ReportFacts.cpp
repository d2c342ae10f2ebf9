// The facts that the summary and the HTML report show, taken from the library's display model.

#include "ReportFacts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <tuple>

#include "ReportTexts.h"
#include "libEDID/DisplayInfo.h"

namespace edidcheck {

namespace {

constexpr std::size_t kBlockSize = 128;

// Audio format codes 1-15 (CTA-861 short audio descriptor, byte 0 bits 6-3).
constexpr std::array<std::string_view, 16> kAudioFormats{
    "",      "LPCM", "AC-3",   "MPEG-1", "MP3", "MPEG-2", "AAC LC",  "DTS",
    "ATRAC", "DSD",  "E-AC-3", "DTS-HD", "MAT", "DST",    "WMA Pro", "extended"};

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : std::string(separator)) + part;
    }
    return text;
}

std::string hexCode(unsigned value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0000";
    for (int i = 3; i >= 0; --i, value >>= 4) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0x0F];
    }
    return text;
}

std::string dateText(const libEDID::DisplayInfo& info) {
    if (info.modelYear) {
        return reportText("ReportModelYear", {{"year", std::to_string(*info.modelYear)}});
    }
    if (info.year == 0) {
        return {};
    }
    const std::string made =
        info.week ? reportText("ReportWeekYear", {{"week", std::to_string(*info.week)},
                                                  {"year", std::to_string(info.year)}})
                  : std::to_string(info.year);
    return reportText("ReportMade", {{"date", made}});
}

std::string sizeText(const libEDID::DisplayInfo& info) {
    if (!info.screenWidthCm || !info.screenHeightCm) {
        return {};
    }
    constexpr double kCmPerInch = 2.54;
    const double diagonal = std::hypot(*info.screenWidthCm, *info.screenHeightCm) / kCmPerInch;
    return reportText("ReportSize", {{"width", std::to_string(*info.screenWidthCm)},
                                     {"height", std::to_string(*info.screenHeightCm)},
                                     {"diagonal", decimal(diagonal, 1)}});
}

std::string identityOf(const libEDID::DisplayInfo& info) {
    std::vector<std::string> parts;
    const auto add = [&parts](std::string text) {
        if (!text.empty()) {
            parts.push_back(std::move(text));
        }
    };
    add(info.manufacturerName.value_or(info.manufacturerId));
    add(info.productName.empty() ? hexCode(info.productCode) : info.productName);
    const std::string serial = !info.serialText.empty() ? info.serialText
                               : info.serialNumber      ? std::to_string(*info.serialNumber)
                                                        : std::string();
    if (!serial.empty()) {
        add(reportText("ReportSerial", {{"serial", serial}}));
    }
    add(dateText(info));
    add(sizeText(info));
    return joined(parts, ", ");
}

// A rate to two decimals at most, without trailing zeros: "60", "59.94", "23.98".
std::string rateText(double hz) {
    std::string text = decimal(hz, 2);
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

std::string resolutionText(const libEDID::VideoTiming& timing) {
    return reportText("ReportResolution", {{"width", std::to_string(timing.hActive)},
                                           {"height", std::to_string(timing.frameLines())}}) +
           (timing.interlaced ? "i" : "");
}

void addModes(const libEDID::DisplayInfo& info, ReportFacts& facts) {
    std::vector<const libEDID::SupportedMode*> modes;
    for (const libEDID::SupportedMode& mode : info.modes) {
        modes.push_back(&mode);
    }
    // Largest picture first; within one resolution progressive first, then by falling rate.
    std::stable_sort(modes.begin(), modes.end(), [](const auto* a, const auto* b) {
        const libEDID::VideoTiming& x = a->timing;
        const libEDID::VideoTiming& y = b->timing;
        const auto key = [](const libEDID::VideoTiming& t) {
            return std::tuple(t.hActive * t.frameLines(), t.hActive, !t.interlaced);
        };
        if (key(x) != key(y)) {
            return key(x) > key(y);
        }
        return x.refreshHz() > y.refreshHz();
    });
    for (const libEDID::SupportedMode* mode : modes) {
        ModeRow row{resolutionText(mode->timing), rateText(mode->timing.refreshHz()),
                    mode->preferred, mode->native, mode->ycbcr420Only || mode->ycbcr420Capable};
        if (facts.modeGroups.empty() || facts.modeGroups.back().resolution != row.resolution) {
            facts.modeGroups.push_back({row.resolution, {}});
        }
        std::string& rates = facts.modeGroups.back().rates;
        const std::string listed = ", " + rates + ",";
        if (listed.find(", " + row.rate + ",") == std::string::npos) {
            rates += (rates.empty() ? "" : ", ") + row.rate;
        }
        facts.modes.push_back(std::move(row));
    }
    for (ModeGroup& group : facts.modeGroups) {
        group.rates = reportText("ReportRates", {{"rates", group.rates}});
    }
    if (info.preferredMode) {
        const libEDID::VideoTiming& timing = info.preferredMode->timing;
        facts.preferredMode = reportText("ReportModeAt", {{"resolution", resolutionText(timing)},
                                                          {"rate", rateText(timing.refreshHz())}});
    }
    if (info.nativeResolution) {
        facts.nativeResolution = reportText(
            "ReportResolution", {{"width", std::to_string(info.nativeResolution->width)},
                                 {"height", std::to_string(info.nativeResolution->height)}});
    }
}

std::string hdrText(const libEDID::HDRCapabilities& hdr) {
    std::vector<std::string> parts;
    const std::array<std::pair<bool, const char*>, 4> functions{{
        {hdr.traditionalSDR, "ReportEotfSDR"},
        {hdr.traditionalHDR, "ReportEotfHDR"},
        {hdr.smpteST2084, "ReportEotfPQ"},
        {hdr.hlg, "ReportEotfHLG"},
    }};
    for (const auto& [supported, key] : functions) {
        if (supported) {
            parts.push_back(reportText(key));
        }
    }
    std::string text = joined(parts, ", ");
    if (hdr.maxLuminance) {
        text += "; " +
                reportText("ReportLuminance", {{"max", decimal(*hdr.maxLuminance, 0)},
                                               {"min", decimal(hdr.minLuminance.value_or(0), 4)}});
    }
    return text;
}

std::string audioText(const std::vector<libEDID::AudioFormat>& formats) {
    std::vector<std::string> parts;
    for (const libEDID::AudioFormat& format : formats) {
        const std::string_view name = format.format < kAudioFormats.size()
                                          ? kAudioFormats[format.format]
                                          : std::string_view("?");
        parts.push_back(std::string(name.empty() ? "?" : name) + " " +
                        reportText("ReportChannels", {{"count", std::to_string(format.channels)}}));
    }
    return joined(parts, ", ");
}

std::string hdmiText(const libEDID::DisplayInfo& info) {
    std::vector<std::string> parts;
    unsigned tmds = info.hdmi ? info.hdmi->maxTMDSClockMHz : 0;
    if (info.hdmiForum && info.hdmiForum->maxTMDSRateMHz > 0) {
        tmds = info.hdmiForum->maxTMDSRateMHz;
    }
    if (tmds > 0) {
        parts.push_back(reportText("ReportTmds", {{"clock", std::to_string(tmds)}}));
    }
    if (info.hdmiForum && libEDID::frlLanes(info.hdmiForum->maxFRL) > 0) {
        const libEDID::FRLRate frl = info.hdmiForum->maxFRL;
        parts.push_back(
            reportText("ReportFrl", {{"lanes", std::to_string(libEDID::frlLanes(frl))},
                                     {"rate", std::to_string(libEDID::frlGbpsPerLane(frl))}}));
    }
    if (info.hdmiForum && info.hdmiForum->dsc) {
        parts.push_back(reportText("ReportDSC"));
    }
    if (info.hdmiForum && info.hdmiForum->allm) {
        parts.push_back(reportText("ReportALLM"));
    }
    if (parts.empty() && (info.hdmi || info.hdmiForum)) {
        parts.push_back(reportText("ReportPresent"));
    }
    return joined(parts, "; ");
}

// Dolby Vision with its version and target luminances, HDR10+.
std::string dynamicHDRText(const libEDID::DynamicHDR& dynamic) {
    std::vector<std::string> parts;
    if (const auto& vision = dynamic.dolbyVision) {
        parts.push_back(
            reportText("ReportDolbyVision", {{"version", std::to_string(vision->version)},
                                             {"min", decimal(vision->minLuminance, 4)},
                                             {"max", decimal(vision->maxLuminance, 0)}}));
    }
    if (dynamic.hdr10PlusVersion || dynamic.smpteST2094_40) {
        parts.push_back(reportText("ReportHDR10Plus"));
    }
    return joined(parts, ", ");
}

std::vector<Capability> capabilitiesOf(const libEDID::DisplayInfo& info) {
    std::vector<Capability> out;
    const auto add = [&out](const char* label, std::string value) {
        if (!value.empty()) {
            out.push_back({reportText(label), std::move(value)});
        }
    };
    std::string hdr = info.hdr ? hdrText(*info.hdr) : std::string();
    if (info.dynamicHDR) {
        const std::string dynamic = dynamicHDRText(*info.dynamicHDR);
        hdr += hdr.empty() || dynamic.empty() ? dynamic : "; " + dynamic;
    }
    add("ReportHDR", std::move(hdr));
    add("ReportAudio", audioText(info.audioFormats));
    add("ReportHDMI", hdmiText(info));
    if (info.vrr) {
        // A continuous-frequency range is no VRR block: the summary says where it comes from.
        const bool limits = info.vrr->source == libEDID::VRRSource::RangeLimits;
        add("ReportVRR", reportText(limits ? "ReportRangeContinuous" : "ReportRange",
                                    {{"min", std::to_string(info.vrr->minHz)},
                                     {"max", std::to_string(info.vrr->maxHz)}}));
    }
    if (info.tiledTopology) {
        const libEDID::TiledTopology& tiles = *info.tiledTopology;
        add("ReportTiles",
            reportText("ReportTileLayout", {{"columns", std::to_string(tiles.horizontalTiles)},
                                            {"rows", std::to_string(tiles.verticalTiles)},
                                            {"column", std::to_string(tiles.column + 1)},
                                            {"row", std::to_string(tiles.row + 1)}}));
    }
    return out;
}

// The label of a reference colour space by its stable name.
std::string gamutLabel(std::string_view id) {
    if (id == "srgb") {
        return reportText("ReportGamutSRGB");
    }
    return reportText(id == "dci-p3" ? "ReportGamutDCIP3" : "ReportGamutBT2020");
}

}  // namespace

std::vector<const Finding*> findingsBySeverity(const Examination& examination) {
    std::vector<const Finding*> out;
    for (const int level : {2, 1}) {
        for (const Finding& finding : examination.messages) {
            if (finding.level == level) {
                out.push_back(&finding);
            }
        }
    }
    return out;
}

ReportFacts factsOf(const Examination& examination) {
    ReportFacts facts;
    for (const Finding& finding : examination.messages) {
        facts.errors += finding.level == 2 ? 1 : 0;
        facts.warnings += finding.level == 1 ? 1 : 0;
    }
    if (!examination.ok || examination.edid.size() < kBlockSize) {
        return facts;
    }
    const libEDID::DisplayInfo info = examination.parser
                                          ? examination.parser->getDisplayInfo()
                                          : libEDID::decodeDisplayInfo(examination.edid);
    facts.identity = identityOf(info);
    facts.primaries = libEDID::primariesOf(info.chromaticity);
    for (const libEDID::ReferenceGamut& reference : libEDID::referenceGamuts()) {
        const std::string id = reference.name;
        facts.gamut.push_back(
            {gamutLabel(id), id, libEDID::gamutCoverage(*facts.primaries, reference.primaries)});
    }
    addModes(info, facts);
    facts.capabilities = capabilitiesOf(info);
    return facts;
}

}  // namespace edidcheck
