#include "libEDID/SystemDisplays.h"

#include "qorwin/Displays.h"
#include "sources/EDIDAccessorDisplay.h"

namespace libEDID {

std::vector<SystemDisplay> listDisplays() {
    const libqorwin::Displays displays;
    std::vector<SystemDisplay> entries;
    entries.reserve(displays.size());
    for (unsigned int i = 0; i < displays.size(); ++i) {
        const libqorwin::Display& display = displays[i];
        entries.push_back(SystemDisplay{display.getPortLocator().str(),
                                        display.getDisplayPath().str(),
                                        display.getDisplayName().str()});
    }
    return entries;
}

EDIDAccessorHandle openDisplay(const qor::String& locator, EDIDAccessor::EDIDFINDER finder) {
    // The handle owns the accessor from here on (and destroys it if wrapping fails).
    return makeAccessor<EDIDAccessorDisplay>(locator, finder);
}

}  // namespace libEDID
