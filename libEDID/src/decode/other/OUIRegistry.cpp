#include "decode/other/OUIRegistry.h"

#include <algorithm>
#include <cstddef>

// The table of cmake/EmbedOUI.cmake: OUIs in ascending order, and per OUI the offset of its
// NUL-ended name in kNames.
namespace libEDID::oui::data {
extern const std::size_t kCount;
extern const std::uint32_t kOUIs[];
extern const std::uint32_t kNameOffsets[];
extern const char kNames[];
}  // namespace libEDID::oui::data

namespace libEDID::oui {

std::string_view vendorName(std::uint32_t oui) {
    const std::uint32_t* const end = data::kOUIs + data::kCount;
    const std::uint32_t* const found = std::lower_bound(data::kOUIs, end, oui);
    if (found == end || *found != oui) {
        return {};
    }
    return std::string_view(data::kNames + data::kNameOffsets[found - data::kOUIs]);
}

std::size_t registrySize() {
    return data::kCount;
}

}  // namespace libEDID::oui
