#pragma once

// Helpers of the tests of the library's sources, messages and parser core.

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "Templates.h"
#include "libEDID/libEDID.h"
#include "qor/System.h"

namespace coretest {

using Log = libEDID::LibEDIDLog;
using Bytes = std::vector<std::uint8_t>;

using edidtest::eol;
using edidtest::filled;
using edidtest::label;
using edidtest::reported;

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
