#include "verifiers/cta/CTABlockVerifier.h"

namespace libEDID {

void CTABlockVerifier::verify() {}

}  // namespace libEDID
