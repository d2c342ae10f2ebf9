#pragma once

#include <cstddef>
#include <string_view>

// The PNP ID registry (manufacturer IDs of base block 08h-09h and their holders), embedded at
// build time from Debian's hwdata package when the build machine has it.
namespace libEDID::decode {

struct PnpId {
    const char* id;    ///< three capital letters
    const char* name;  ///< UTF-8
};

/// Sorted by ID; empty (kPnpIdCount 0) when the registry was not available to the build.
extern const std::size_t kPnpIdCount;
extern const PnpId kPnpIds[];

/// The registered name of `id`, empty when unknown.
std::string_view pnpName(std::string_view id);

}  // namespace libEDID::decode
