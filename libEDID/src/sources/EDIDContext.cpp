#include "libEDID/EDIDContext.h"

#include "sources/EDIDAccessorWindows.h"

namespace libEDID {

EDIDContext& EDIDContext::operator=(const EDIDContext&) {
    return *this;
}

EDIDContext& EDIDContext::operator=(EDIDContext&&) {
    return *this;
}

EDIDAccessorHandle EDIDContext::getEDIDAccessor(const qor::String& locator,
                                                EDIDAccessor::EDIDFINDER finder) {
    // The handle owns the accessor from here on (and destroys it if wrapping fails).
    return makeAccessor<EDIDAccessorWindows>(locator, finder);
}

}  // namespace libEDID
