#include "decode/base/PnpIds.h"

#include <algorithm>

namespace libEDID::decode {

std::string_view pnpName(std::string_view id) {
    const PnpId* end = kPnpIds + kPnpIdCount;
    const PnpId* found = std::lower_bound(
        kPnpIds, end, id, [](const PnpId& entry, std::string_view key) { return entry.id < key; });
    return found != end && found->id == id ? std::string_view(found->name) : std::string_view();
}

}  // namespace libEDID::decode
