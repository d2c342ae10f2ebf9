#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "decode/base/DetailedTimingDecoder.h"
#include "decode/base/StandardTiming.h"
#include "libEDID/DisplayInfo.h"

// The base block decoded into plain values: every field as a number, with the raw code kept
// beside it where a rule judges the code itself.
namespace libEDID::decode {

/// A chromaticity coordinate: the 10-bit code and its value (code / 1024).
struct ChromaticityCode {
    std::uint16_t code = 0;
    double value() const { return code / 1024.0; }
};

/// Red, green, blue and white x/y codes (19h-22h).
struct ChromaticityCodes {
    ChromaticityCode redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY;
};

/// Feature support byte 18h.
struct FeatureSupport {
    std::uint8_t raw = 0;
    bool standby = false;                ///< bit 7
    bool suspend = false;                ///< bit 6
    bool activeOff = false;              ///< bit 5
    std::uint8_t colorType = 0;          ///< bits 4-3: display colour type or colour encodings
    bool sRGBDefault = false;            ///< bit 2
    bool preferredTimingNative = false;  ///< bit 1
    bool continuousFrequency = false;    ///< bit 0 (GTF supported before EDID 1.4)
};

/// Secondary GTF curve of a range limits descriptor (timing support 02h), bytes 12-17.
struct SecondaryGTF {
    unsigned startFrequencyKHz = 0;  ///< byte 12 x 2
    unsigned c2 = 0;                 ///< byte 13: C x 2
    unsigned m = 0;                  ///< bytes 14-15
    unsigned k = 0;                  ///< byte 16
    unsigned j2 = 0;                 ///< byte 17: J x 2
};

/// CVT support of a range limits descriptor (timing support 04h), bytes 11-17.
struct CVTSupport {
    std::uint8_t version = 0;          ///< byte 11 (11h: CVT 1.1)
    unsigned precisionQuarterMHz = 0;  ///< byte 12 bits 7-2, subtracted from the pixel clock
    unsigned maxActivePixels = 0;      ///< 0: no limit; bytes 12 bits 1-0 and 13, x 8
    std::uint8_t aspectRatios = 0;     ///< byte 14 bits 7-3: 4:3, 16:9, 16:10, 5:4, 15:9
    std::uint8_t preferredAspect = 0;  ///< byte 15 bits 7-5
    bool reducedBlanking = false;      ///< byte 15 bit 4: CVT reduced blanking supported
    bool standardBlanking = false;     ///< byte 15 bit 3: CVT standard blanking supported
    std::uint8_t scaling = 0;          ///< byte 16 bits 7-4
    unsigned preferredRefreshHz = 0;   ///< byte 17
};

/// Display range limits descriptor (FDh), rate offsets (byte 4) applied.
struct RangeLimitsDescriptor {
    std::uint8_t offsets = 0;  ///< byte 4
    unsigned minVerticalHz = 0;
    unsigned maxVerticalHz = 0;
    unsigned minHorizontalKHz = 0;
    unsigned maxHorizontalKHz = 0;
    std::uint8_t maxPixelClockCode = 0;  ///< byte 9: MHz / 10
    std::uint8_t timingSupport = 0;      ///< byte 10: 00h GTF, 01h limits only, 02h GTF2, 04h CVT
    std::optional<SecondaryGTF> secondaryGTF;
    std::optional<CVTSupport> cvt;

