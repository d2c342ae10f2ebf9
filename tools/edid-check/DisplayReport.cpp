#include "DisplayReport.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "libEDID/LibEDIDLog.h"

namespace edidcheck {

namespace {

using libEDID::ModeReason;

constexpr std::array<std::string_view, libEDID::kModeSourceCount> kSourceWords{
    "established", "standard",     "detailed", "established3", "cvt3",
    "cta-vic",     "cta-detailed", "hdmi-vic", "displayid",    "vtb",
};
constexpr std::array<std::string_view, 7> kInterfaceWords{
    "undefined", "dvi", "hdmi-a", "hdmi-b", "mddi", "displayport", "reserved",
};
constexpr std::array<std::string_view, 8> kFRLWords{
    "none", "3x3", "3x6", "4x6", "4x8", "4x10", "4x12", "reserved",
};

// VRRSource, in its order.
constexpr std::array<std::string_view, 5> kVRRSourceWords{
    "hdmi-forum", "adaptive-sync", "amd", "dynamic-range", "range-limits",
};

/// The text key of each reason, in the order of ModeReason from 1 on.
constexpr std::array<const char*, 11> kReasonKeys{
    "ModeReasonNoSuchMode",
    "ModeReasonYCbCr420Only",
    "ModeReasonNoYCbCr420",
    "ModeReasonNoSMPTEST2084",
    "ModeReasonNoHLG",
    "ModeReasonDeepColorMissing",
    "ModeReasonTMDSRateTooHigh",
    "ModeReasonFRLRateTooHigh",
    "ModeReasonPixelClockOutOfRange",
    "ModeReasonVerticalRateOutOfRange",
    "ModeReasonHorizontalRateOutOfRange",
};

unsigned frameLines(const libEDID::VideoTiming& t) {
    return t.vActive * (t.interlaced ? 2 : 1);
}

/// A number with at most `decimals` decimals, trailing zeros dropped.
std::string decimal(double value, int decimals = 3) {
    std::array<char, 64> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::fixed, decimals)
                         .ptr;
    std::string out(text.data(), end);
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0') {
            out.pop_back();
        }
        if (out.back() == '.') {
            out.pop_back();
        }
    }
    return out;
}

std::string modeName(const libEDID::VideoTiming& t) {
    return std::to_string(t.hActive) + "x" + std::to_string(frameLines(t)) +
           (t.interlaced ? "i" : "") + "@" + decimal(t.refreshHz(), 2);
}

std::string sourceList(const libEDID::SupportedMode& mode) {
    std::string out;
    for (const libEDID::ModeSource s : mode.sources) {
        out += std::string(out.empty() ? "" : " ") + std::string(sourceWord(s));
    }
    return out;
}

std::string flagList(const libEDID::SupportedMode& mode) {
    const std::array<std::pair<bool, const char*>, 5> flags{{{mode.timing.interlaced, "interlaced"},
                                                             {mode.preferred, "preferred"},
                                                             {mode.native, "native"},
                                                             {mode.ycbcr420Only, "420-only"},
                                                             {mode.ycbcr420Capable, "420"}}};
    std::string out;
    for (const auto& [on, word] : flags) {
        if (on) {
            out += std::string(out.empty() ? "" : " ") + word;
        }
    }
    return out;
}

void replaceAll(std::string& text, std::string_view placeholder, const std::string& value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
}

/// The localized text of one reason, its placeholders {required}, {limit} and {nearest} filled.
std::string reasonText(const libEDID::ModeReasonDetail& detail, const libEDID::ModeAnswer& a) {
    const auto index = static_cast<std::size_t>(detail.reason) - 1;
    std::string text = libEDID::LibEDIDLog::getString(kReasonKeys.at(index)).str();
    std::string nearest;
    for (const libEDID::SupportedMode& mode : a.nearest) {
        nearest += (nearest.empty() ? "" : ", ") + modeName(mode.timing);
    }
    replaceAll(text, "{required}", decimal(detail.required));
    replaceAll(text, "{limit}", decimal(detail.limit));
    replaceAll(text, "{nearest}", nearest);
    return text;
}

