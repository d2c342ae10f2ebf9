#include "verifiers/displayid/DisplayIDBlockVerifier.h"

namespace libEDID {

void DisplayIDBlockVerifier::verify() {}

}  // namespace libEDID
