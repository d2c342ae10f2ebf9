#include "libEDID/ModeQuery.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace libEDID {

namespace {

constexpr double kRateTolerance = 0.005;  // +-0.5% of the requested rate
constexpr std::size_t kNearestCount = 3;

unsigned frameLines(const VideoTiming& t) {
    return t.vActive * (t.interlaced ? 2 : 1);
}

bool matches(const SupportedMode& mode, const ModeRequest& r) {
    const VideoTiming& t = mode.timing;
    return t.hActive == r.width && frameLines(t) == r.height && t.interlaced == r.interlaced &&
           std::abs(t.refreshHz() - r.refreshHz) <= kRateTolerance * r.refreshHz;
}

/// Modes of the requested size come first, the closest rate first; then the closest area.
std::vector<SupportedMode> nearestModes(const std::vector<SupportedMode>& modes,
                                        const ModeRequest& r) {
    const auto distance = [&](const SupportedMode& m) {
        const double area = static_cast<double>(m.timing.hActive) * frameLines(m.timing);
        const double wanted = static_cast<double>(r.width) * r.height;
        const bool sameSize = m.timing.hActive == r.width && frameLines(m.timing) == r.height;
        return std::array<double, 2>{sameSize ? 0.0 : 1.0 + std::abs(area - wanted) / wanted,
                                     std::abs(m.timing.refreshHz() - r.refreshHz)};
    };
    std::vector<SupportedMode> sorted = modes;
    std::stable_sort(
        sorted.begin(), sorted.end(),
        [&](const SupportedMode& a, const SupportedMode& b) { return distance(a) < distance(b); });
    sorted.resize(std::min(sorted.size(), kNearestCount));
    return sorted;
}

/// The best of the matching modes: one with a pixel clock and not limited to 4:2:0 wins.
const SupportedMode* findMode(const DisplayInfo& info, const ModeRequest& r) {
    const SupportedMode* best = nullptr;
    const auto score = [&](const SupportedMode& m) {
        return (m.timing.pixelClockKHz != 0 ? 2 : 0) + (m.ycbcr420Only == r.ycbcr420 ? 1 : 0);
    };
    for (const SupportedMode& mode : info.modes) {
        if (matches(mode, r) && (best == nullptr || score(mode) > score(*best))) {
            best = &mode;
        }
    }
    return best;
}

void colourChecks(const DisplayInfo& info, const SupportedMode& mode, const ModeRequest& r,
                  std::vector<ModeReasonDetail>& out) {
    if (mode.ycbcr420Only && !r.ycbcr420) {
        out.push_back({ModeReason::OnlyYCbCr420, static_cast<double>(mode.vic), 0});
    }
    if (r.ycbcr420 && !mode.ycbcr420Only && !mode.ycbcr420Capable) {
        out.push_back({ModeReason::NoYCbCr420, static_cast<double>(mode.vic), 0});
    }
    if (r.hdr10 && !(info.hdr && info.hdr->smpteST2084)) {
        out.push_back({ModeReason::NoSMPTEST2084, 0, 0});
    }
    if (r.hlg && !(info.hdr && info.hdr->hlg)) {
        out.push_back({ModeReason::NoHLG, 0, 0});
    }
    if (r.bitsPerColor <= 8) {
        return;
    }
    if (info.hdmi) {
        // Deep colour of the HDMI block (RGB and 4:4:4); the 4:2:0 deep colour flags of the HDMI
        // Forum block are not part of the model, so 4:2:0 is not judged here.
        const HDMIInfo& h = *info.hdmi;
        const unsigned best = h.deepColor48 ? 16 : h.deepColor36 ? 12 : h.deepColor30 ? 10 : 8;
        const bool listed = (r.bitsPerColor == 10 && h.deepColor30) ||
                            (r.bitsPerColor == 12 && h.deepColor36) ||
                            (r.bitsPerColor == 16 && h.deepColor48);
        if (!listed && !r.ycbcr420) {
            out.push_back({ModeReason::DeepColorMissing, static_cast<double>(r.bitsPerColor),
                           static_cast<double>(best)});
        }
    } else if (info.videoInput.bitsPerColor && r.bitsPerColor > *info.videoInput.bitsPerColor) {
        out.push_back({ModeReason::DeepColorMissing, static_cast<double>(r.bitsPerColor),
                       static_cast<double>(*info.videoInput.bitsPerColor)});
    }
}

void linkChecks(const DisplayInfo& info, const VideoTiming& t, const ModeRequest& r,
                std::vector<ModeReasonDetail>& out) {
    if (!info.hdmi || t.pixelClockKHz == 0) {
        return;
    }
    const double perPixel = r.bitsPerColor / 8.0 * (r.ycbcr420 ? 0.5 : 1.0);
    const double tmdsMHz = t.pixelClockKHz / 1000.0 * perPixel;
    const unsigned maxTMDS = info.hdmiForum && info.hdmiForum->maxTMDSRateMHz != 0
                                 ? info.hdmiForum->maxTMDSRateMHz
                                 : info.hdmi->maxTMDSClockMHz;
    if (maxTMDS == 0 || tmdsMHz <= maxTMDS) {
        return;
    }
    const FRLRate frl = info.hdmiForum ? info.hdmiForum->maxFRL : FRLRate::None;
    if (frlLanes(frl) == 0) {
        out.push_back({ModeReason::TMDSRateTooHigh, tmdsMHz, static_cast<double>(maxTMDS)});
        return;
    }
    // Three colour components per pixel; FRL carries 16 bits of data in 18.
    const double neededGbps = tmdsMHz * 8 * 3 / 1000.0;
    const double capacityGbps = frlLanes(frl) * frlGbpsPerLane(frl) * 16.0 / 18.0;
    if (neededGbps > capacityGbps) {
        out.push_back({ModeReason::FRLRateTooHigh, neededGbps, capacityGbps});
    }
}

void rangeChecks(const DisplayInfo& info, const VideoTiming& t,
                 std::vector<ModeReasonDetail>& out) {
    if (!info.rangeLimits || t.pixelClockKHz == 0) {
        return;
    }
    const RangeLimits& limits = *info.rangeLimits;
    const double clockMHz = t.pixelClockKHz / 1000.0;
    if (limits.maxPixelClockKHz && t.pixelClockKHz > *limits.maxPixelClockKHz) {
        out.push_back(
            {ModeReason::PixelClockOutOfRange, clockMHz, *limits.maxPixelClockKHz / 1000.0});
    }
    // The limits are whole numbers: rates within half a unit of them are inside.
    const auto outside = [](double value, unsigned min, unsigned max) {
        return value < min - 0.5 || value > max + 0.5;
    };
    const double vertical = t.refreshHz();
    if (outside(vertical, limits.minVerticalHz, limits.maxVerticalHz)) {
        out.push_back(
            {ModeReason::VerticalRateOutOfRange, vertical,
             static_cast<double>(vertical < limits.minVerticalHz ? limits.minVerticalHz
                                                                 : limits.maxVerticalHz)});
    }
    const double horizontal = t.pixelClockKHz / static_cast<double>(t.hActive + t.hBlank);
    if (outside(horizontal, limits.minHorizontalKHz, limits.maxHorizontalKHz)) {
        out.push_back(
            {ModeReason::HorizontalRateOutOfRange, horizontal,
             static_cast<double>(horizontal < limits.minHorizontalKHz ? limits.minHorizontalKHz
                                                                      : limits.maxHorizontalKHz)});
    }
}

bool parseNumber(std::string_view text, unsigned& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool parseRate(std::string_view text, double& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty() && value > 0;
}

bool applyOption(std::string_view option, ModeRequest& r) {
    if (option == "hdr10") {
        r.hdr10 = true;
    } else if (option == "hlg") {
        r.hlg = true;
    } else if (option == "420") {
        r.ycbcr420 = true;
    } else if (option.size() > 3 && option.substr(option.size() - 3) == "bit") {
        unsigned bits = 0;
        if (!parseNumber(option.substr(0, option.size() - 3), bits)) {
            return false;
        }
        static constexpr std::array<unsigned, 5> kDepths{6, 8, 10, 12, 16};
        if (std::find(kDepths.begin(), kDepths.end(), bits) == kDepths.end()) {
            return false;
        }
        r.bitsPerColor = bits;
    } else {
        return false;
    }
    return true;
}

constexpr std::array<std::string_view, 11> kReasonCodes{
    "no-such-mode",
    "ycbcr420-only",
    "no-ycbcr420",
    "no-smpte-st2084",
    "no-hlg",
    "deep-color-missing",
    "tmds-rate-too-high",
    "frl-rate-too-high",
    "pixel-clock-out-of-range",
    "vertical-rate-out-of-range",
    "horizontal-rate-out-of-range",
};

}  // namespace

std::optional<ModeRequest> ModeRequest::parse(std::string_view text) {
    ModeRequest r;
    const std::size_t comma = text.find(',');
    std::string_view mode = text.substr(0, comma);
    const std::size_t x = mode.find('x');
    const std::size_t at = mode.find('@');
    if (x == std::string_view::npos || at == std::string_view::npos || at < x) {
        return std::nullopt;
    }
    std::string_view height = mode.substr(x + 1, at - x - 1);
    if (!height.empty() && height.back() == 'i') {
        r.interlaced = true;
        height.remove_suffix(1);
    }
    if (!parseNumber(mode.substr(0, x), r.width) || !parseNumber(height, r.height) ||
        !parseRate(mode.substr(at + 1), r.refreshHz) || r.width == 0 || r.height == 0) {
        return std::nullopt;
    }
    std::string_view rest = comma == std::string_view::npos ? "" : text.substr(comma + 1);
    while (comma != std::string_view::npos) {
        const std::size_t next = rest.find(',');
        if (!applyOption(rest.substr(0, next), r)) {
            return std::nullopt;
        }
        if (next == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(next + 1);
    }
    return r;
}

std::string_view modeReasonCode(ModeReason reason) {
    const auto index = static_cast<std::size_t>(reason) - 1;
    return index < kReasonCodes.size() ? kReasonCodes[index] : std::string_view();
}

ModeAnswer canDisplay(const DisplayInfo& info, const ModeRequest& request) {
    ModeAnswer answer;
    const SupportedMode* mode = findMode(info, request);
    if (mode == nullptr) {
        answer.reasons.push_back({ModeReason::NoSuchMode, request.refreshHz, 0});
        answer.nearest = nearestModes(info.modes, request);
        return answer;
    }
    answer.mode = *mode;
    colourChecks(info, *mode, request, answer.reasons);
    linkChecks(info, mode->timing, request, answer.reasons);
    rangeChecks(info, mode->timing, answer.reasons);
    answer.yes = answer.reasons.empty();
    return answer;
}

}  // namespace libEDID
