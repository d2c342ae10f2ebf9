#pragma once

// Helpers of the tests of the library's sources, messages and parser core.

#include <string>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "Templates.h"
#include "libEDID/libEDID.h"

namespace coretest {

using namespace edidtest;
using Log = libEDID::LibEDIDLog;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

/// A stored message as "<key> <level> <category>: <text>".
inline std::string summary(const Log& m) {
    return m.getKey().str() + " " + std::to_string(m.getLevel()) + " " +
           std::to_string(m.getCategory()) + ": " + m.getMesg().str();
}

/// The summaries of all stored messages, in log order.
inline Texts summaries(const libEDID::EDIDParser& parser) {
    Texts out;
    for (const Log& m : parser.getMessages()) {
        out.push_back(summary(m));
    }
    return out;
}

}  // namespace coretest
