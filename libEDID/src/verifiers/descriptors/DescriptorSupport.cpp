#include "verifiers/descriptors/DescriptorSupport.h"

namespace libEDID::detail {

qor::String hexByte(unsigned value) {
    return qor::SprintfFormat("%02Xh", value);
}

LibEDIDLog record(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                  LibEDIDLog::LIBEDID_LOG_CAT category) {
    return LibEDIDLog(key, level, category);
}

LibEDIDLog reportedValue(const qor::String& type, const qor::String& value) {
    LibEDIDLog report = record("ReportedValue", LibEDIDLog::LIBEDID_LOG_LEVEL_INFO,
                               LibEDIDLog::LIBEDID_LOG_CAT_GENERAL);
    report.setVariable("type", type);
    report.setVariable("value", value);
    return report;
}

qor::String labelPair(const char* first, const char* second) {
    return localized(first) + " " + localized(second);
}

qor::String DetailLines::add(const char* labelKey, const qor::String& value) {
    return addLabelled(localized(labelKey), value);
}

qor::String DetailLines::addLabelled(const qor::String& label, const qor::String& value) {
    text_ += eol();
    text_ += indent_;
    text_ += label;
    text_ += " : ";
    text_ += value;
    return value;
}

void ItemList::add(const qor::String& item) {
    text_ += eol();
    text_ += indent_;
    text_ += item;
    values_.append(item);
    empty_ = false;
}

qor::String ItemList::text() const {
    return empty_ ? localized("None") : text_;
}

qor::QORValue ItemList::values() const {
    if (!empty_) {
        return values_;
    }
    qor::QORValue none(qor::QORValue::TYPE_STRING_ARRAY, true, 0);
    none.append(localized("None"));
    return none;
}

}  // namespace libEDID::detail