void number(JsonWriter& json, std::string_view name, double value) {
    json.key(name);
    if (!std::isfinite(value)) {
        json.null();
        return;
    }
    std::array<char, 64> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    json.raw(std::string_view(text.data(), static_cast<std::size_t>(end - text.data())));
}

template <typename T>
void optionalNumber(JsonWriter& json, std::string_view name, const std::optional<T>& value) {
    if (value) {
        number(json, name, static_cast<double>(*value));
    } else {
        json.key(name);
        json.null();
    }
}

void boolean(JsonWriter& json, std::string_view name, bool value) {
    json.key(name);
    json.boolean(value);
}

void modeJson(JsonWriter& json, const libEDID::SupportedMode& mode) {
    const libEDID::VideoTiming& t = mode.timing;
    json.beginObject();
    json.member("width", t.hActive);
    json.member("height", frameLines(t));
    number(json, "refreshHz", t.refreshHz());
    boolean(json, "interlaced", t.interlaced);
    json.member("pixelClockKHz", t.pixelClockKHz);
    json.key("sources");
    json.beginArray();
    for (const libEDID::ModeSource s : mode.sources) {
        json.string(sourceWord(s));
    }
    json.endArray();
    json.member("vic", mode.vic);
    boolean(json, "preferred", mode.preferred);
    boolean(json, "native", mode.native);
    boolean(json, "ycbcr420Only", mode.ycbcr420Only);
    boolean(json, "ycbcr420Capable", mode.ycbcr420Capable);
    json.endObject();
}

void videoInputJson(JsonWriter& json, const libEDID::VideoInput& in) {
    json.beginObject();
    boolean(json, "digital", in.digital);
    optionalNumber(json, "bitsPerColor", in.bitsPerColor);
    json.member("interface", kInterfaceWords[static_cast<std::size_t>(in.interface)]);
    json.member("signalLevel", in.signalLevel);
    boolean(json, "blankToBlackSetup", in.blankToBlackSetup);
    boolean(json, "separateSync", in.separateSync);
    boolean(json, "compositeSyncOnH", in.compositeSyncOnH);
    boolean(json, "syncOnGreen", in.syncOnGreen);
    boolean(json, "serrations", in.serrations);
    json.endObject();
}

void chromaticityJson(JsonWriter& json, const libEDID::Chromaticity& c) {
    json.beginObject();
    const std::array<std::pair<const char*, double>, 8> values{{{"redX", c.redX},
                                                                {"redY", c.redY},
                                                                {"greenX", c.greenX},
                                                                {"greenY", c.greenY},
                                                                {"blueX", c.blueX},
                                                                {"blueY", c.blueY},
                                                                {"whiteX", c.whiteX},
                                                                {"whiteY", c.whiteY}}};
    for (const auto& [name, value] : values) {
        number(json, name, value);
    }
    json.endObject();
}

/// `value` as an object written by `write`, or null.
template <typename T, typename Write>
void optionalObject(JsonWriter& json, std::string_view name, const std::optional<T>& value,
                    Write&& write) {
    json.key(name);
    if (!value) {
        json.null();
        return;
    }
    json.beginObject();
    write(*value);
    json.endObject();
}

void numberList(JsonWriter& json, std::string_view name, const auto& values) {
    json.key(name);
    json.beginArray();
    for (const unsigned value : values) {
        json.number(value);
    }
    json.endArray();
}