    /// The maximum pixel clock in kHz, CVT precision applied; 0 when not given.
    std::uint32_t maxPixelClockKHz() const;
};

/// One CVT 3-byte timing code (descriptor F8h).
struct CVT3ByteCode {
    unsigned lines = 0;              ///< addressable lines: (12-bit value + 1) x 2
    unsigned width = 0;              ///< from the lines and the aspect ratio, a multiple of 8
    std::uint8_t aspect = 0;         ///< byte 1 bits 3-2: 4:3, 16:9, 16:10, 15:9
    std::uint8_t preferredRate = 0;  ///< byte 2 bits 6-5: 50, 60, 75, 85 Hz
    std::uint8_t rates = 0;          ///< byte 2 bits 4-0: 50, 60, 75, 85 Hz, 60 Hz reduced blanking
    bool reservedBitSet = false;     ///< byte 1 bits 1-0 or byte 2 bit 7
};

/// One white point of a colour point descriptor (FBh).
struct ColorPoint {
    std::uint8_t index = 0;  ///< 0: unused
    ChromaticityCode x, y;
    std::uint8_t gammaCode = 0;  ///< gamma x 100 - 100; FFh: not given
};

/// Display colour management descriptor (F9h): the six coefficients as stored.
struct DCMCoefficients {
    std::uint8_t version = 0;
    std::array<std::uint16_t, 6> coefficients{};  ///< red a3, a2, green a3, a2, blue a3, a2
};

/// What one 18-byte slot holds.
enum class DescriptorKind : std::uint8_t {
    DetailedTiming,
    Manufacturer,  ///< tags 00h-0Fh
    Dummy,         ///< tag 10h
    Reserved,      ///< tags 11h-F6h
    EstablishedIII,
    CVT3Byte,
    DCM,
    StandardTimingIds,
    ColorPoint,
    ProductName,
    DataString,
    RangeLimits,
    SerialNumber,
};

/// One of the four 18-byte slots (36h, 48h, 5Ah, 6Ch). Only the member of its kind is set.
struct Descriptor {
    DescriptorKind kind = DescriptorKind::Reserved;
    std::uint8_t tag = 0;  ///< byte 3 of a display descriptor
    std::optional<DetailedTiming> timing;
    std::string text;  ///< FCh, FEh, FFh: up to 13 characters, ended by 0Ah, trailing blanks cut
    bool textTrailingBlanks = false;   ///< blanks stood before the 0Ah (or the end) of the text
    bool textPaddingNotBlank = false;  ///< a byte other than 20h follows the 0Ah
    bool allZero = false;  ///< all 18 bytes are 00h: an empty slot, not a dummy descriptor (10h)
    std::optional<RangeLimitsDescriptor> range;
    std::array<std::uint8_t, 6> establishedIII{};     ///< F7h: bytes 06h-0Bh
    std::array<CVT3ByteCode, 4> cvt{};                ///< F8h: unused codes have 0 lines
    std::array<ColorPoint, 2> colorPoints{};          ///< FBh
    std::array<StandardTiming, 6> standardTimings{};  ///< FAh
    DCMCoefficients dcm;                              ///< F9h
    std::uint8_t version = 0;                         ///< byte 5 of F7h, F8h, F9h
};

/// The base block.
struct BaseBlock {
    std::array<char, 4> manufacturerId{};  ///< 3 letters and a NUL
    std::uint16_t manufacturerCode = 0;    ///< 08h-09h big-endian as stored
    std::uint16_t productCode = 0;
    std::uint32_t serialNumber = 0;
    std::uint8_t week = 0;      ///< 00h: none; FFh: the year is a model year
    std::uint8_t yearCode = 0;  ///< year - 1990
    std::uint8_t version = 0;
    std::uint8_t revision = 0;

    std::uint8_t videoInputCode = 0;  ///< 14h
    VideoInput videoInput;
    std::uint8_t hSizeCode = 0;  ///< 15h
    std::uint8_t vSizeCode = 0;  ///< 16h
    std::optional<unsigned> widthCm;
    std::optional<unsigned> heightCm;
    std::optional<double> aspectRatio;  ///< width / height when only a ratio is given
    std::uint8_t gammaCode = 0;         ///< 17h
    std::optional<double> gamma;        ///< none for FFh
    FeatureSupport features;
    ChromaticityCodes chromaticity;

    std::array<std::uint8_t, 3> establishedBits{};  ///< 23h-25h
    std::array<StandardTiming, 8> standardTimings{};
    std::array<Descriptor, 4> descriptors{};
    std::uint8_t extensionCount = 0;
    std::uint8_t checksum = 0;

    unsigned year() const { return 1990u + yearCode; }
    bool isRevision14OrLater() const { return version >= 1 && revision >= 4; }
};

/// Decodes a 128-byte base block. Nothing is judged: every byte pattern decodes.
BaseBlock decodeBaseBlock(std::span<const std::uint8_t, 128> block);

/// Decodes one CVT 3-byte timing code, as found in descriptor F8h and in a video timing block
/// extension; three 00h bytes leave it unused (0 lines).
CVT3ByteCode decodeCVT3ByteCode(std::span<const std::uint8_t, 3> bytes);

/// Decodes one display descriptor or detailed timing slot.
Descriptor decodeDescriptor(std::span<const std::uint8_t, 18> bytes);

}  // namespace libEDID::decode
