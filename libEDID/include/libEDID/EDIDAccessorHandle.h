#pragma once

#include "libEDID/EDIDAccessor.h"
#include "qor/SharedResource.h"

namespace libEDID {

/// The reference-counted handle through which callers and parsers share an accessor. Wrap a
/// new accessor with `EDIDAccessorHandle(new EDIDAccessorFile(path))`; the accessor is
/// destroyed with the last copy of the handle.
using EDIDAccessorHandle = qor::SharedResource<qor::PointerStorage<EDIDAccessor, 0, 3>, 0>;

}  // namespace libEDID
