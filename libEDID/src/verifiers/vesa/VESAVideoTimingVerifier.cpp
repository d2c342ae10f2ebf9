#include <algorithm>
#include <array>
#include <string>

#include "report/MessageBuilder.h"
#include "verifiers/vesa/VESAVerifier.h"

namespace libEDID {

namespace {

constexpr auto kError = LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR;
constexpr auto kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;
constexpr unsigned kKnownVersion = 1;

// CVT code rate bits 4-0: 50, 60, 75, 85 Hz with standard blanking, 60 Hz reduced blanking.
struct CVTRate {
    std::uint8_t bit;
    unsigned hz;
    bool reduced;
};
constexpr std::array<CVTRate, 5> kCVTRates{
    {{0x10, 50, false}, {0x08, 60, false}, {0x04, 75, false}, {0x02, 85, false}, {0x01, 60, true}}};

// "1920 x 1080 @ 59.94Hz, 148.35 MHz", then ", interlaced".
qor::String timingText(const VideoTiming& timing) {
    std::string text;
    text.reserve(48);
    detail::appendTimingText(text, timing.hActive, timing.vActive, timing.refreshHz(),
                             timing.pixelClockKHz, timing.interlaced);
    return text;
}

}  // namespace

void VESAVideoTimingVerifier::verify() {
    VESAVideoTimingBlock vtb = vesa::decodeVideoTimingBlock(bytes(), blockNumber);
    reportSection("VESAKindVideoTimingBlock");
    reportVersion(vtb.version, kKnownVersion, "VESAVideoTimingVersion");
    reportLine("VESAVideoTimingCounts",
               detail::filledText("VESAVideoTimingCountsText",
                                  {{"detailed", detail::unsignedText(vtb.detailedCount)},
                                   {"cvt", detail::unsignedText(vtb.cvtCount)},
                                   {"standard", detail::unsignedText(vtb.standardCount)}}));
    reportModes(vtb);
    checkDescriptors(vtb);
    results().videoTimingBlocks.push_back(std::move(vtb));
}

detail::ModeList videoTimingModes(const VESAVideoTimingBlock& vtb) {
    detail::ModeList modes;
    for (const VideoTiming& timing : vtb.detailedTimings) {
        modes.add(timingText(timing));
    }
    const qor::String& reduced = detail::localized("ReducedBlanking");
    for (const VESACVTCode& code : vtb.cvtCodes) {
        for (const CVTRate& rate : kCVTRates) {
            if (code.lines == 0 || (code.rates & rate.bit) == 0) {
                continue;
            }
            std::string mode = detail::modeText(code.width, code.lines, rate.hz).str();
            if (rate.reduced) {
                mode += " ";
                mode += reduced.str();
            }
            modes.add(std::string_view(mode));
        }
    }
    for (const VESAStandardTiming& st : vtb.standardTimings) {
        if (st.valid && !st.unused) {
            modes.addMode(st.width, st.height, st.refreshHz);
        }
    }
    return modes;
}

void VESAVideoTimingVerifier::reportModes(const VESAVideoTimingBlock& vtb) {
    const detail::ModeList modes = videoTimingModes(vtb);
    if (modes.isEmpty()) {
        return;
    }
    logMesgAndAppend(info("VESAVideoTimingModes", {{"timings", modes.text()}}));
    notifySysInfoProperty(detail::indexedPropertyName("VESAVideoTimingModes", blockNumber),
                          modes.values());
}

void VESAVideoTimingVerifier::checkDescriptors(const VESAVideoTimingBlock& vtb) {
    if (vtb.countsOverflow) {
        logBlockFinding("VESAVideoTimingCountsOverflow", kError,
                        {{"bytes", detail::unsignedText(vesa::vtbDescriptorBytes(
                                       vtb.detailedCount, vtb.cvtCount, vtb.standardCount))},
                         {"max", detail::unsignedText(vesa::kVTBDescriptorBytes)}});
    }
    if (vtb.invalidDetailed > 0) {
        logBlockFinding("VESAVideoTimingInvalidDetailed", kError,
                        {{"count", detail::unsignedText(vtb.invalidDetailed)}});
    }
    const auto cvtReserved = std::count_if(vtb.cvtCodes.begin(), vtb.cvtCodes.end(),
                                           [](const VESACVTCode& c) { return c.reservedBitSet; });
    if (cvtReserved > 0) {
        logBlockFinding("VESAVideoTimingCVTReserved", kWarning,
                        {{"count", detail::unsignedText(static_cast<unsigned>(cvtReserved))}});
    }
    const auto invalidStandard =
        std::count_if(vtb.standardTimings.begin(), vtb.standardTimings.end(),
                      [](const VESAStandardTiming& st) { return !st.valid; });
    if (invalidStandard > 0) {
        logBlockFinding("VESAVideoTimingInvalidStandard", kError,
                        {{"count", detail::unsignedText(static_cast<unsigned>(invalidStandard))}});
    }
    if (vtb.nonZeroPadding != 0) {
        logBlockFinding("VESANonZeroPadding", kWarning,
                        {{"offset", detail::hexByte(vtb.nonZeroPadding)},
                         {"value", detail::hexByte(block()[vtb.nonZeroPadding])}});
    }
}

}  // namespace libEDID
