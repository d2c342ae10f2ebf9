#include "verifiers/cta/CTASpeakerAllocationVerifier.h"

#include <array>

#include "verifiers/cta/CTATables.h"

namespace libEDID {

void CTASpeakerAllocationVerifier::verify() {
    if (!collection.speakerAllocation) {
        return;
    }
    std::array<std::string_view, 24> names;
    for (unsigned bit = 0; bit < names.size(); ++bit) {
        names[bit] = cta::speakerName(bit);
    }
    reportBits("CTASpeakerAllocation", *collection.speakerAllocation, names);
}

}  // namespace libEDID