void capabilitiesJson(JsonWriter& json, const libEDID::DisplayInfo& info) {
    optionalObject(json, "rangeLimits", info.rangeLimits, [&](const libEDID::RangeLimits& r) {
        json.member("minVerticalHz", r.minVerticalHz);
        json.member("maxVerticalHz", r.maxVerticalHz);
        json.member("minHorizontalKHz", r.minHorizontalKHz);
        json.member("maxHorizontalKHz", r.maxHorizontalKHz);
        optionalNumber(json, "maxPixelClockKHz", r.maxPixelClockKHz);
    });
    optionalObject(json, "hdr", info.hdr, [&](const libEDID::HDRCapabilities& h) {
        boolean(json, "traditionalSDR", h.traditionalSDR);
        boolean(json, "traditionalHDR", h.traditionalHDR);
        boolean(json, "smpteST2084", h.smpteST2084);
        boolean(json, "hlg", h.hlg);
        optionalNumber(json, "maxLuminance", h.maxLuminance);
        optionalNumber(json, "maxFrameAverageLuminance", h.maxFrameAverageLuminance);
        optionalNumber(json, "minLuminance", h.minLuminance);
    });
    optionalObject(
        json, "colorimetry", info.colorimetry, [&](const libEDID::ColorimetrySupport& c) {
            const std::array<std::pair<const char*, bool>, 9> flags{{{"xvYCC601", c.xvYCC601},
                                                                     {"xvYCC709", c.xvYCC709},
                                                                     {"sYCC601", c.sYCC601},
                                                                     {"opYCC601", c.opYCC601},
                                                                     {"opRGB", c.opRGB},
                                                                     {"bt2020cYCC", c.bt2020cYCC},
                                                                     {"bt2020YCC", c.bt2020YCC},
                                                                     {"bt2020RGB", c.bt2020RGB},
                                                                     {"dciP3", c.dciP3}}};
            for (const auto& [name, on] : flags) {
                boolean(json, name, on);
            }
        });
    json.key("audioFormats");
    json.beginArray();
    for (const libEDID::AudioFormat& a : info.audioFormats) {
        json.beginObject();
        json.member("format", a.format);
        json.member("channels", a.channels);
        numberList(json, "sampleRatesHz", a.sampleRatesHz);
        numberList(json, "sampleSizesBits", a.sampleSizesBits);
        json.member("maxBitRateKbps", a.maxBitRateKbps);
        json.endObject();
    }
    json.endArray();
    boolean(json, "ycbcr444", info.ycbcr444);
    boolean(json, "ycbcr422", info.ycbcr422);
    optionalObject(json, "hdmi", info.hdmi, [&](const libEDID::HDMIInfo& h) {
        json.member("physicalAddress", h.physicalAddress);
        json.member("maxTMDSClockMHz", h.maxTMDSClockMHz);
        boolean(json, "deepColor30", h.deepColor30);
        boolean(json, "deepColor36", h.deepColor36);
        boolean(json, "deepColor48", h.deepColor48);
        boolean(json, "deepColorYCbCr444", h.deepColorYCbCr444);
        optionalNumber(json, "videoLatencyMs", h.videoLatencyMs);
        optionalNumber(json, "audioLatencyMs", h.audioLatencyMs);
        optionalNumber(json, "interlacedVideoLatencyMs", h.interlacedVideoLatencyMs);
        optionalNumber(json, "interlacedAudioLatencyMs", h.interlacedAudioLatencyMs);
        boolean(json, "present3D", h.present3D);
        boolean(json, "contentGraphics", h.contentGraphics);
        boolean(json, "contentPhoto", h.contentPhoto);
        boolean(json, "contentCinema", h.contentCinema);
        boolean(json, "contentGame", h.contentGame);
    });
    optionalObject(json, "hdmiForum", info.hdmiForum, [&](const libEDID::HDMIForumInfo& h) {
        json.member("maxTMDSRateMHz", h.maxTMDSRateMHz);
        boolean(json, "scdc", h.scdc);
        json.member("maxFRL", kFRLWords[static_cast<std::size_t>(h.maxFRL)]);
        json.member("frlLanes", libEDID::frlLanes(h.maxFRL));
        json.member("frlGbpsPerLane", libEDID::frlGbpsPerLane(h.maxFRL));
        const std::array<std::pair<const char*, bool>, 7> features{
            {{"allm", h.allm},
             {"fva", h.fva},
             {"qms", h.qms},
             {"cinemaVRR", h.cinemaVRR},
             {"deepColor420_30", h.deepColor420_30},
             {"deepColor420_36", h.deepColor420_36},
             {"deepColor420_48", h.deepColor420_48}}};
        for (const auto& [name, on] : features) {
            boolean(json, name, on);
        }
        optionalObject(json, "dsc", h.dsc, [&](const libEDID::DSCInfo& d) {
            const std::array<std::pair<const char*, bool>, 5> flags{{{"bpc10", d.bpc10},
                                                                     {"bpc12", d.bpc12},
                                                                     {"bpc16", d.bpc16},
                                                                     {"allBpp", d.allBpp},
                                                                     {"native420", d.native420}}};
            for (const auto& [name, on] : flags) {
                boolean(json, name, on);
            }
            json.member("maxSlices", d.maxSlices);
            json.member("maxPixelClockPerSliceMHz", d.maxPixelClockPerSliceMHz);
            json.member("maxFRL", kFRLWords[static_cast<std::size_t>(d.maxFRL)]);
            json.member("totalChunkBytes", d.totalChunkBytes);
        });
    });
    optionalObject(json, "vrr", info.vrr, [&](const libEDID::VRRRange& v) {
        json.member("minHz", v.minHz);
        json.member("maxHz", v.maxHz);
        json.member("source", kVRRSourceWords[static_cast<std::size_t>(v.source)]);
    });
    optionalObject(json, "tiledTopology", info.tiledTopology, [&](const libEDID::TiledTopology& t) {
        json.member("horizontalTiles", t.horizontalTiles);
        json.member("verticalTiles", t.verticalTiles);
        json.member("column", t.column);
        json.member("row", t.row);
        json.member("tileWidth", t.tileWidth);
        json.member("tileHeight", t.tileHeight);
    });
}

