#pragma once

// Helpers of the tests of the library's sources, messages and parser core.

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "libEDID/libEDID.h"
#include "qor/System.h"

namespace coretest {

using Log = libEDID::LibEDIDLog;
using Bytes = std::vector<std::uint8_t>;

inline std::string label(const char* key) {
    return Log::getString(key).str();
}
inline std::string eol() {
    return qor::System::TEXT_FILE_EOL().str();
}

/// The template of `key` with every "{name}" replaced by its value, filled independently of
/// the library.
inline std::string filled(const char* key,
                          std::initializer_list<std::pair<std::string, std::string>> variables) {
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

inline std::string reported(const char* typeKey, const std::string& value) {
    return filled("ReportedValue", {{"type", label(typeKey)}, {"value", value}});
}

/// A memory accessor over a copy of `bytes`, wrapped in a new handle.
inline libEDID::EDIDAccessorHandle memoryHandle(const Bytes& bytes) {
    return libEDID::EDIDAccessorHandle(new libEDID::EDIDAccessorBuffer(
        reinterpret_cast<const char*>(bytes.data()), static_cast<unsigned>(bytes.size())));
}

/// Texts of the stored messages, in log order.
inline std::vector<std::string> texts(const libEDID::EDIDParser& parser) {
    std::vector<std::string> out;
    for (const Log& m : parser.getMessages()) {
        out.push_back(m.getMesg().str());
    }
    return out;
}

}  // namespace coretest
