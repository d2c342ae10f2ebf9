#include "sources/EDIDAccessorWindows.h"

#include "parser/ClassLogger.h"
#include "qor/Value.h"

namespace libEDID {

namespace {

qor::Logger* logger() {
    static qor::Logger* const instance = detail::classLogger("EDIDAccessorWindows");
    return instance;
}

qor::String upperCased(const qor::String& text) {
    qor::String copy = text;
    copy.toUpper();
    return copy;
}

}  // namespace

EDIDAccessorWindows::EDIDAccessorWindows(const qor::String& locator, EDIDFINDER finder) {
    const libqorwin::WindowsDisplays displays;
    const unsigned int index = findDisplay(displays, locator, finder);
    if (index == libqorwin::WindowsDisplays::NOT_FOUND) {
        QOR_LOG(logger(), 3,
                "44 " +
                    "Unable to retrieve a display port locator for Display Device with locator " +
                    "\"" + locator + "\"");
        return;
    }
    accessible = displays[index].getEDID(buffer);
    if (!accessible) {
        QOR_LOG(logger(), 3,
                "40 " + "Unable to retrieve EDID information for Display Device with locator " +
                    "\"" + locator + "\"" + " with index " +
                    qor::QORValue(index).toString(qor::QORValue::nilValue()));
    }
}

EDIDAccessorWindows::~EDIDAccessorWindows() = default;

unsigned int EDIDAccessorWindows::findDisplay(const libqorwin::WindowsDisplays& displays,
                                              const qor::String& locator, EDIDFINDER finder) {
    switch (finder) {
        case FIND_BY_PORT_LOCATOR:
            // A port locator such as "\\.\DISPLAY1" is kept as "DISPLAY1".
            this->locator = locator.replace("\\", "").replace(".", "");
            return displays.findByPortLocator(locator);
        case FIND_BY_DISPLAY_PATH:
            this->locator = locator;
            return displays.findyByDisplaypath(upperCased(locator));
        case FIND_BY_DISPLAY_NAME:
            this->locator = locator;
            return displays.findyByDisplayName(upperCased(locator));
    }
    return libqorwin::WindowsDisplays::NOT_FOUND;
}

}  // namespace libEDID