// The dynamic HDR metadata the display takes (after the extension blocks, as in DisplayInfo).
void dynamicHDRJson(JsonWriter& json, const libEDID::DisplayInfo& info) {
    optionalObject(json, "dynamicHDR", info.dynamicHDR, [&](const libEDID::DynamicHDR& d) {
        boolean(json, "smpteST2094_10", d.smpteST2094_10);
        boolean(json, "etsiTS103433", d.etsiTS103433);
        boolean(json, "itutH265", d.itutH265);
        boolean(json, "smpteST2094_40", d.smpteST2094_40);
        optionalObject(json, "dolbyVision", d.dolbyVision, [&](const libEDID::DolbyVisionInfo& v) {
            json.member("version", v.version);
            json.member("dmMajor", v.dmMajor);
            number(json, "minLuminance", v.minLuminance);
            number(json, "maxLuminance", v.maxLuminance);
            boolean(json, "yuv422Bits12", v.yuv422Bits12);
            boolean(json, "supports2160p60", v.supports2160p60);
            boolean(json, "globalDimming", v.globalDimming);
            boolean(json, "lowLatency", v.lowLatency);
            json.member("rgbYUV444Bits", v.rgbYUV444Bits);
        });
        optionalNumber(json, "hdr10PlusVersion", d.hdr10PlusVersion);
    });
}

libEDID::ModeAnswer answerOf(const libEDID::DisplayInfo& info, const CanRequest& r) {
    return libEDID::canDisplay(info, r.request);
}

}  // namespace

std::string_view sourceWord(libEDID::ModeSource source) {
    return kSourceWords[static_cast<std::size_t>(source)];
}

void writeModesTable(std::ostream& out, std::string_view sourceName,
                     const libEDID::DisplayInfo& info) {
    out << sourceName << '\n';
    std::array<char, 160> line{};
    std::snprintf(line.data(), line.size(), "  %-12s %10s %13s  %-28s %s\n", "Resolution",
                  "Refresh", "Pixel clock", "Flags", "Sources");
    out << line.data();
    for (const libEDID::SupportedMode& mode : info.modes) {
        const libEDID::VideoTiming& t = mode.timing;
        const std::string size = std::to_string(t.hActive) + "x" + std::to_string(frameLines(t));
        std::array<char, 32> refresh{};
        std::snprintf(refresh.data(), refresh.size(), "%.2f Hz", t.refreshHz());
        std::array<char, 32> clock{};
        if (t.pixelClockKHz != 0) {
            std::snprintf(clock.data(), clock.size(), "%.3f MHz", t.pixelClockKHz / 1000.0);
        } else {
            clock[0] = '-';
        }
        std::snprintf(line.data(), line.size(), "  %-12s %10s %13s  %-28s %s\n", size.c_str(),
                      refresh.data(), clock.data(), flagList(mode).c_str(),
                      sourceList(mode).c_str());
        out << line.data();
    }
}

