#include "verifiers/cta/CTASpeakerAllocationVerifier.h"

#include "decode/cta/CTATables.h"

namespace libEDID {

void CTASpeakerAllocationVerifier::verify() {
    if (!collection.speakerAllocation) {
        return;
    }
    reportBits("CTASpeakerAllocation", *collection.speakerAllocation, cta::speakerNames());
}

}  // namespace libEDID
