#include "verifiers/descriptors/DisplayStringVerifier.h"

#include <cctype>
#include <map>

namespace libEDID {

namespace {

constexpr unsigned char kTerminator = 0x0A;
constexpr unsigned char kFill = 0x20;

/// Label keys of the text descriptor types.
const std::map<unsigned, const char*>& stringTypes() {
    static const std::map<unsigned, const char*> table{
        {0xFC, "ProductName"},
        {0xFE, "AlphaNumericString"},
        {0xFF, "SerialNumber"},
    };
    return table;
}

qor::String typeLabelOf(unsigned tag) {
    const auto type = stringTypes().find(tag);
    return type == stringTypes().end() ? qor::String() : detail::localized(type->second);
}

/// Printable or white space in the current locale.
bool isTextCharacter(unsigned char byte) {
    return std::isgraph(byte) != 0 || std::isspace(byte) != 0;
}

}  // namespace

void DisplayStringVerifier::verify() {
    const qor::String typeLabel = typeLabelOf(tag);
    qor::String text = extractText(typeLabel);
    text.trim();
    if (text.isEmpty()) {
        return;
    }
    reportLabelledValue(typeLabel, text, "ReportedValueQuoted");
    // A later descriptor of the same type replaces the text of an earlier one.
    if (tag == layout::kTagSerialNumber) {
        setSerialNumber(text);
    } else if (tag == layout::kTagProductName) {
        setProductName(text);
    }
}

qor::String DisplayStringVerifier::extractText(const qor::String& typeLabel) {
    qor::String text;
    bool terminated = false;
    bool fillReported = false;
    bool charactersReported = false;
    for (unsigned char byte : payload) {
        if (byte == kTerminator) {
            terminated = true;
            continue;
        }
        if (terminated && byte != kFill) {
            // Only blanks may follow the terminator. The fault is reported once; this and any
            // later bad fill byte stay out of the text.
            if (!fillReported) {
                reportFault("InvalidFillCharacters", typeLabel);
                fillReported = true;
            }
            continue;
        }
        text += static_cast<char>(byte);
        if (!isTextCharacter(byte) && !charactersReported) {
            reportFault("InvalidCharacters", typeLabel);
            charactersReported = true;
        }
    }
    return text;
}

void DisplayStringVerifier::reportFault(const char* key, const qor::String& typeLabel) {
    logFinding(key, LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
               LibEDIDLog::LIBEDID_LOG_CAT_STRING_CHARACTERS, {{"type", typeLabel}});
}

}  // namespace libEDID
