#pragma once

// "Can the display take this mode?": a request parsed from text, and an answer with stable
// reason codes and the EDID values behind them. Pure functions over a DisplayInfo: safe to call
// from any number of threads at once.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "libEDID/DisplayInfo.h"
#include "libEDID/libEDIDExport.h"

namespace libEDID {

/// A mode asked for: size, field rate (matched within +-0.5%) and options.
struct ModeRequest {
    unsigned width = 0;
    unsigned height = 0;  ///< lines of the frame, also for interlaced modes
    double refreshHz = 0;
    bool interlaced = false;
    bool hdr10 = false;     ///< needs the SMPTE ST 2084 (PQ) transfer function
    bool hlg = false;       ///< needs the hybrid log-gamma transfer function
    bool ycbcr420 = false;  ///< sent as YCbCr 4:2:0
    unsigned bitsPerColor = 8;

    /// Parses "WxH@RATE" or "WxHi@RATE", then options separated by commas: "hdr10", "hlg",
    /// "420", "<N>bit" (6, 8, 10, 12 or 16), e.g. "3840x2160@60,hdr10,10bit". None when the text
    /// is not such a request.
    LIBEDID_API static std::optional<ModeRequest> parse(std::string_view text);
};

/// Why a request is not met. The numeric values are stable.
enum class ModeReason : std::uint8_t {
    NoSuchMode = 1,            ///< no mode of that size, scan and rate; see `nearest`
    OnlyYCbCr420 = 2,          ///< the mode is offered as YCbCr 4:2:0 only (value: VIC)
    NoYCbCr420 = 3,            ///< 4:2:0 asked for, the mode is not offered as 4:2:0 (value: VIC)
    NoSMPTEST2084 = 4,         ///< HDR10 asked for, the HDR block lacks PQ
    NoHLG = 5,                 ///< HLG asked for, the HDR block lacks it
    DeepColorMissing = 6,      ///< bits per colour above what the display lists (value: bits)
    TMDSRateTooHigh = 7,       ///< TMDS character rate above the maximum (MHz)
    FRLRateTooHigh = 8,        ///< link rate above the maximum FRL rate (Gbit/s)
    PixelClockOutOfRange = 9,  ///< above the range limits' maximum pixel clock (MHz)
    VerticalRateOutOfRange = 10,    ///< outside the range limits' vertical rates (Hz)
    HorizontalRateOutOfRange = 11,  ///< outside the range limits' horizontal rates (kHz)
};

/// The stable lower-case code of a reason, e.g. "tmds-rate-too-high" (NUL-terminated).
LIBEDID_API std::string_view modeReasonCode(ModeReason reason);

/// One reason, with what the request needs and the EDID's value that forbids it (both in the
/// reason's unit; 0 where a reason has none).
struct ModeReasonDetail {
    ModeReason reason = ModeReason::NoSuchMode;
    double required = 0;
    double limit = 0;

    bool operator==(const ModeReasonDetail&) const = default;
};

/// The answer to one request.
struct ModeAnswer {
    bool yes = false;
    std::optional<SupportedMode> mode;      ///< the matching mode, with its sources
    std::vector<ModeReasonDetail> reasons;  ///< empty when yes
    std::vector<SupportedMode> nearest;     ///< for NoSuchMode: up to three nearest modes
};

/// Whether `info`'s display can take `request`. The link checks (TMDS, FRL) apply to displays
/// with an HDMI block and modes with a pixel clock: the TMDS character rate is the pixel clock
/// times bits per colour / 8, halved for 4:2:0; an HDMI Forum block's maximum rate replaces
/// the HDMI block's; above it the mode needs FRL, whose capacity is lanes x Gbit/s x 16/18.
LIBEDID_API ModeAnswer canDisplay(const DisplayInfo& info, const ModeRequest& request);

}  // namespace libEDID
