#include "libEDID/libEDID.h"

namespace libEDID {

void init() {}

}  // namespace libEDID
