#pragma once

#include <string>
#include <vector>

#include "libEDID/EDIDAccessor.h"
#include "libEDID/EDIDAccessorHandle.h"
#include "libEDID/libEDIDExport.h"

namespace libEDID {

/// One display of the running system that has an EDID, by the three names that
/// openDisplay (and EDIDContext::getEDIDAccessor) accept.
struct SystemDisplay {
    std::string portLocator;  ///< Linux: "card0-HDMI-A-1"; Windows: "\\.\DISPLAY1"
    std::string displayPath;  ///< Linux: the connector's DRM folder; Windows: the device path
    std::string displayName;  ///< Linux: "HDMI-A-1"; Windows: "\\.\DISPLAY1\Monitor0"
};

/// The displays of the running system at this moment, in the platform's fixed order (see
/// docs/display-source.md), the same on Linux and Windows. Throws what the platform throws when
/// the displays cannot be listed.
LIBEDID_API std::vector<SystemDisplay> listDisplays();

/// A handle to a new accessor over the EDID of the display that `locator` names, read at this
/// moment: the same as EDIDContext::getEDIDAccessor. When it is not accessible,
/// getSourceError() says why (ReadError::NoDisplay when no display matches).
LIBEDID_API EDIDAccessorHandle
openDisplay(const qor::String& locator,
            EDIDAccessor::EDIDFINDER finder = EDIDAccessor::FIND_BY_PORT_LOCATOR);

}  // namespace libEDID
