#pragma once

#include <type_traits>
#include <utility>

#include "libEDID/EDIDAccessor.h"
#include "qor/SharedResource.h"

namespace libEDID {

/// The reference-counted handle through which callers and parsers share an accessor; the
/// accessor is destroyed with the last copy of the handle. Build one with makeAccessor.
using EDIDAccessorHandle = qor::SharedResource<qor::PointerStorage<EDIDAccessor, 0, 3>, 0>;

/// A new `Accessor` built from `args`, inside a handle:
/// `makeAccessor<EDIDAccessorFile>(path)`.
template <typename Accessor, typename... Args>
EDIDAccessorHandle makeAccessor(Args&&... args) {
    static_assert(std::is_base_of_v<EDIDAccessor, Accessor>, "an EDIDAccessor");
    return EDIDAccessorHandle(new Accessor(std::forward<Args>(args)...));
}

}  // namespace libEDID
