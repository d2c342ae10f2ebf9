#pragma once

#include "libEDID/EDIDAccessorHandle.h"

namespace libEDID {

/// Entry point to the EDIDs of the displays of the running system.
class LIBEDID_API EDIDContext {
  public:
    EDIDContext() = default;
    EDIDContext(const EDIDContext&) = default;
    EDIDContext(EDIDContext&&) = default;
    EDIDContext& operator=(const EDIDContext&);
    EDIDContext& operator=(EDIDContext&&);

    /// A handle to a new accessor over the EDID of the display that `locator` names, read at
    /// this moment; check isAccessible() to learn whether the display and its EDID were found.
    static EDIDAccessorHandle getEDIDAccessor(const qor::String& locator,
                                              EDIDAccessor::EDIDFINDER finder);
};

}  // namespace libEDID
