#include "verifiers/displayid/DisplayIDDataBlockVerifiers.h"

#include "verifiers/displayid/DisplayIDText.h"

namespace libEDID {

void DisplayIDDataBlockVerifier::reportItem(const char* typeKey, const qor::String& value) {
    // Under the data block's line.
    reportLine("  ", typeKey, value);
}

void DisplayIDDataBlockVerifier::reportItemProperty(const char* typeKey, const qor::String& value,
                                                    const char* property) {
    reportItem(typeKey, value);
    notifyIndexed(property, qor::QORValue(value));
}

bool DisplayIDDataBlockVerifier::payloadLongEnough() {
    if (context.payload.size() >= context.info.minLength) {
        return true;
    }
    reportBadSize("DisplayIDDataBlockSize", context.info.minLength);
    return false;
}

void DisplayIDDataBlockVerifier::reportBadSize(const char* key, unsigned expected) {
    logDataBlockFinding(key, LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING, context.block,
                        {{"length", detail::unsignedText(context.block.length)},
                         {"expected", detail::unsignedText(expected)}});
}

void DisplayIDDataBlockVerifier::reportReserved(const char* fieldKey, unsigned value) {
    logDataBlockFinding(
        "DisplayIDReservedValue", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING, context.block,
        {{"field", detail::localized(fieldKey)}, {"value", detail::unsignedText(value)}});
}

void DisplayIDTimingVerifier::verify() {
    const std::span<const unsigned char> payload = context.payload;
    if (payload.size() % displayid::kTimingSize != 0) {
        reportBadSize("DisplayIDTimingBlockSize", displayid::kTimingSize);
    }
    for (std::size_t at = 0; at + displayid::kTimingSize <= payload.size();
         at += displayid::kTimingSize) {
        const DisplayIDTiming timing = displayid::decodeTiming(
            payload.subspan(at).first<displayid::kTimingSize>(), clockUnitKHz);
        reportItem("DisplayIDTiming", displayid::timingText(timing));
        context.section.timings.push_back(timing);
    }
}

void DisplayIDProductVerifier::verify() {
    if (!payloadLongEnough()) {
        return;
    }
    const DisplayIDProduct& product = context.section.product.emplace(
        displayid::decodeProduct(context.payload, context.header.family));
    reportItemProperty("DisplayIDProduct", displayid::productText(product), "DisplayIDProduct");
}

void DisplayIDParametersVerifier::verify() {
    if (!payloadLongEnough()) {
        return;
    }
    const DisplayIDDisplayParameters& parameters =
        context.section.displayParameters.emplace(displayid::decodeDisplayParameters(
            context.payload, context.block.revision, context.header.family));
    reportItemProperty("DisplayIDDisplayParameters", displayid::displayParametersText(parameters),
                       "DisplayIDDisplayParameters");
}

void DisplayIDTiledTopologyVerifier::verify() {
    if (!payloadLongEnough()) {
        return;
    }
    const DisplayIDTiledTopology& tiled =
        context.section.tiledTopology.emplace(displayid::decodeTiledTopology(context.payload));
    reportItemProperty("DisplayIDTiledTopology", displayid::tiledTopologyText(tiled),
                       "DisplayIDTiledTopology");
}

}  // namespace libEDID
