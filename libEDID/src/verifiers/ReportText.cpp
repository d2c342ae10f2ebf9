#include "verifiers/ReportText.h"

#include "qor/System.h"

namespace libEDID::detail {

qor::String labelPair(const char* first, const char* second) {
    return localized(first) + " " + localized(second);
}

qor::String yesNo(bool value) {
    return localized(value ? "Yes" : "No");
}

qor::String unsignedText(unsigned value) {
    return qor::SprintfFormat("%u", value);
}

qor::String indexText(unsigned value) {
    return qor::QORValue(value).toString(qor::QORValue::nilValue());
}

qor::String hexByte(unsigned value) {
    return qor::SprintfFormat("%02Xh", value);
}

const qor::String& eol() {
    return qor::System::TEXT_FILE_EOL();
}

qor::String modeText(unsigned width, unsigned height, unsigned refresh) {
    return qor::SprintfFormat("%u x %u @ %uHz", width, height, refresh);
}

void ModeList::add(const qor::String& mode) {
    text_ += " ";
    text_ += mode;
    text_ += eol();
    values_.append(mode);
    ++count_;
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