bool writeCanLines(std::ostream& out, std::string_view sourceName, const libEDID::DisplayInfo& info,
                   const std::vector<CanRequest>& requests) {
    bool all = true;
    for (const CanRequest& r : requests) {
        const libEDID::ModeAnswer a = answerOf(info, r);
        all = all && a.yes;
        out << sourceName << ": " << r.text << ": "
            << libEDID::LibEDIDLog::getString(a.yes ? "ModeAnswerYes" : "ModeAnswerNo").str();
        for (std::size_t i = 0; i < a.reasons.size(); ++i) {
            out << (i == 0 ? ": " : "; ") << reasonText(a.reasons[i], a);
        }
        out << '\n';
    }
    return all;
}

void writeDisplayJson(JsonWriter& json, const libEDID::DisplayInfo& info) {
    json.beginObject();
    json.member("manufacturerId", info.manufacturerId);
    json.key("manufacturerName");
    json.stringOrNull(info.manufacturerName);
    json.member("productCode", info.productCode);
    optionalNumber(json, "serialNumber", info.serialNumber);
    json.member("serialText", info.serialText);
    json.member("productName", info.productName);
    optionalNumber(json, "week", info.week);
    json.member("year", info.year);
    optionalNumber(json, "modelYear", info.modelYear);
    json.member("version", info.version);
    json.member("revision", info.revision);
    json.key("videoInput");
    videoInputJson(json, info.videoInput);
    optionalNumber(json, "screenWidthCm", info.screenWidthCm);
    optionalNumber(json, "screenHeightCm", info.screenHeightCm);
    optionalNumber(json, "aspectRatio", info.aspectRatio);
    optionalNumber(json, "gamma", info.gamma);
    json.key("chromaticity");
    chromaticityJson(json, info.chromaticity);
    boolean(json, "sRGBDefault", info.sRGBDefault);
    json.key("modes");
    json.beginArray();
    for (const libEDID::SupportedMode& mode : info.modes) {
        modeJson(json, mode);
    }
    json.endArray();
    json.key("preferredMode");
    if (info.preferredMode) {
        modeJson(json, *info.preferredMode);
    } else {
        json.null();
    }
    optionalObject(json, "nativeResolution", info.nativeResolution,
                   [&](const libEDID::Resolution& r) {
                       json.member("width", r.width);
                       json.member("height", r.height);
                   });
    capabilitiesJson(json, info);
    json.key("extensionBlocks");
    json.beginArray();
    for (const libEDID::ExtensionBlockInfo& block : info.extensionBlocks) {
        json.beginObject();
        json.member("blockNumber", block.blockNumber);
        json.member("tag", block.tag);
        json.endObject();
    }
    json.endArray();
    dynamicHDRJson(json, info);
    json.endObject();
}

bool writeCanJson(JsonWriter& json, const libEDID::DisplayInfo& info,
                  const std::vector<CanRequest>& requests) {
    bool all = true;
    json.beginArray();
    for (const CanRequest& r : requests) {
        const libEDID::ModeAnswer a = answerOf(info, r);
        all = all && a.yes;
        json.beginObject();
        json.member("request", r.text);
        boolean(json, "yes", a.yes);
        json.key("reasons");
        json.beginArray();
        for (const libEDID::ModeReasonDetail& detail : a.reasons) {
            json.beginObject();
            json.member("code", libEDID::modeReasonCode(detail.reason));
            json.member("text", reasonText(detail, a));
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    return all;
}

}  // namespace edidcheck
