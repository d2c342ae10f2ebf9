#include "verifiers/ReportingVerifier.h"

namespace libEDID {

namespace {

LibEDIDLog infoRecord(const char* key) {
    return LibEDIDLog(key, LibEDIDLog::LIBEDID_LOG_LEVEL_INFO, LibEDIDLog::LIBEDID_LOG_CAT_GENERAL);
}

}  // namespace

LibEDIDLog ReportingVerifier::reportValue(const char* typeKey, const qor::String& value,
                                          const char* key) {
    LibEDIDLog record = infoRecord(key);
    record.setVariable("type", detail::localized(typeKey));
    record.setVariable("value", value);
    logMesgAndAppend(record);
    return record;
}

void ReportingVerifier::reportValueProperty(const char* typeKey, const qor::String& value,
                                            const char* property, const char* key) {
    reportValue(typeKey, value, key);
    notifySysInfoProperty(property, qor::QORValue(value));
}

void ReportingVerifier::reportFlag(const char* key, const char* typeKey, bool flag,
                                   const char* property) {
    LibEDIDLog record = infoRecord(key);
    if (typeKey != nullptr) {
        record.setVariable("type", detail::localized(typeKey));
    }
    record.setVariable("value", detail::yesNo(flag));
    logMesgAndAppend(record);
    notifySysInfoProperty(property, qor::QORValue(flag));
}

void ReportingVerifier::reportModeList(const char* key, const detail::ModeList& modes) {
    if (modes.isEmpty()) {
        return;
    }
    LibEDIDLog record = infoRecord(key);
    record.setVariable("timings", modes.text());
    // Stored, then its text appended as its own line: the same effect as logMesgAndAppend.
    logMesg(record);
    appendToString(record.getMesg(), true);
    notifySysInfoProperty(key, modes.values());
}

}  // namespace libEDID
