#include "conformity/BaseBlockConformity.h"

#include <array>
#include <optional>
#include <string>

#include "libEDID/DisplayInfo.h"

namespace libEDID::conformity {

namespace {

constexpr auto kCategory = LibEDIDLog::LIBEDID_LOG_CAT_BASE_CONFORMITY;

using Codes = decode::ChromaticityCodes;

/// One 10-bit chromaticity code of sRGB (IEC 61966-2-1): red 0.640/0.330, green 0.300/0.600,
/// blue 0.150/0.060, white D65 0.3127/0.3290, each the nearest multiple of 1/1024.
struct SRGBCode {
    const char* name;
    decode::ChromaticityCode Codes::*field;
    std::uint16_t code;
};

constexpr std::array<SRGBCode, 8> kSRGBCodes{{
    {"Rx", &Codes::redX, 655},
    {"Ry", &Codes::redY, 338},
    {"Gx", &Codes::greenX, 307},
    {"Gy", &Codes::greenY, 614},
    {"Bx", &Codes::blueX, 154},
    {"By", &Codes::blueY, 61},
    {"Wx", &Codes::whiteX, 320},
    {"Wy", &Codes::whiteY, 337},
}};

// Byte 14h bits 6-1 of a digital input before E-EDID 1.4.
constexpr std::uint8_t kReservedInputBits13 = 0x7E;

// The screen size (15h-16h) is in whole centimetres; an image size in millimetres that differs
// by this much or more is not the same size rounded.
constexpr unsigned kImageSizeToleranceMm = 10;

bool sizesDiffer(unsigned imageMm, unsigned screenCm) {
    const unsigned screenMm = screenCm * 10;
    const unsigned difference = imageMm > screenMm ? imageMm - screenMm : screenMm - imageMm;
    return difference >= kImageSizeToleranceMm;
}

/// A timing with its pixel clock and where the EDID lists it.
struct ListedTiming {
    VideoTiming timing;
    const char* kind;  ///< "DTD" or "VIC"
    unsigned block;    ///< 0: the base block
    unsigned number;   ///< the slot of a DTD (from 1), the VIC
};

double verticalHz(const VideoTiming& t) {
    return t.refreshHz();
}
double horizontalKHz(const VideoTiming& t) {
    const unsigned total = t.hActive + t.hBlank;
    return total == 0 ? 0.0 : static_cast<double>(t.pixelClockKHz) / total;
}
double pixelClockMHz(const VideoTiming& t) {
    return t.pixelClockKHz / 1000.0;
}

/// One limit pair of the range limits descriptor (FDh) and the quantity of a timing it bounds.
struct RangeRule {
    const char* key;
    double (*value)(const VideoTiming&);
    double (*low)(const decode::RangeLimitsDescriptor&);
    double (*high)(const decode::RangeLimitsDescriptor&);  ///< 0: no upper limit given
    int decimals;                                          ///< of the timing's value
    int limitDecimals;  ///< of the limits: whole Hz and kHz, the pixel clock in 0.25 MHz steps
};

constexpr std::array<RangeRule, 3> kRangeRules{{
    {"ConfRangeVertical", verticalHz,
     [](const decode::RangeLimitsDescriptor& r) { return double(r.minVerticalHz); },
     [](const decode::RangeLimitsDescriptor& r) { return double(r.maxVerticalHz); }, 2, 0},
    {"ConfRangeHorizontal", horizontalKHz,
     [](const decode::RangeLimitsDescriptor& r) { return double(r.minHorizontalKHz); },
     [](const decode::RangeLimitsDescriptor& r) { return double(r.maxHorizontalKHz); }, 2, 0},
    {"ConfRangePixelClock", pixelClockMHz, [](const decode::RangeLimitsDescriptor&) { return 0.0; },
     [](const decode::RangeLimitsDescriptor& r) { return r.maxPixelClockKHz() / 1000.0; }, 2, 2},
}};

/// The timings of one range rule that lie outside, and the one farthest outside.
struct RangeViolation {
    unsigned count = 0;
    double distance = 0;
    double value = 0;
    std::optional<ListedTiming> farthest;
};

/// "DTD 2" in the base block, "block 1 DTD 2" or "block 1 VIC 20" in an extension block.
std::string timingSource(unsigned block, unsigned number, const char* kind = "DTD") {
    std::string text;
    if (block != 0) {
        text += "block " + std::to_string(block) + ' ';
    }
    return text + kind + ' ' + std::to_string(number);
}

/// "block 1 VIC 20: 1920 x 1080i @ 50.00 Hz": where the timing is listed, and the mode.
std::string timingText(const ListedTiming& listed) {
    const VideoTiming& t = listed.timing;
    std::string text = timingSource(listed.block, listed.number, listed.kind) + ": ";
    text += std::to_string(t.hActive) + " x " +
            std::to_string(t.interlaced ? t.vActive * 2 : t.vActive);
    text += t.interlaced ? "i @ " : " @ ";
    text += detail::fixedText(t.refreshHz(), 2).str();
    return text + " Hz";
}

}  // namespace

void BaseBlockConformity::verify() {
    checkSRGB();
    checkImageSizes();
    checkInterface();
    checkRangeLimits();
}

// Feature byte 18h bit 2: sRGB is the default colour space, so the chromaticity codes (19h-22h)
// are those of sRGB at the precision of their 10 bits.
void BaseBlockConformity::checkSRGB() {
    if (!base_.features.sRGBDefault) {
        return;
    }
    std::string differing;
    for (const SRGBCode& expected : kSRGBCodes) {
        const std::uint16_t code = (base_.chromaticity.*expected.field).code;
        if (code != expected.code) {
            differing += differing.empty() ? "" : ", ";
            differing += expected.name;
            differing += ' ';
            differing += std::to_string(code);
            differing += " (";
            differing += std::to_string(expected.code);
            differing += ')';
        }
    }
    if (!differing.empty()) {
        logMesg(message("ConfSRGBPrimaries", kWarning, kCategory, {{"codes", differing.c_str()}}));
    }
}

// The image size of a detailed timing (bytes 12-14) is the screen size (15h-16h) in
// millimetres; both are given or neither. This holds for the detailed timings of the CTA-861
// blocks too.
void BaseBlockConformity::checkImageSizes() {
    for (unsigned i = 0; i < base_.descriptors.size(); ++i) {
        if (const auto& timing = base_.descriptors[i].timing) {
            checkImageSize(*timing, 0, i + 1);
        }
    }
    for (const CTABlock& block : ctaBlocks()) {
        for (unsigned i = 0; i < block.detailedTimings.size(); ++i) {
            if (const auto timing = decode::decodeDetailedTiming(block.detailedTimings[i])) {
                checkImageSize(*timing, block.blockNumber, i + 1);
            }
        }
    }
}

void BaseBlockConformity::checkImageSize(const decode::DetailedTiming& timing, unsigned block,
                                         unsigned number) {
    const bool screenGiven = base_.widthCm && base_.heightCm;
    const unsigned width = timing.hImageSizeMm;
    const unsigned height = timing.vImageSizeMm;
    const bool imageGiven = width != 0 || height != 0;
    const char* key = nullptr;
    if (imageGiven && screenGiven) {
        if (sizesDiffer(width, *base_.widthCm) || sizesDiffer(height, *base_.heightCm)) {
            key = "ConfImageSizeMismatch";
        }
    } else if (screenGiven) {
        key = "ConfImageSizeNotGiven";
    } else if (imageGiven && base_.hSizeCode == 0 && base_.vSizeCode == 0) {
        key = "ConfScreenSizeNotGiven";
    }
    if (key != nullptr) {
        logMesg(message(key, kWarning, kCategory,
                        {{"timing", timingSource(block, number).c_str()},
                         {"width", detail::unsignedText(width)},
                         {"height", detail::unsignedText(height)},
                         {"screenWidth", detail::unsignedText(base_.hSizeCode)},
                         {"screenHeight", detail::unsignedText(base_.vSizeCode)}}));
    }
}

// Byte 14h of a digital input: in E-EDID 1.4 bits 3-0 name the interface (0h-5h; 6h-Fh are
// reserved); before 1.4 bits 6-1 are reserved and 0 (bit 0: DFP 1.x compatible).
void BaseBlockConformity::checkInterface() {
    if (!base_.videoInput.digital) {
        return;
    }
    if (base_.isRevision14OrLater()) {
        if (base_.videoInput.interface == DigitalInterface::Reserved) {
            logMesg(message("ConfReservedInterface", kError, kCategory,
                            {{"value", detail::hexByte(base_.videoInputCode & 0x0Fu)}}));
        }
    } else if ((base_.videoInputCode & kReservedInputBits13) != 0) {
        logMesg(message("ConfReservedInputBits", kWarning, kCategory,
                        {{"value", detail::hexByte(base_.videoInputCode)}}));
    }
}

// The range limits descriptor bounds every timing the display lists: each detailed timing of
// the base block and of the CTA-861 blocks and each VIC lies within its rates and pixel clock.
// One finding per limit, naming the timing farthest outside.
void BaseBlockConformity::checkRangeLimits() {
    const decode::RangeLimitsDescriptor* range = nullptr;
    for (const decode::Descriptor& descriptor : base_.descriptors) {
        if (descriptor.range) {
            range = &*descriptor.range;
            break;
        }
    }
    if (range == nullptr) {
        return;
    }
    std::array<RangeViolation, kRangeRules.size()> violations{};
    auto judge = [&](const ListedTiming& listed) {
        if (listed.timing.pixelClockKHz == 0) {
            return;
        }
        for (std::size_t r = 0; r < kRangeRules.size(); ++r) {
            const RangeRule& rule = kRangeRules[r];
            const double value = rule.value(listed.timing);
            const double high = rule.high(*range);
            const double below = rule.low(*range) - value;
            const double above = high > 0 ? value - high : 0.0;
            const double distance = below > above ? below : above;
            if (distance > 0) {
                RangeViolation& v = violations[r];
                ++v.count;
                if (distance > v.distance) {
                    v.distance = distance;
                    v.value = value;
                    v.farthest.emplace(listed);
                }
            }
        }
    };
    for (unsigned i = 0; i < base_.descriptors.size(); ++i) {
        if (const auto& dtd = base_.descriptors[i].timing) {
            judge({dtd->timing, "DTD", 0, i + 1});
        }
    }
    for (const CTABlock& block : ctaBlocks()) {
        for (unsigned i = 0; i < block.detailedTimings.size(); ++i) {
            if (const auto dtd = decode::decodeDetailedTiming(block.detailedTimings[i])) {
                judge({dtd->timing, "DTD", block.blockNumber, i + 1});
            }
        }
        for (const auto* list :
             {&block.dataBlocks.videoFormats, &block.dataBlocks.ycbcr420OnlyFormats}) {
            for (const CTAShortVideoDescriptor& svd : *list) {
                if (const VideoTiming* timing = ctaVideoFormat(svd.vic)) {
                    judge({*timing, "VIC", block.blockNumber, svd.vic});
                }
            }
        }
    }
    for (std::size_t r = 0; r < kRangeRules.size(); ++r) {
        const RangeViolation& v = violations[r];
        if (v.count == 0) {
            continue;
        }
        const RangeRule& rule = kRangeRules[r];
        logMesg(message(rule.key, kWarning, kCategory,
                        {{"count", detail::unsignedText(v.count)},
                         {"timing", timingText(*v.farthest).c_str()},
                         {"value", detail::fixedText(v.value, rule.decimals)},
                         {"min", detail::fixedText(rule.low(*range), rule.limitDecimals)},
                         {"max", detail::fixedText(rule.high(*range), rule.limitDecimals)}}));
    }
}

}  // namespace libEDID::conformity
