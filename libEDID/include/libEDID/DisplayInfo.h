#pragma once

// The typed display model: what an EDID says about its display, as numbers, named flags and
// enums; no texts that depend on the language. Built by libEDID::decodeDisplayInfo() (the fast
// path, no parser) or by EDIDParser::getDisplayInfo() after a parse.
//
// Thread safety: every type here is a plain value. A DisplayInfo may be read by any number of
// threads at once; a thread that changes one must be its only user while it does.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "libEDID/libEDIDExport.h"

namespace libEDID {

/// A fixed-capacity list of at most N values, kept inline (no allocation). Read like a vector.
template <typename T, std::size_t N>
struct FixedList {
    std::array<T, N> items{};
    std::uint8_t count = 0;

    const T* begin() const { return items.data(); }
    const T* end() const { return items.data() + count; }
    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    const T& operator[](std::size_t i) const { return items[i]; }
    bool contains(const T& value) const {
        for (const T& item : *this) {
            if (item == value) {
                return true;
            }
        }
        return false;
    }
    /// Appends `value` unless the list is full; returns whether it was appended.
    bool push_back(const T& value) {
        if (count == N) {
            return false;
        }
        items[count++] = value;
        return true;
    }
    friend bool operator==(const FixedList& a, const FixedList& b) {
        for (std::size_t i = 0; i < a.count; ++i) {
            if (i >= b.count || !(a.items[i] == b.items[i])) {
                return false;
            }
        }
        return a.count == b.count;
    }
};

/// One video timing. Sizes in pixels and lines; for an interlaced timing the vertical values
/// are those of one field.
struct VideoTiming {
    std::uint32_t pixelClockKHz = 0;  ///< 0 when the source gives only a nominal mode
    unsigned hActive = 0;
    unsigned hBlank = 0;
    unsigned hFrontPorch = 0;
    unsigned hSyncWidth = 0;
    unsigned vActive = 0;
    unsigned vBlank = 0;
    unsigned vFrontPorch = 0;
    unsigned vSyncWidth = 0;
    bool hSyncPositive = false;
    bool vSyncPositive = false;
    bool interlaced = false;
    /// The nominal field rate in Hz where the source gives no pixel clock (standard and
    /// established timings, nominal table entries); 0 otherwise.
    double nominalRefreshHz = 0;

    /// Lines of the whole frame: vActive, doubled for an interlaced timing.
    unsigned frameLines() const { return interlaced ? 2 * vActive : vActive; }

    /// The field rate in Hz: exact from the pixel clock and the totals (an interlaced field
    /// adds half a line), the nominal rate where only that is known.
    double refreshHz() const {
        if (pixelClockKHz == 0) {
            return nominalRefreshHz;
        }
        const double lines = vActive + vBlank + (interlaced ? 0.5 : 0.0);
        const double total = static_cast<double>(hActive + hBlank) * lines;
        return total > 0 ? pixelClockKHz * 1000.0 / total : nominalRefreshHz;
    }

    friend bool operator==(const VideoTiming&, const VideoTiming&) = default;
};

/// Where a mode was found.
enum class ModeSource : std::uint8_t {
    Established,     ///< established timings I and II (base block 23h-25h)
    Standard,        ///< standard timings (26h-35h) and standard timing identifiers (FAh)
    Detailed,        ///< detailed timings of the base block
    EstablishedIII,  ///< established timings III descriptor (F7h)
    CVT3Byte,        ///< CVT 3-byte timing codes descriptor (F8h)
    CTAVideo,        ///< a VIC of a CTA-861 video or YCbCr 4:2:0 video data block
    CTADetailed,     ///< a detailed timing of a CTA-861 extension block
    HDMIVideo,       ///< an HDMI VIC of the HDMI vendor-specific data block
    /// a DisplayID timing: detailed (types I, II, VI, VII; type VII also inside a CTA-861
    /// block), formula-based (III, V, IX, X; the nominal mode) or by code (IV, VIII)
    DisplayID,
    VideoTimingBlock,  ///< a timing of a VESA video timing block extension (tag 10h)
};
inline constexpr std::size_t kModeSourceCount = 10;

/// One mode the display accepts, merged over every source that lists it.
struct SupportedMode {
    VideoTiming timing;
    /// Every source listing the mode, each once, in the order of ModeSource.
    FixedList<ModeSource, kModeSourceCount> sources;
    std::uint8_t vic = 0;  ///< the CTA-861 VIC, 0 when none
    bool preferred = false;
    bool native = false;           ///< the display's native format
    bool ycbcr420Only = false;     ///< only as YCbCr 4:2:0 (YCbCr 4:2:0 video data block)
    bool ycbcr420Capable = false;  ///< also as YCbCr 4:2:0 (capability map)

