#include "libEDID/LibEDIDLog.h"

#include "parser/ClassLogger.h"
#include "parser/Texts.h"
#include "qor/Resource.h"

namespace libEDID {

namespace {

qor::Logger* logger() {
    static qor::Logger* const instance = detail::classLogger("LibEDIDLog");
    return instance;
}

// Looks "LocalizedString." + key up in section "libEDID" for the global locale.
bool lookUp(const qor::String& key, qor::String& resourceKey, qor::String& text) {
    detail::ensureDefaultTexts();
    resourceKey = qor::String("LocalizedString.") + key;
    return qor::Resource::getString("libEDID", resourceKey.getLowerByteString().c_str(), text,
                                    qor::QORLocale::getGlobalLocale());
}

}  // namespace

LibEDIDLog::LibEDIDLog(LIBEDID_LOG_LEVEL level, LIBEDID_LOG_CAT category)
    : level(level), category(category) {}

LibEDIDLog::LibEDIDLog(qor::String key, LIBEDID_LOG_LEVEL level, LIBEDID_LOG_CAT category)
    : key(std::move(key)), level(level), category(category) {
    setMesg();
}

qor::String LibEDIDLog::getMesgTrimmed() const {
    const std::size_t at = mesg.find(": ", 0);
    if (at == qor::String::npos) {
        return mesg;
    }
    return mesg.subString(at + 2);
}

void LibEDIDLog::setKey(const qor::String& newKey) {
    key = newKey;
    setMesg();
}

void LibEDIDLog::setVariable(const qor::String& name, const qor::String& value) {
    mesg = mesg.replace(qor::String("{") + name + "}", value);
}

qor::String LibEDIDLog::getString(const qor::String& key) {
    qor::String resourceKey;
    qor::String text;
    lookUp(key, resourceKey, text);
    return text;
}

void LibEDIDLog::setMesg() {
    qor::String resourceKey;
    qor::String text;
    if (lookUp(key, resourceKey, text)) {
        mesg = text;
        return;
    }
    QOR_LOG(logger(), 3,
            "38 " + "unable to find string in resource DB for key: \"" + resourceKey + "\"");
}

}  // namespace libEDID
