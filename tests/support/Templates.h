#pragma once

// Expected texts for the tests: the library's templates filled independently of the library.

#include <initializer_list>
#include <string>
#include <utility>

#include "libEDID/LibEDIDLog.h"

namespace edidtest {

using Vars = std::initializer_list<std::pair<std::string, std::string>>;

/// The localized text of `key`.
inline std::string label(const std::string& key) {
    return libEDID::LibEDIDLog::getString(key).str();
}

/// The template of `key` with each "{name}" replaced by its value.
inline std::string filled(const char* key, Vars variables) {
    std::string text = label(key);
    for (const auto& [name, value] : variables) {
        const std::string pattern = "{" + name + "}";
        for (auto at = text.find(pattern); at != std::string::npos;
             at = text.find(pattern, at + value.size())) {
            text.replace(at, pattern.size(), value);
        }
    }
    return text;
}

}  // namespace edidtest
