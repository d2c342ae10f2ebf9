#include <array>
#include <string>
#include <string_view>

#include "report/MessageBuilder.h"
#include "verifiers/displayid/DisplayIDDataBlockVerifiers.h"
#include "verifiers/displayid/DisplayIDText.h"

namespace libEDID {

namespace {

// The label keys of DisplayIDBlanking, in its order.
constexpr std::array<const char*, 5> kBlankingKeys{
    "DisplayIDBlankingCVT", "DisplayIDBlankingCVTReduced", "DisplayIDBlankingCVTReducedV2",
    "DisplayIDBlankingCVTReducedV3", "UnknownReserved"};

// What precedes the code of each DisplayIDTimingCode::Type.
constexpr std::array<std::string_view, 4> kCodePrefixes{"DMT ", "VIC ", "HDMI VIC ", ""};

// Stereo code 3 of the options byte is reserved.
constexpr unsigned kReservedStereo = 3;

void appendFlag(std::string& text, bool set, const char* key) {
    if (set) {
        text += ", ";
        text += detail::localized(key).str();
    }
}

std::string formulaTimingText(const DisplayIDFormulaTiming& t) {
    std::string text;
    text.reserve(64);
    detail::appendMode(text, t.width, t.height, t.refresh);
    text += ", ";
    text += detail::localized(kBlankingKeys[static_cast<unsigned>(t.blanking)]).str();
    appendFlag(text, t.interlaced, "DisplayIDInterlaced");
    appendFlag(text, t.fractionalRate, "DisplayIDFractionalRate");
    appendFlag(text, t.preferred, "DisplayIDPreferred");
    return text;
}

std::string timingCodeText(const DisplayIDTimingCode& code) {
    std::string text(kCodePrefixes[static_cast<unsigned>(code.type)]);
    // DMT IDs in hex, a 2-byte DMT code as its two bytes in stored order (as the DMT lists
    // them); VICs in decimal as CTA-861 numbers them.
    if (code.type == DisplayIDTimingCode::Type::DMT && code.twoByte) {
        text += detail::hexText((code.code & 0xFFu) << 8 | code.code >> 8, 4, "h").str();
    } else if (code.type == DisplayIDTimingCode::Type::DMT) {
        text += detail::hexByte(code.code).str();
    } else {
        detail::appendUnsigned(text, code.code);
    }
    if (code.width != 0) {
        text += ": ";
        detail::appendMode(text, code.width, code.height, code.refresh);
        text += code.reducedBlanking ? " RB" : code.interlaced ? " (I)" : "";
    }
    return text;
}

}  // namespace

void DisplayIDTimingKindsVerifier::verify() {
    switch (context.info.kind) {
        case displayid::Kind::TimingTypeII:
        case displayid::Kind::TimingTypeVI: {
            const auto timings = context.info.kind == displayid::Kind::TimingTypeII
                                     ? displayid::decodeTypeIITimings(context.payload)
                                     : displayid::decodeTypeVITimings(context.payload);
            checkLeftover(timings.leftover, timings.size);
            for (const DisplayIDTiming& timing : timings.items) {
                reportItem("DisplayIDTiming", displayid::timingText(timing));
                if (timing.stereoCode == kReservedStereo) {
                    reportReserved("DisplayIDFieldStereo", timing.stereoCode);
                }
                context.section.timings.push_back(timing);
            }
            break;
        }
        case displayid::Kind::FormulaTimings:
            verifyFormulaTimings();
            break;
        case displayid::Kind::TimingCodes:
            verifyTimingCodes();
            break;
        default:
            break;
    }
}

void DisplayIDTimingKindsVerifier::verifyFormulaTimings() {
    const auto timings =
        displayid::decodeFormulaTimings(context.block.tag, context.block.revision, context.payload);
    checkLeftover(timings.leftover, timings.size);
    detail::ModeList list;
    for (const DisplayIDFormulaTiming& timing : timings.items) {
        const std::string text = formulaTimingText(timing);
        reportItem("DisplayIDFormulaTiming", text);
        list.add(std::string_view(text));
        if (timing.blanking == DisplayIDBlanking::Reserved) {
            reportReserved("DisplayIDFieldFormula", timing.formula);
        }
        if (timing.height == 0) {
            reportReserved("DisplayIDFieldAspectRatio", timing.aspectRatioCode);
        }
        if (timing.stereoCode == kReservedStereo) {
            reportReserved("DisplayIDFieldStereo", timing.stereoCode);
        }
        context.section.formulaTimings.push_back(timing);
    }
    notifyIndexed("DisplayIDFormulaTimings", list.values());
}

void DisplayIDTimingKindsVerifier::verifyTimingCodes() {
    const auto codes =
        displayid::decodeTimingCodes(context.block.tag, context.block.revision, context.payload);
    checkLeftover(codes.leftover, codes.size);
    if (!codes.items.empty() && codes.items.front().type == DisplayIDTimingCode::Type::Reserved) {
        reportReserved("DisplayIDFieldCodeType", context.block.revision >> 6);
    }
    detail::ModeList list;
    for (const DisplayIDTimingCode& code : codes.items) {
        const std::string text = timingCodeText(code);
        reportItem("DisplayIDTimingCode", text);
        list.add(std::string_view(text));
        if (code.width == 0 && code.type != DisplayIDTimingCode::Type::Reserved) {
            reportReserved("DisplayIDFieldTimingCode", code.code);
        }
        context.section.timingCodes.push_back(code);
    }
    notifyIndexed("DisplayIDTimingCodes", list.values());
}

void DisplayIDTimingKindsVerifier::checkLeftover(unsigned leftover, unsigned size) {
    if (leftover != 0) {
        reportBadSize("DisplayIDTimingBlockSize", size);
    }
}

}  // namespace libEDID