    bool operator==(const SupportedMode&) const = default;
};

/// Digital interface of byte 14h bits 3-0 (EDID 1.4).
enum class DigitalInterface : std::uint8_t {
    Undefined,
    DVI,
    HDMIa,
    HDMIb,
    MDDI,
    DisplayPort,
    Reserved,
};

/// Video input definition (base block byte 14h).
struct VideoInput {
    bool digital = false;
    /// Digital: bits per primary colour (6-16), EDID 1.4 only; none when undefined.
    std::optional<unsigned> bitsPerColor;
    DigitalInterface interface = DigitalInterface::Undefined;
    // Analog only.
    std::uint8_t signalLevel = 0;  ///< bits 6-5: 0.700/0.300, 0.714/0.286, 1.000/0.400, 0.700/0
    bool blankToBlackSetup = false;
    bool separateSync = false;
    bool compositeSyncOnH = false;
    bool syncOnGreen = false;
    bool serrations = false;

    bool operator==(const VideoInput&) const = default;
};

/// Chromaticity coordinates of the primaries and the white point.
struct Chromaticity {
    double redX = 0, redY = 0;
    double greenX = 0, greenY = 0;
    double blueX = 0, blueY = 0;
    double whiteX = 0, whiteY = 0;

    bool operator==(const Chromaticity&) const = default;
};

/// Range limits of the display range limits descriptor (FDh), rate offsets applied, or of a
/// DisplayID video timing range limits block (09h).
struct RangeLimits {
    unsigned minVerticalHz = 0;
    unsigned maxVerticalHz = 0;
    unsigned minHorizontalKHz = 0;
    unsigned maxHorizontalKHz = 0;
    /// Maximum pixel clock in kHz (CVT precision applied); none when not given.
    std::optional<std::uint32_t> maxPixelClockKHz;

    bool operator==(const RangeLimits&) const = default;
};

/// HDR static metadata: transfer functions and the luminances in cd/m2.
struct HDRCapabilities {
    bool traditionalSDR = false;
    bool traditionalHDR = false;
    bool smpteST2084 = false;  ///< PQ, as HDR10 needs
    bool hlg = false;
    std::optional<double> maxLuminance;
    std::optional<double> maxFrameAverageLuminance;
    std::optional<double> minLuminance;

    bool operator==(const HDRCapabilities&) const = default;
};

/// Colorimetry data block.
struct ColorimetrySupport {
    bool xvYCC601 = false;
    bool xvYCC709 = false;
    bool sYCC601 = false;
    bool opYCC601 = false;
    bool opRGB = false;
    bool bt2020cYCC = false;
    bool bt2020YCC = false;
    bool bt2020RGB = false;
    bool dciP3 = false;

    bool operator==(const ColorimetrySupport&) const = default;
};

/// One short audio descriptor.
struct AudioFormat {
    std::uint8_t format = 0;  ///< audio format code: 1 Linear PCM, 2 AC-3, ... 14 WMA Pro
    unsigned channels = 0;
    FixedList<unsigned, 7> sampleRatesHz;    ///< ascending
    FixedList<unsigned, 3> sampleSizesBits;  ///< Linear PCM only
    unsigned maxBitRateKbps = 0;             ///< formats 2-8 only

    bool operator==(const AudioFormat&) const = default;
};

/// HDMI 1.4 vendor-specific data block.
struct HDMIInfo {
    std::uint16_t physicalAddress = 0;  ///< A.B.C.D as nibbles, A in bits 15-12
    unsigned maxTMDSClockMHz = 0;       ///< 0 when not given
    bool deepColor30 = false;
    bool deepColor36 = false;
    bool deepColor48 = false;
    bool deepColorYCbCr444 = false;
    /// Latencies in ms, progressive and interlaced; none when not given, unknown or "no output".
    std::optional<unsigned> videoLatencyMs;
    std::optional<unsigned> audioLatencyMs;
    std::optional<unsigned> interlacedVideoLatencyMs;
    std::optional<unsigned> interlacedAudioLatencyMs;
    bool present3D = false;  ///< 3D_present: the mandatory 3D formats are supported
    // Content types (CNC0-CNC3) the sink handles as the ITC content type asks.
    bool contentGraphics = false;
    bool contentPhoto = false;
    bool contentCinema = false;
    bool contentGame = false;

