#include "ReportFacts.h"

#include <array>
#include <cmath>
#include <span>
#include <string_view>

#include "ReportTexts.h"

namespace edidcheck {

namespace {

constexpr std::size_t kBlockSize = 128;
constexpr std::size_t kHorizontalSizeCm = 0x15;  // both bytes non-zero: the image size in cm
constexpr std::size_t kVerticalSizeCm = 0x16;

// Audio format codes 1-15 (CTA-861 short audio descriptor, byte 0 bits 6-3).
constexpr std::array<std::string_view, 16> kAudioFormats{
    "",      "LPCM", "AC-3",   "MPEG-1", "MP3", "MPEG-2", "AAC LC",  "DTS",
    "ATRAC", "DSD",  "E-AC-3", "DTS-HD", "MAT", "DST",    "WMA Pro", "extended"};

// FRL rates by the HDMI Forum block's Max_FRL_Rate code: lanes and Gbit/s per lane.
struct FrlRate {
    unsigned lanes;
    unsigned gbps;
};
constexpr std::array<FrlRate, 7> kFrlRates{
    {{0, 0}, {3, 3}, {3, 6}, {4, 6}, {4, 8}, {4, 10}, {4, 12}}};

// HDR static metadata transfer functions by bit (byte 1 bits 0-3).
constexpr std::array<std::string_view, 4> kTransferFunctions{"ReportEotfSDR", "ReportEotfHDR",
                                                             "ReportEotfPQ", "ReportEotfHLG"};

std::string propertyText(const Examination& examination, std::string_view name) {
    for (const Property& property : examination.properties) {
        if (property.name == name && property.value.getIfString() != nullptr) {
            return property.value.getIfString()->str();
        }
    }
    return {};
}

std::string sizeText(std::span<const unsigned char> base) {
    const unsigned width = base[kHorizontalSizeCm];
    const unsigned height = base[kVerticalSizeCm];
    if (width == 0 || height == 0) {
        return {};
    }
    constexpr double kCmPerInch = 2.54;
    const double diagonal = std::hypot(width, height) / kCmPerInch;
    return reportText("ReportSize", {{"width", std::to_string(width)},
                                     {"height", std::to_string(height)},
                                     {"diagonal", decimal(diagonal, 1)}});
}

std::string identityOf(const Examination& examination) {
    std::vector<std::string> parts;
    const auto add = [&parts](std::string text) {
        if (!text.empty()) {
            parts.push_back(std::move(text));
        }
    };
    std::string maker = propertyText(examination, "MonitorManufacturer");
    add(maker.empty() ? propertyText(examination, "ManufacturerNameID") : maker);
    add(examination.productName.empty() ? propertyText(examination, "ProductCodeID")
                                        : examination.productName);
    if (!examination.serialNumber.empty()) {
        add(reportText("ReportSerial", {{"serial", examination.serialNumber}}));
    }
    if (const std::string date = propertyText(examination, "MonitorManufactureDate");
        !date.empty()) {
        add(reportText("ReportMade", {{"date", date}}));
    }
    if (examination.edid.size() >= kBlockSize) {
        add(sizeText(std::span(examination.edid).first(kBlockSize)));
    }
    std::string line;
    for (const std::string& part : parts) {
        line += (line.empty() ? "" : ", ") + part;
    }
    return line;
}

std::string hdrText(const libEDID::CTAHDRStaticMetadata& hdr) {
    std::string text;
    for (unsigned bit = 0; bit < kTransferFunctions.size(); ++bit) {
        if ((hdr.transferFunctions >> bit) & 1U) {
            text += (text.empty() ? "" : ", ") + reportText(kTransferFunctions[bit]);
        }
    }
    if (hdr.maxLuminance) {
        text += "; " +
                reportText("ReportLuminance", {{"max", decimal(*hdr.maxLuminance, 0)},
                                               {"min", decimal(hdr.minLuminance.value_or(0), 4)}});
    }
    return text;
}

std::string audioText(const std::vector<libEDID::CTAShortAudioDescriptor>& formats) {
    std::string text;
    for (const libEDID::CTAShortAudioDescriptor& format : formats) {
        const std::string_view name = format.format < kAudioFormats.size()
                                          ? kAudioFormats[format.format]
                                          : std::string_view("?");
        text += (text.empty() ? "" : ", ") + std::string(name.empty() ? "?" : name) + " " +
                reportText("ReportChannels", {{"count", std::to_string(format.channels)}});
    }
    return text;
}

std::string hdmiText(const libEDID::CTADataBlockCollection& blocks) {
    std::string text;
    if (blocks.hdmi && blocks.hdmi->maxTMDSClock > 0) {
        text = reportText("ReportTmds", {{"clock", std::to_string(blocks.hdmi->maxTMDSClock)}});
    }
    if (blocks.hdmiForum) {
        if (blocks.hdmiForum->maxTMDSRate > 0) {
            text = reportText("ReportTmds",
                              {{"clock", std::to_string(blocks.hdmiForum->maxTMDSRate)}});
        }
        const unsigned frl = blocks.hdmiForum->maxFRL.value_or(0);
        if (frl > 0 && frl < kFrlRates.size()) {
            text += (text.empty() ? "" : "; ") +
                    reportText("ReportFrl", {{"lanes", std::to_string(kFrlRates[frl].lanes)},
                                             {"rate", std::to_string(kFrlRates[frl].gbps)}});
        }
    }
    if (text.empty() && (blocks.hdmi || blocks.hdmiForum)) {
        text = reportText("ReportPresent");
    }
    return text;
}

// Capabilities from the data block collections of the CTA-861 blocks and DisplayID sections.
void addCollection(const libEDID::CTADataBlockCollection& blocks, std::vector<Capability>& out) {
    const auto add = [&out](const char* label, std::string value) {
        if (!value.empty()) {
            out.push_back({reportText(label), std::move(value)});
        }
    };
    if (blocks.hdrStaticMetadata) {
        add("ReportHDR", hdrText(*blocks.hdrStaticMetadata));
    }
    add("ReportAudio", audioText(blocks.audioFormats));
    add("ReportHDMI", hdmiText(blocks));
    if (blocks.vrrRange) {
        add("ReportVRR",
            reportText("ReportRange", {{"min", std::to_string(blocks.vrrRange->minimum)},
                                       {"max", std::to_string(blocks.vrrRange->maximum)}}));
    }
}

std::vector<Capability> capabilitiesOf(const libEDID::EDIDParser& parser) {
    std::vector<Capability> out;
    for (const libEDID::CTABlock& block : parser.getCTABlocks()) {
        addCollection(block.dataBlocks, out);
    }
    for (const libEDID::DisplayIDSection& section : parser.getDisplayIDBlocks()) {
        for (const libEDID::CTADataBlockCollection& blocks : section.ctaData) {
            addCollection(blocks, out);
        }
        if (section.tiledTopology) {
            const libEDID::DisplayIDTiledTopology& tiles = *section.tiledTopology;
            out.push_back(
                {reportText("ReportTiles"),
                 reportText("ReportTileLayout", {{"columns", std::to_string(tiles.horizontalTiles)},
                                                 {"rows", std::to_string(tiles.verticalTiles)},
                                                 {"column", std::to_string(tiles.column + 1)},
                                                 {"row", std::to_string(tiles.row + 1)}})});
        }
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
    facts.identity = identityOf(examination);
    facts.primaries =
        libEDID::primariesOf(libEDID::decodeDisplayInfo(examination.edid).chromaticity);
    for (const libEDID::ReferenceGamut& reference : libEDID::referenceGamuts()) {
        const std::string id = reference.name;
        facts.gamut.push_back(
            {gamutLabel(id), id, libEDID::gamutCoverage(*facts.primaries, reference.primaries)});
    }
    if (examination.parser) {
        facts.capabilities = capabilitiesOf(*examination.parser);
    }
    return facts;
}

}  // namespace edidcheck
