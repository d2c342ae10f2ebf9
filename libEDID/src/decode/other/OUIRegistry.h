#pragma once

#include <cstdint>
#include <string_view>

// The vendor names of IEEE OUIs, embedded at build time from the public registry (a short
// built-in list when the registry was not there).
namespace libEDID::oui {

/// The registered name of `oui` (00-0C-03 = 000C03h), or empty when the table lacks it.
std::string_view vendorName(std::uint32_t oui);

/// How many OUIs the embedded table names.
std::size_t registrySize();

}  // namespace libEDID::oui
