#include "sources/EDIDAccessorWindows.h"

#include "qor/Value.h"
#include "sources/ClassLogger.h"

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

EDIDAccessorWindows::EDIDAccessorWindows(const qor::String& wanted, EDIDFINDER finder) {
    const libqorwin::WindowsDisplays displays;
    const unsigned int index = findDisplay(displays, wanted, finder);
    if (index == libqorwin::WindowsDisplays::NOT_FOUND) {
        QOR_LOG(logger(), 3,
                "44 " +
                    "Unable to retrieve a display port locator for Display Device with locator " +
                    "\"" + wanted + "\"");
        return;
    }
    accessible = displays[index].getEDID(buffer);
    if (!accessible) {
        QOR_LOG(logger(), 3,
                "40 " + "Unable to retrieve EDID information for Display Device with locator " +
                    "\"" + wanted + "\"" + " with index " +
                    qor::QORValue(index).toString(qor::QORValue::nilValue()));
    }
}

EDIDAccessorWindows::~EDIDAccessorWindows() = default;

unsigned int EDIDAccessorWindows::findDisplay(const libqorwin::WindowsDisplays& displays,
                                              const qor::String& wanted, EDIDFINDER finder) {
    switch (finder) {
        case FIND_BY_PORT_LOCATOR:
            // A port locator such as "\\.\DISPLAY1" is kept as "DISPLAY1".
            locator = wanted.replace("\\", "").replace(".", "");
            return displays.findByPortLocator(wanted);
        case FIND_BY_DISPLAY_PATH:
            locator = wanted;
            return displays.findyByDisplaypath(upperCased(wanted));
        case FIND_BY_DISPLAY_NAME:
            locator = wanted;
            return displays.findyByDisplayName(upperCased(wanted));
    }
    return libqorwin::WindowsDisplays::NOT_FOUND;
}

}  // namespace libEDID
