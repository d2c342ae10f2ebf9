#pragma once

// Helpers of the fuzz targets over the parser: an observer that renders every property value,
// and a walk over every field of the decoded extension blocks that also holds them to what the
// parser read.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "libEDID/libEDID.h"

namespace fuzz {

inline void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "parser broke its contract: %s\n", what);
        __builtin_trap();
    }
}

class RenderingObserver : public libEDID::EDIDCallback {
  public:
    void onSysInfoProperty(const qor::String& name, const qor::QORValue& value) override {
        rendered += name.size() + value.toString(qor::QORValue::nilValue()).size();
        for (std::size_t i = 0; i < value.getArraySize(); ++i) {
            rendered += value.getArrayItem(i).size();
        }
    }
    std::size_t rendered = 0;
};

// Reads every field of the decoded results into one number, so that the sanitizers see each
// read (a bool or an enum out of its range, a freed or overrun vector). The structured bindings
// name every field: a field added to a result struct breaks the build here until it is walked.
class FieldWalk {
  public:
    std::uint64_t value() const { return sum_; }

    template <typename T>
    requires std::is_integral_v<T> || std::is_enum_v<T>
    void add(T v) { mix(static_cast<std::uint64_t>(v)); }
    void add(double v) { mix(std::bit_cast<std::uint64_t>(v)); }
    void add(const std::string& text) {
        for (const char c : text) {
            add(c);
        }
    }
    template <typename T>
    void add(const std::optional<T>& item) {
        add(item.has_value());
        if (item) {
            add(*item);
        }
    }
    template <typename T>
    void add(const std::vector<T>& items) {
        add(items.size());
        for (const T& item : items) {
            add(item);
        }
    }
    template <typename T, std::size_t N>
    void add(const std::array<T, N>& items) {
        for (const T& item : items) {
            add(item);
        }
    }
    template <typename A, typename B>
    void add(const std::pair<A, B>& item) {
        all(item.first, item.second);
    }

