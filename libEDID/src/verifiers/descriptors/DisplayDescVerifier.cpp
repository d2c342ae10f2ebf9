#include "verifiers/descriptors/DisplayDescVerifier.h"

#include <algorithm>
#include <initializer_list>
#include <map>

#include "verifiers/descriptors/DisplayCVTVerifier.h"
#include "verifiers/descriptors/DisplayColorPointVerifier.h"
#include "verifiers/descriptors/DisplayDCMVerifier.h"
#include "verifiers/descriptors/DisplayEstTimingVerifier.h"
#include "verifiers/descriptors/DisplayRangeVerifier.h"
#include "verifiers/descriptors/DisplayStringVerifier.h"
#include "verifiers/descriptors/DisplayTimingIDVerifier.h"

namespace libEDID {

namespace {

using detail::DisplayDescriptorBytes;

/// Label keys of the descriptor types that have a name of their own.
const std::map<unsigned, const char*>& descriptorTypes() {
    static const std::map<unsigned, const char*> table{
        {0x10, "Dummy"},
        {0xF7, "EstablishedTimings3"},
        {0xF8, "CVT3"},
        {0xF9, "DisplayColorManagement"},
        {0xFA, "StandardTimingsID"},
        {0xFB, "ColorPointData"},
        {0xFC, "ProductName"},
        {0xFD, "RangeLimits"},
        {0xFE, "AlphaNumericString"},
        {0xFF, "SerialNumber"},
    };
    return table;
}

// Runs the verifier of one tag over its part of the descriptor.
using RunVerifier = void (*)(EDIDParser*, const DisplayDescriptorBytes&);

template <typename Verifier>
void runOnPayload(EDIDParser* parser, const DisplayDescriptorBytes& descriptor) {
    Verifier verifier(parser, detail::descriptorBytes<detail::DescriptorPayload>(
                                  descriptor, layout::kDescriptorPayload));
    verifier.verify();
}

void runString(EDIDParser* parser, const DisplayDescriptorBytes& descriptor) {
    DisplayStringVerifier verifier(
        parser, descriptor[layout::kDescriptorTag],
        detail::descriptorBytes<detail::DescriptorPayload>(descriptor, layout::kDescriptorPayload));
    verifier.verify();
}

void runRange(EDIDParser* parser, const DisplayDescriptorBytes& descriptor) {
    DisplayRangeVerifier verifier(parser, detail::descriptorBytes<DisplayRangeVerifier::Limits>(
                                              descriptor, layout::kDescriptorReserved));
    verifier.verify();
}

/// How a tag is decoded: its verifier and the versions its byte 5 may hold (none: the
/// descriptor carries no version).
struct Route {
    RunVerifier run;
    qor::Array<unsigned char> versions;
};

qor::Array<unsigned char> versions(std::initializer_list<unsigned char> list) {
    qor::Array<unsigned char> out;
    for (unsigned char version : list) {
        out.append(version);
    }
    return out;
}

const std::map<unsigned, Route>& routes() {
    static const std::map<unsigned, Route> table{
        {0xF7, {&runOnPayload<DisplayEstTimingVerifier>, versions({0x0A})}},
        {0xF8, {&runOnPayload<DisplayCVTVerifier>, versions({0x01})}},
        {0xF9, {&runOnPayload<DisplayDCMVerifier>, versions({0x03})}},
        {0xFA, {&runOnPayload<DisplayTimingIDVerifier>, {}}},
        {0xFB, {&runOnPayload<DisplayColorPointVerifier>, {}}},
        {0xFC, {&runString, {}}},
        {0xFD, {&runRange, {}}},
        {0xFE, {&runString, {}}},
        {0xFF, {&runString, {}}},
    };
    return table;
}

}  // namespace

DisplayDescVerifier::DisplayDescVerifier(
    EDIDParser* owner, std::span<const unsigned char, layout::kDescriptorSize> slot)
    : EDIDVerifier(owner) {
    std::copy(slot.begin(), slot.end(), descriptor.begin());
}

qor::String DisplayDescVerifier::getDescriptorTypeName(unsigned tag) {
    qor::String type;
    const auto known = descriptorTypes().find(tag);
    if (known != descriptorTypes().end()) {
        type = detail::localized(known->second);
    } else {
        type = detail::localized(tag <= layout::kLastManufacturerTag ? "Manufacturer"
                                                                     : "UnknownReserved");
        type += " (" + detail::hexByte(tag) + ")";
    }
    qor::String name = detail::filledText("NamedDisplayDescriptor", {{"type", type}});
    return name.trim();
}

void DisplayDescVerifier::verify() {
    const auto route = routes().find(descriptor[layout::kDescriptorTag]);
    if (route == routes().end()) {
        reportRawDescriptor();
        checkReservedByte();
        return;
    }
    // The checks follow the output of the tag's verifier.
    route->second.run(getParser(), descriptor);
    checkReservedByte();
    checkVersion(route->second.versions);
}

void DisplayDescVerifier::reportRawDescriptor() {
    reportLabelledValue(getDescriptorTypeName(descriptor[layout::kDescriptorTag]),
                        detail::hexBytes(descriptor), "ReportedValueQuoted");
}

void DisplayDescVerifier::checkReservedByte() {
    if (descriptor[layout::kDescriptorTag] == layout::kTagRangeLimits ||
        descriptor[layout::kDescriptorReserved] == 0x00) {
        return;
    }
    logFinding("InvalidValueInField", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
               LibEDIDLog::LIBEDID_LOG_CAT_VALUE_IN_FIELD,
               {{"type", getDescriptorTypeName(descriptor[layout::kDescriptorTag])},
                {"field", detail::localized("RangeLimitsOffsets")},
                {"value", detail::hexByte(descriptor[layout::kDescriptorReserved])}});
}

void DisplayDescVerifier::checkVersion(const qor::Array<unsigned char>& expected) {
    if (expected.isEmpty()) {
        return;
    }
    const unsigned char found = descriptor[layout::kDescriptorVersion];
    if (std::find(expected.begin(), expected.end(), found) != expected.end()) {
        return;
    }
    qor::String expectedText;
    for (unsigned char version : expected) {
        expectedText += detail::hexByte(version) + " ";
    }
    logFinding("UnknownVersion", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
               LibEDIDLog::LIBEDID_LOG_CAT_DESCRIPTOR_VERSION,
               {{"type", getDescriptorTypeName(descriptor[layout::kDescriptorTag])},
                {"expected", expectedText.trim()},
                {"found", detail::hexByte(found)}});
}

}  // namespace libEDID