    bool operator==(const HDMIInfo&) const = default;
};

/// Maximum fixed-rate link of the HDMI Forum block: lanes x Gbit/s per lane.
enum class FRLRate : std::uint8_t {
    None,       ///< FRL not supported (TMDS only)
    Lanes3x3,   ///< 3 lanes at 3 Gbit/s
    Lanes3x6,   ///< 3 lanes at 6 Gbit/s
    Lanes4x6,   ///< 4 lanes at 6 Gbit/s
    Lanes4x8,   ///< 4 lanes at 8 Gbit/s
    Lanes4x10,  ///< 4 lanes at 10 Gbit/s
    Lanes4x12,  ///< 4 lanes at 12 Gbit/s
    Reserved,   ///< codes 7-15
};

/// Lanes of an FRL rate (0 for None and Reserved).
constexpr unsigned frlLanes(FRLRate rate) {
    constexpr std::array<unsigned, 8> kLanes{0, 3, 3, 4, 4, 4, 4, 0};
    return kLanes[static_cast<std::size_t>(rate)];
}

/// Gbit/s per lane of an FRL rate (0 for None and Reserved).
constexpr unsigned frlGbpsPerLane(FRLRate rate) {
    constexpr std::array<unsigned, 8> kRates{0, 3, 6, 6, 8, 10, 12, 0};
    return kRates[static_cast<std::size_t>(rate)];
}

/// Display Stream Compression 1.2 over FRL (HDMI Forum block bytes 11-13).
struct DSCInfo {
    bool bpc10 = false;  ///< 10 bits per component
    bool bpc12 = false;
    bool bpc16 = false;
    bool allBpp = false;     ///< every compressed bit rate the sink takes
    bool native420 = false;  ///< compressed native YCbCr 4:2:0
    unsigned maxSlices = 0;  ///< 0 when not given
    unsigned maxPixelClockPerSliceMHz = 0;
    FRLRate maxFRL = FRLRate::None;  ///< the fastest FRL rate for compressed video
    unsigned totalChunkBytes = 0;    ///< 1024 x (1 + code); 0 when not given

    bool operator==(const DSCInfo&) const = default;
};

/// HDMI Forum vendor-specific data block (or HF-SCDB).
struct HDMIForumInfo {
    unsigned maxTMDSRateMHz = 0;  ///< TMDS character rate; 0 when above 340 MHz is not supported
    bool scdc = false;
    FRLRate maxFRL = FRLRate::None;
    bool allm = false;       ///< auto low-latency mode
    bool fva = false;        ///< fast vactive
    bool qms = false;        ///< quick media switching
    bool cinemaVRR = false;  ///< CinemaVRR
    // YCbCr 4:2:0 deep colour.
    bool deepColor420_30 = false;
    bool deepColor420_36 = false;
    bool deepColor420_48 = false;
    std::optional<DSCInfo> dsc;  ///< when DSC_1p2 is set

    bool operator==(const HDMIForumInfo&) const = default;
};

/// Where a variable refresh range was read, in the order the model prefers them.
enum class VRRSource : std::uint8_t {
    HDMIForum,     ///< VRRmin/VRRmax of the HDMI Forum block or HF-SCDB
    AdaptiveSync,  ///< a DisplayID 2.x adaptive sync descriptor (native range first)
    AMD,           ///< the AMD vendor-specific data block
    DynamicRange,  ///< the DisplayID dynamic video timing range limits block
    RangeLimits,   ///< the range limits descriptor of a continuous-frequency EDID 1.4
};

/// Variable refresh range in Hz.
struct VRRRange {
    unsigned minHz = 0;
    unsigned maxHz = 0;
    VRRSource source = VRRSource::HDMIForum;

    bool operator==(const VRRRange&) const = default;
};

/// The Dolby Vision block's key values.
struct DolbyVisionInfo {
    unsigned version = 0;     ///< 0, 1 or 2
    unsigned dmMajor = 0;     ///< display management version
    double minLuminance = 0;  ///< target, cd/m2
    double maxLuminance = 0;  ///< target, cd/m2
    bool yuv422Bits12 = false;
    bool supports2160p60 = false;  ///< versions 0 and 1
    bool globalDimming = false;
    bool lowLatency = false;     ///< the interface offers low-latency Dolby Vision
    unsigned rgbYUV444Bits = 0;  ///< version 2: 10 or 12; 0 when not supported or not given

