#include "report/EDIDVerifier.h"

#include <utility>

namespace libEDID {

LibEDIDLog EDIDVerifier::message(const char* key, Level level, Category category,
                                 Variables variables) {
    return detail::makeMessage(key, level, category, variables);
}

LibEDIDLog EDIDVerifier::info(const char* key, Variables variables) {
    return message(key, LibEDIDLog::LIBEDID_LOG_LEVEL_INFO, LibEDIDLog::LIBEDID_LOG_CAT_GENERAL,
                   variables);
}

void EDIDVerifier::reportValue(const char* typeKey, const qor::String& value, const char* key) {
    reportLabelledValue(detail::localized(typeKey), value, key);
}

void EDIDVerifier::reportLabelledValue(const qor::String& type, const qor::String& value,
                                       const char* key) {
    logMesgAndAppend(info(key, {{"type", type}, {"value", value}}));
}

void EDIDVerifier::logAndNotifyTrimmed(LibEDIDLog&& record, const char* property) {
    const qor::QORValue value(record.getMesgTrimmed());
    logMesgAndAppend(std::move(record));
    notifySysInfoProperty(property, value);
}

qor::String EDIDVerifier::reportValueTrimmed(const char* typeKey, const qor::String& value) {
    LibEDIDLog record =
        info("ReportedValue", {{"type", detail::localized(typeKey)}, {"value", value}});
    qor::String trimmed = record.getMesgTrimmed();
    logMesgAndAppend(std::move(record));
    return trimmed;
}

void EDIDVerifier::reportValueProperty(const char* typeKey, qor::String value, const char* property,
                                       const char* key) {
    reportValue(typeKey, value, key);
    notifySysInfoProperty(property, qor::QORValue(std::move(value)));
}

void EDIDVerifier::reportFlag(const char* key, const char* typeKey, bool flag,
                              const char* property) {
    const qor::String& value = detail::yesNo(flag);
    logMesgAndAppend(typeKey != nullptr
                         ? info(key, {{"type", detail::localized(typeKey)}, {"value", value}})
                         : info(key, {{"value", value}}));
    notifySysInfoProperty(property, qor::QORValue(flag));
}

void EDIDVerifier::reportModeList(const char* key, const detail::ModeList& modes) {
    if (modes.isEmpty()) {
        return;
    }
    logMesgAndAppend(info(key, {{"timings", modes.text()}}));
    notifySysInfoProperty(key, modes.values());
}

}  // namespace libEDID
