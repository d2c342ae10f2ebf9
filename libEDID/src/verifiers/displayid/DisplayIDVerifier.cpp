#include "verifiers/displayid/DisplayIDVerifier.h"

#include "verifiers/VerifierSupport.h"

namespace libEDID {

void DisplayIDVerifier::reportLine(const char* indent, const char* typeKey,
                                   const qor::String& value) {
    LibEDIDLog record("ReportedValue", LibEDIDLog::LIBEDID_LOG_LEVEL_INFO,
                      LibEDIDLog::LIBEDID_LOG_CAT_GENERAL);
    record.setVariable("type", detail::localized(typeKey));
    record.setVariable("value", value);
    appendToString(indent, false);
    logMesgAndAppend(record);
}

void DisplayIDVerifier::notifyIndexed(const char* property, const qor::QORValue& value) {
    notifySysInfoProperty(property + detail::indexText(blockNumber), value);
}

LibEDIDLog DisplayIDVerifier::finding(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level) const {
    LibEDIDLog record(key, level, LibEDIDLog::LIBEDID_LOG_CAT_DISPLAYID_EXTENSION);
    record.setVariable("block", detail::unsignedText(blockNumber));
    return record;
}

LibEDIDLog DisplayIDVerifier::finding(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                                      const DisplayIDDataBlock& data) const {
    LibEDIDLog record = finding(key, level);
    record.setVariable("tag", qor::SprintfFormat("%02Xh", data.tag));
    record.setVariable("offset", qor::SprintfFormat("%02Xh", data.offset));
    return record;
}

}  // namespace libEDID
