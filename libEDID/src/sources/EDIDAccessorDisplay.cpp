#include "sources/EDIDAccessorDisplay.h"

#include "qor/Value.h"
#include "sources/ClassLogger.h"

namespace libEDID {

namespace {

// The technical log keeps the name under which the display source has always logged.
qor::Logger* logger() {
    static qor::Logger* const instance = detail::classLogger("EDIDAccessorWindows");
    return instance;
}

ReadError sourceErrorOf(libqorwin::EDIDStatus status) {
    switch (status) {
        case libqorwin::EDIDStatus::OK:
            return ReadError::None;
        case libqorwin::EDIDStatus::Empty:
            return ReadError::Empty;
        case libqorwin::EDIDStatus::Short:
            return ReadError::BaseBlockShort;
        case libqorwin::EDIDStatus::PermissionDenied:
            return ReadError::PermissionDenied;
        case libqorwin::EDIDStatus::ReadFailed:
            return ReadError::ReadFailed;
    }
    return ReadError::ReadFailed;
}

qor::String upperCased(const qor::String& text) {
    qor::String copy = text;
    copy.toUpper();
    return copy;
}

}  // namespace

EDIDAccessorDisplay::EDIDAccessorDisplay(const qor::String& wanted, EDIDFINDER finder) {
    const libqorwin::Displays displays;
    const unsigned int index = findDisplay(displays, wanted, finder);
    if (index == libqorwin::Displays::NOT_FOUND) {
        QOR_LOG(logger(), 3,
                "44 " +
                    "Unable to retrieve a display port locator for Display Device with locator " +
                    "\"" + wanted + "\"");
        sourceError = ReadError::NoDisplay;
        return;
    }
    sourceError = sourceErrorOf(displays[index].readEDID(buffer));
    accessible = sourceError == ReadError::None;
    if (!accessible) {
        QOR_LOG(logger(), 3,
                "40 " + "Unable to retrieve EDID information for Display Device with locator " +
                    "\"" + wanted + "\"" + " with index " +
                    qor::QORValue(index).toString(qor::QORValue::nilValue()));
        QOR_LOG(logger(), 2, "41 " + "Reason: " + readErrorName(sourceError));
    }
}

EDIDAccessorDisplay::~EDIDAccessorDisplay() = default;

unsigned int EDIDAccessorDisplay::findDisplay(const libqorwin::Displays& displays,
                                              const qor::String& wanted, EDIDFINDER finder) {
    switch (finder) {
        case FIND_BY_PORT_LOCATOR:
            // A port locator such as "\\.\DISPLAY1" is kept as "DISPLAY1".
            locator = wanted.replace("\\", "").replace(".", "");
            return displays.findByPortLocator(wanted);
        case FIND_BY_DISPLAY_PATH:
            locator = wanted;
            return displays.findByDisplayPath(upperCased(wanted));
        case FIND_BY_DISPLAY_NAME:
            locator = wanted;
            return displays.findByDisplayName(upperCased(wanted));
    }
    return libqorwin::Displays::NOT_FOUND;
}

}  // namespace libEDID
