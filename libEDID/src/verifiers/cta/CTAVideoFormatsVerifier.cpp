#include "verifiers/cta/CTAVideoFormatsVerifier.h"

namespace libEDID {

void CTAVideoFormatsVerifier::verify() {
    if (has(CTADataBlockKind::Video)) {
        reportFormats("CTAVideoFormats", collection.videoFormats, true);
    }
}

}  // namespace libEDID