    void add(const libEDID::CTADataBlockInfo& b) {
        const auto& [kind, tag, extendedTag, length, offset] = b;
        all(kind, tag, extendedTag, length, offset);
    }
    void add(const libEDID::CTAShortVideoDescriptor& d) {
        const auto& [vic, native] = d;
        all(vic, native);
    }
    void add(const libEDID::CTAShortAudioDescriptor& d) {
        const auto& [format, channels, rates, sizes, bitRate, extensionType] = d;
        all(format, channels, rates, sizes, bitRate, extensionType);
    }
    void add(const libEDID::CTAVendorBlock& b) {
        const auto& [oui, length] = b;
        all(oui, length);
    }
    void add(const libEDID::CTAHDMI3DFormat& f) {
        const auto& [vicIndex, structure, detail] = f;
        all(vicIndex, structure, detail);
    }
    void add(const libEDID::CTAHDMIBlock& b) {
        const auto& [physicalAddress, flags, maxTMDSClock, videoFlags, videoLatency, audioLatency,
                     interlacedVideoLatency, interlacedAudioLatency, hdmiVideo, hdmiVICs,
                     structureAll, mask3D, formats3D, truncated] = b;
        all(physicalAddress, flags, maxTMDSClock, videoFlags, videoLatency, audioLatency,
            interlacedVideoLatency, interlacedAudioLatency, hdmiVideo, hdmiVICs, structureAll,
            mask3D, formats3D, truncated);
    }
    void add(const libEDID::CTAHDMIForumBlock& b) {
        const auto& [version, maxTMDSRate, scdc, maxFRL, flags, deepColor420, features, dscFlags,
                     dscMaxFRL, dscMaxSlices, dscTotalChunk, fromSCDB] = b;
        all(version, maxTMDSRate, scdc, maxFRL, flags, deepColor420, features, dscFlags, dscMaxFRL,
            dscMaxSlices, dscTotalChunk, fromSCDB);
    }
    void add(const libEDID::CTADolbyVision& v) {
        const auto& [version, lengthFits, packedPrimaries, dmMajor, dmMinor, yuv422Bits12,
                     supports2160p60, globalDimming, backlightControl, backlightMinLuma,
                     colorimetryP3, interfaceKind, rgbYUV444, targetMinPQ, targetMaxPQ,
                     minLuminance, maxLuminance, primaries, white] = v;
        all(version, lengthFits, packedPrimaries, dmMajor, dmMinor, yuv422Bits12, supports2160p60,
            globalDimming, backlightControl, backlightMinLuma, colorimetryP3, interfaceKind,
            rgbYUV444, targetMinPQ, targetMaxPQ, minLuminance, maxLuminance, primaries, white);
    }
    void add(const libEDID::CTAVendorExtendedBlock& b) {
        const auto& [audio, oui, length, version, data, dolbyVision] = b;
        all(audio, oui, length, version, data, dolbyVision);
    }
    void add(const libEDID::CTAFormatPreference& p) {
        const auto& [code] = p;
        all(code);
    }
    void add(const libEDID::CTAEEODB& e) {
        const auto& [extensionCount] = e;
        all(extensionCount);
    }
    void add(const libEDID::CTAInfoFrames& f) {
        const auto& [vendorInfoFrames, types, vendorOUIs] = f;
        all(vendorInfoFrames, types, vendorOUIs);
    }
    void add(const libEDID::CTARoomConfiguration& r) {
        const auto& [display, speakerCountValid, locationsValid, speakerCount, speakers] = r;
        all(display, speakerCountValid, locationsValid, speakerCount, speakers);
    }
    void add(const libEDID::CTASpeakerLocation& l) {
        const auto& [channel, active, speaker, coordinates] = l;
        all(channel, active, speaker, coordinates);
    }
    void add(const libEDID::CTAHDMIAudio& a) {
        const auto& [maxStreams, multiStreamNonMixed, descriptors3D] = a;
        all(maxStreams, multiStreamNonMixed, descriptors3D);
    }
    void add(const libEDID::CTAHDRDynamicType& t) {
        const auto& [type, version] = t;
        all(type, version);
    }
    void add(const libEDID::CTADisplayIDTimings& t) {
        const auto& [extendedTag, count] = t;
        all(extendedTag, count);
    }
    void add(const libEDID::CTAVRRRange& r) {
        const auto& [minimum, maximum, fromAMD] = r;
        all(minimum, maximum, fromAMD);
    }
    void add(const libEDID::CTAVideoCapability& c) {
        const auto& [qy, qs, pt, it, ce] = c;
        all(qy, qs, pt, it, ce);
    }
    void add(const libEDID::CTAHDRStaticMetadata& m) {
        const auto& [functions, types, maxLuminance, maxAverage, minLuminance] = m;
        all(functions, types, maxLuminance, maxAverage, minLuminance);
    }
    void add(const libEDID::CTADataBlockCollection& c) {
        const auto& [blocks, overrun, video, audio, speakers, vendors, hdmi, hdmiForum, vrr,
                     capability, colorimetry, hdr, ycbcr420Only, ycbcr420Map, hfSCDB, eeodb,
                     vendorExtended, formatPreferences, infoFrames, room, speakerLocations,
                     hdmiAudio, hdrDynamic, displayIDTimings, vesaDevice, vesaTimings, vesaTransfer,
                     nativeResolution] = c;
        all(blocks, overrun, video, audio, speakers, vendors, hdmi, hdmiForum, vrr, capability,
            colorimetry, hdr, ycbcr420Only, ycbcr420Map, hfSCDB, eeodb, vendorExtended,
            formatPreferences, infoFrames, room, speakerLocations, hdmiAudio, hdrDynamic,
            displayIDTimings, vesaDevice, vesaTimings, vesaTransfer, nativeResolution);
    }
    void add(const libEDID::CTAVESADisplayDevice& d) {
        const auto& [length, type, links, version, release, protection, minClock, maxClock, width,
                     height, aspect, orientation, subpixels, hPitch, vPitch, misc, audio,
                     audioDelay, conversion, frameRate, depth, primaryCount, primaries, response,
                     overscan] = d;
        all(length, type, links, version, release, protection, minClock, maxClock, width, height,
            aspect, orientation, subpixels, hPitch, vPitch, misc, audio, audioDelay, conversion,
            frameRate, depth, primaryCount, primaries, response, overscan);
    }
    void add(const libEDID::CTAVESATransferCharacteristic& t) {
        const auto& [length, usage, points] = t;
        all(length, usage, points);
    }
    void add(const libEDID::CTANativeResolution& n) {
        const auto& [length, reference, further] = n;
        all(length, reference, further);
    }
    void add(const libEDID::CTABlock& b) {
        const auto& [number, revision, dtdOffset, flags, dataBlocks, timings] = b;
        all(number, revision, dtdOffset, flags, dataBlocks, timings);
    }
    void add(const libEDID::DisplayIDTiming& t) {
        const auto& [clock, hActive, hBlank, hFront, hSync, vActive, vBlank, vFront, vSync,
                     hPositive, vPositive, interlaced, preferred, aspect, stereo] = t;
        all(clock, hActive, hBlank, hFront, hSync, vActive, vBlank, vFront, vSync, hPositive,
            vPositive, interlaced, preferred, aspect, stereo, t.refreshHz());
    }
    void add(const libEDID::DisplayIDProduct& p) {
        const auto& [manufacturer, code, serial, week, year, name] = p;
        all(manufacturer, code, serial, week, year, name);
    }
    void add(const libEDID::DisplayIDDisplayParameters& p) {
        const auto& [width, height, nativeWidth, nativeHeight] = p;
        all(width, height, nativeWidth, nativeHeight);
    }
    void add(const libEDID::DisplayIDTiledTopology& t) {
        const auto& [columns, rows, column, row, width, height, singleEnclosure] = t;
        all(columns, rows, column, row, width, height, singleEnclosure);
    }
    void add(const libEDID::DisplayIDDMTTiming& t) {
        const auto& [id, width, height, refresh, reducedBlanking, interlaced] = t;
        all(id, width, height, refresh, reducedBlanking, interlaced);
    }
    void add(const libEDID::DisplayIDInterface& i) {
        const auto& [type, lanes, major, minor, rgb, ycbcr444, ycbcr422, protection,
                     protectionMajor, protectionMinor, spreadType, spread] = i;
        all(type, lanes, major, minor, rgb, ycbcr444, ycbcr422, protection, protectionMajor,
            protectionMinor, spreadType, spread);
    }
    void add(const libEDID::DisplayIDInterfaceFeatures& f) {
        const auto& [rgb, ycbcr444, ycbcr422, ycbcr420, min420Rate, audioRates, colorSpaces,
                     additional] = f;
        all(rgb, ycbcr444, ycbcr422, ycbcr420, min420Rate, audioRates, colorSpaces, additional);
    }
    void add(const libEDID::DisplayIDDynamicRange& r) {
        const auto& [minClock, maxClock, minRefresh, maxRefresh, seamless] = r;
        all(minClock, maxClock, minRefresh, maxRefresh, seamless);
    }
    void add(const libEDID::DisplayIDAdaptiveSync& a) {
        const auto& [flags, minRefresh, maxRefresh, maxIncrease, maxDecrease] = a;
        all(flags, minRefresh, maxRefresh, maxIncrease, maxDecrease);
    }
    void add(const libEDID::DisplayIDColorCharacteristics& c) {
        const auto& [temporal, primaries, whitePoints] = c;
        all(temporal, primaries, whitePoints);
    }
    void add(const libEDID::DisplayIDVendorBlock& b) {
        const auto& [oui, length] = b;
        all(oui, length);
    }
    void add(const libEDID::DisplayIDFormulaTiming& t) {
        const auto& [tag, width, height, refresh, blanking, formula, aspect, stereo, preferred,
                     interlaced, fractional] = t;
        all(tag, width, height, refresh, blanking, formula, aspect, stereo, preferred, interlaced,
            fractional);
    }
    void add(const libEDID::DisplayIDTimingCode& c) {
        const auto& [tag, type, code, twoByte, width, height, refresh, reduced, interlaced] = c;
        all(tag, type, code, twoByte, width, height, refresh, reduced, interlaced);
    }
    void add(const libEDID::DisplayIDRangeLimits& r) {
        const auto& [minClock, maxClock, minH, maxH, hBlank, minV, maxV, vBlank, interlaced, cvt,
                     cvtReduced, discrete] = r;
        all(minClock, maxClock, minH, maxH, hBlank, minV, maxV, vBlank, interlaced, cvt, cvtReduced,
            discrete);
    }
    void add(const libEDID::DisplayIDDeviceData& d) {
        const auto& [technology, mode, switchable, adjustable, width, height, aspect, orientation,
                     subpixels, pitchH, pitchV, depth, response, whiteToBlack] = d;
        all(technology, mode, switchable, adjustable, width, height, aspect, orientation, subpixels,
            pitchH, pitchV, depth, response, whiteToBlack);
    }
    void add(const libEDID::DisplayIDPowerSequencing& p) {
        const auto& [t1Min, t1Max, t2, t3, t4, t5, t6] = p;
        all(t1Min, t1Max, t2, t3, t4, t5, t6);
    }
    void add(const libEDID::DisplayIDTransferCharacteristics& t) {
        const auto& [flags, points] = t;
        all(flags, points);
    }
    void add(const libEDID::DisplayIDStereoInterface& s) {
        const auto& [support, method, parameters] = s;
        all(support, method, parameters);
    }
    void add(const libEDID::DisplayIDDataBlock& b) {
        const auto& [tag, revision, length, offset] = b;
        all(tag, revision, length, offset);
    }
    void add(const libEDID::DisplayIDSection& s) {
        const auto& [number, version, revision, payloadLength, productType, extensionCount,
                     dataBlocks, timings, product, parameters, tiles, dmtTimings, ctaVICs,
                     displayInterface, interfaceFeatures, dynamicRange, adaptiveSync,
                     colorCharacteristics, vendorBlocks, serialNumber, strings, containerID,
                     formulaTimings, timingCodes, rangeLimits, deviceData, powerSequencing,
                     transferCharacteristics, stereoInterface, ctaData, checksumValid] = s;
        all(number, version, revision, payloadLength, productType, extensionCount, dataBlocks,
            timings, product, parameters, tiles, dmtTimings, ctaVICs, displayInterface,
            interfaceFeatures, dynamicRange, adaptiveSync, colorCharacteristics, vendorBlocks,
            serialNumber, strings, containerID, formulaTimings, timingCodes, rangeLimits,
            deviceData, powerSequencing, transferCharacteristics, stereoInterface, ctaData,
            checksumValid);
    }

