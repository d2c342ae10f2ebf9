#include "libEDID/EDIDContext.h"

#include "libEDID/SystemDisplays.h"

namespace libEDID {

EDIDContext& EDIDContext::operator=(const EDIDContext&) {
    return *this;
}

EDIDContext& EDIDContext::operator=(EDIDContext&&) {
    return *this;
}

EDIDAccessorHandle EDIDContext::getEDIDAccessor(const qor::String& locator,
                                                EDIDAccessor::EDIDFINDER finder) {
    return openDisplay(locator, finder);
}

}  // namespace libEDID