    bool operator==(const DolbyVisionInfo&) const = default;
};

/// Dynamic HDR metadata the display takes: the types of the HDR dynamic metadata block and the
/// vendor blocks of Dolby Vision and HDR10+.
struct DynamicHDR {
    bool smpteST2094_10 = false;  ///< type 1
    bool etsiTS103433 = false;    ///< type 2
    bool itutH265 = false;        ///< type 3 (SMPTE ST 2094-30)
    bool smpteST2094_40 = false;  ///< type 4 (HDR10+)
    /// A Dolby Vision block whose length fits its version.
    std::optional<DolbyVisionInfo> dolbyVision;
    std::optional<unsigned> hdr10PlusVersion;  ///< the HDR10+ block's application version

    bool operator==(const DynamicHDR&) const = default;
};

/// Tiled display topology (DisplayID): this tile's place.
struct TiledTopology {
    unsigned horizontalTiles = 0;
    unsigned verticalTiles = 0;
    unsigned column = 0;  ///< 0 = leftmost
    unsigned row = 0;     ///< 0 = top
    unsigned tileWidth = 0;
    unsigned tileHeight = 0;

    bool operator==(const TiledTopology&) const = default;
};

/// An extension block: its number (1 = first extension) and tag (02h CTA-861, 70h DisplayID,
/// F0h block map, ...).
struct ExtensionBlockInfo {
    unsigned blockNumber = 0;
    std::uint8_t tag = 0;
    friend bool operator==(const ExtensionBlockInfo&, const ExtensionBlockInfo&) = default;
};

/// A resolution in pixels.
struct Resolution {
    unsigned width = 0;
    unsigned height = 0;
    friend bool operator==(const Resolution&, const Resolution&) = default;
};

/// Everything the model knows about one display.
struct DisplayInfo {
    // Identity.
    std::string manufacturerId;                   ///< 3 letters
    std::optional<std::string> manufacturerName;  ///< from the PNP ID registry
    std::uint16_t productCode = 0;
    std::optional<std::uint32_t> serialNumber;  ///< none when 0
    std::string serialText;                     ///< serial number descriptor (FFh)
    std::string productName;                    ///< product name descriptor (FCh)
    std::optional<unsigned> week;               ///< 1-54; none when not given or a model year
    unsigned year = 0;                          ///< of manufacture; 0 when a model year is given
    std::optional<unsigned> modelYear;

    std::uint8_t version = 0;
    std::uint8_t revision = 0;

    VideoInput videoInput;
    std::optional<unsigned> screenWidthCm;
    std::optional<unsigned> screenHeightCm;
    /// Width / height when the EDID gives an aspect ratio instead of a size.
    std::optional<double> aspectRatio;
    std::optional<double> gamma;

    Chromaticity chromaticity;
    bool sRGBDefault = false;

    std::vector<SupportedMode> modes;  ///< merged; preferred first, then by area and rate
    std::optional<SupportedMode> preferredMode;
    std::optional<Resolution> nativeResolution;
    /// The base block's range limits descriptor; without one, DisplayID's video timing range
    /// limits (09h).
    std::optional<RangeLimits> rangeLimits;

    std::optional<HDRCapabilities> hdr;
    std::optional<ColorimetrySupport> colorimetry;
    std::vector<AudioFormat> audioFormats;
    bool ycbcr444 = false;  ///< CTA-861 byte 3 (or the base block's colour encodings)
    bool ycbcr422 = false;

    std::optional<HDMIInfo> hdmi;
    std::optional<HDMIForumInfo> hdmiForum;
    std::optional<VRRRange> vrr;
    std::optional<TiledTopology> tiledTopology;

    std::vector<ExtensionBlockInfo> extensionBlocks;

    std::optional<DynamicHDR> dynamicHDR;

    bool operator==(const DisplayInfo&) const = default;
};

/// Decodes a whole EDID (the base block, then the extension blocks that byte 7Eh announces and
/// the bytes hold) into the model, with the pure decoders only: no parser, no messages, no
/// texts. Any bytes are accepted; fewer than 128 give an empty model. Safe to call from any
/// number of threads at once.
LIBEDID_API DisplayInfo decodeDisplayInfo(std::span<const std::uint8_t> edid);

/// The timing of a CTA-861 video format code (VIC 1-127, 193-219), or null. Formats that differ
/// only in their picture aspect ratio share a timing; the pointer stays valid for the life of
/// the program.
LIBEDID_API const VideoTiming* ctaVideoFormat(std::uint8_t vic);

/// The timing of an HDMI VIC (1-4) of the HDMI vendor-specific data block, or null.
LIBEDID_API const VideoTiming* hdmiVideoFormat(std::uint8_t hdmiVic);

}  // namespace libEDID