    void add(const libEDID::VideoTiming& t) {
        const auto& [clock, hActive, hBlank, hFront, hSync, vActive, vBlank, vFront, vSync, hPos,
                     vPos, interlaced, nominal] = t;
        all(clock, hActive, hBlank, hFront, hSync, vActive, vBlank, vFront, vSync, hPos, vPos,
            interlaced, nominal);
    }
    void add(const libEDID::VESABlockMap& m) {
        const auto& [number, tags] = m;
        all(number, tags);
    }
    void add(const libEDID::VESACVTCode& c) {
        const auto& [lines, width, aspect, preferred, rates, reserved] = c;
        all(lines, width, aspect, preferred, rates, reserved);
    }
    void add(const libEDID::VESAStandardTiming& t) {
        const auto& [valid, unused, width, height, refresh] = t;
        all(valid, unused, width, height, refresh);
    }
    void add(const libEDID::VESAVideoTimingBlock& v) {
        const auto& [number, version, detailedCount, cvtCount, standardCount, overflow, detailed,
                     invalid, cvt, standard, padding] = v;
        all(number, version, detailedCount, cvtCount, standardCount, overflow, detailed, invalid,
            cvt, standard, padding);
    }
    void add(const libEDID::VESADIInterface& i) {
        const auto& [type, versionKind, versionBytes, flags, format, minClock, maxClock,
                     crossover] = i;
        all(type, versionKind, versionBytes, flags, format, minClock, maxClock, crossover);
    }
    void add(const libEDID::VESADisplayInformation& d) {
        const auto& [number, version, link, layout, configuration, shape, hPitch, vPitch,
                     deviceFlags, misc, frameRate, vFrequency, hFrequency, orientation,
                     defaultDecoding, preferredDecoding, decodingCaps, depthFlags, depths, aspect,
                     unused, gammaKind, gammaEntries, curves] = d;
        all(number, version, link, layout, configuration, shape, hPitch, vPitch, deviceFlags, misc,
            frameRate, vFrequency, hFrequency, orientation, defaultDecoding, preferredDecoding,
            decodingCaps, depthFlags, depths, aspect, unused, gammaKind, gammaEntries, curves);
    }
    void add(const libEDID::VESALocalizedStrings& l) {
        const auto& [number, version, revision, data] = l;
        all(number, version, revision, data);
    }
    void add(const libEDID::VESAPacketVideoLink& p) {
        const auto& [number, version, data] = p;
        all(number, version, data);
    }

