#include "ReportTexts.h"

#include <cstdio>

#include "libEDID/LibEDIDLog.h"

namespace edidcheck {

std::string reportText(std::string_view key,
                       std::initializer_list<std::pair<std::string_view, std::string>> fills) {
    std::string text = libEDID::LibEDIDLog::getString(qor::String(std::string(key))).str();
    if (text.empty()) {
        text = key;
    }
    for (const auto& [name, value] : fills) {
        const std::string placeholder = std::string("{").append(name).append("}");
        if (const std::size_t at = text.find(placeholder); at != std::string::npos) {
            text.replace(at, placeholder.size(), value);
        }
    }
    return text;
}

std::string verdictText(std::size_t errors, std::size_t warnings) {
    const auto counted = [](std::size_t count, const char* one, const char* many) {
        return count == 1 ? reportText(one) : reportText(many, {{"count", std::to_string(count)}});
    };
    if (errors == 0 && warnings == 0) {
        return reportText("ReportVerdictOK");
    }
    std::string text;
    if (errors > 0) {
        text = counted(errors, "ReportOneError", "ReportErrors");
    }
    if (warnings > 0) {
        text +=
            (text.empty() ? "" : ", ") + counted(warnings, "ReportOneWarning", "ReportWarnings");
    }
    return text;
}

std::string decimal(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

}  // namespace edidcheck
