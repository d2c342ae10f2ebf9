#include "verifiers/displayid/DisplayIDVerifier.h"

namespace libEDID {

namespace {

constexpr LibEDIDLog::LIBEDID_LOG_CAT kCategory = LibEDIDLog::LIBEDID_LOG_CAT_DISPLAYID_EXTENSION;

}  // namespace

void DisplayIDVerifier::reportLine(const char* indent, const char* typeKey,
                                   const qor::String& value) {
    reportLabelledValue(indent + detail::localized(typeKey), value);
}

void DisplayIDVerifier::notifyIndexed(const char* property, const qor::QORValue& value) {
    notifySysInfoProperty(detail::indexedPropertyName(property, blockNumber), value);
}

void DisplayIDVerifier::logBlockFinding(const char* key, Level level, Variables variables) {
    logMesg(detail::makeMessage(key, level, kCategory, {{"block", blockText}}, variables));
}

void DisplayIDVerifier::logDataBlockFinding(const char* key, Level level,
                                            const DisplayIDDataBlock& data, Variables variables) {
    logMesg(detail::makeMessage(key, level, kCategory,
                                {{"block", blockText},
                                 {"tag", detail::hexByte(data.tag)},
                                 {"offset", detail::hexByte(data.offset)}},
                                variables));
}

}  // namespace libEDID