  private:
    template <typename... T>
    void all(const T&... items) {
        (add(items), ...);
    }
    void mix(std::uint64_t v) { sum_ = (sum_ ^ v) * 0x100000001B3u; }

    std::uint64_t sum_ = 0xCBF29CE484222325u;
};

// Walks the decoded VESA extension blocks: one result per block of their tags, each naming a
// block of its tag, none without decoding.
inline void walkVESAResults(const libEDID::EDIDParser& parser, bool decoded, FieldWalk& walk) {
    const auto& blocks = parser.getExtensionBlocks();
    const libEDID::VESAExtensionBlocks& vesa = parser.getVESAExtensions();
    std::size_t expected = 0;
    for (std::size_t i = 0; decoded && i < blocks.size(); ++i) {
        const unsigned char tag = blocks[i][0];
        expected += tag == 0x10 || tag == 0x40 || tag == 0x50 || tag == 0x60 || tag == 0xF0;
    }
    const auto check = [&](const auto& list, unsigned char tag) {
        for (const auto& item : list) {
            require(item.blockNumber >= 1 && item.blockNumber <= blocks.size() &&
                        blocks[item.blockNumber - 1][0] == tag,
                    "a VESA extension result names a block of its tag");
            walk.add(item);
        }
        return list.size();
    };
    const std::size_t found = check(vesa.blockMaps, 0xF0) + check(vesa.videoTimingBlocks, 0x10) +
                              check(vesa.displayInformation, 0x40) +
                              check(vesa.localizedStrings, 0x50) +
                              check(vesa.packetVideoLinks, 0x60);
    require(found == expected, "one decoded VESA extension per block of its tag");
}

// Walks the decoded results after a parse and holds them to the blocks read: a parse that
// decoded the extensions gives one result per extension block of its tag (CTA-861 02h,
// DisplayID 70h), in block order and naming its block; any other parse gives none.
inline std::uint64_t walkDecodedResults(const libEDID::EDIDParser& parser, bool decoded) {
    std::vector<unsigned> ctaNumbers;
    std::vector<unsigned> displayIDNumbers;
    if (decoded) {
        const auto& blocks = parser.getExtensionBlocks();
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const auto number = static_cast<unsigned>(i + 1);
            if (blocks[i][0] == 0x02) {
                ctaNumbers.push_back(number);
            } else if (blocks[i][0] == 0x70) {
                displayIDNumbers.push_back(number);
            }
        }
    }
    FieldWalk walk;
    const auto& cta = parser.getCTABlocks();
    require(cta.size() == ctaNumbers.size(), "one decoded CTA-861 block per tag-02h block");
    for (std::size_t i = 0; i < cta.size(); ++i) {
        require(cta[i].blockNumber == ctaNumbers[i], "a CTA-861 result names its block");
        walk.add(cta[i]);
    }
    const auto& displayID = parser.getDisplayIDBlocks();
    require(displayID.size() == displayIDNumbers.size(),
            "one decoded DisplayID section per tag-70h block");
    for (std::size_t i = 0; i < displayID.size(); ++i) {
        require(displayID[i].blockNumber == displayIDNumbers[i],
                "a DisplayID result names its block");
        walk.add(displayID[i]);
    }
    walkVESAResults(parser, decoded, walk);
    return walk.value();
}

// Keeps a value where the compiler cannot drop the reads that made it.
inline volatile std::uint64_t kept = 0;
inline void keep(std::uint64_t value) {
    kept = value;
}

}  // namespace fuzz
