#pragma once

#include "qor/Buffer.h"
#include "qor/Export.h"
#include "qor/String.h"

namespace libqorwin {

/// What reading a display's EDID found.
enum class EDIDStatus : int {
    OK = 0,            ///< the raw bytes, at least one whole 128-byte block
    Empty,             ///< the display gives no EDID (on Linux: nothing connected any more)
    Short,             ///< fewer bytes than the 128 of a base block
    PermissionDenied,  ///< this process may not read the display's EDID
    ReadFailed,        ///< the EDID could not be read for another reason
};

/// One display of the running system, as listed by Displays: the three names by which it can be
/// looked up, and the way to its EDID. The same class on every system.
class QOR_API Display {
  public:
    Display() = default;
    Display(qor::String portLocator, qor::String displayPath, qor::String displayName);

    /// The connector the display is attached to (Linux: "card0-HDMI-A-1"; Windows: the GDI
    /// device name, "\\.\DISPLAY1").
    const qor::String& getPortLocator() const { return portLocator_; }
    /// The system's path of the display device (Linux: the connector's folder under the DRM
    /// class folder; Windows: the monitor's device interface path).
    const qor::String& getDisplayPath() const { return displayPath_; }
    /// The display's short name (Linux: "HDMI-A-1"; Windows: "\\.\DISPLAY1\Monitor0").
    const qor::String& getDisplayName() const { return displayName_; }

    /// Reads the display's EDID now. EDIDStatus::OK with the raw bytes in `edid` (base block
    /// first, then the extension blocks); otherwise the reason, with `edid` empty.
    EDIDStatus readEDID(qor::Buffer<unsigned char>& edid) const;
    /// readEDID() == EDIDStatus::OK.
    bool getEDID(qor::Buffer<unsigned char>& edid) const;

  private:
    qor::String portLocator_;
    qor::String displayPath_;
    qor::String displayName_;
};

}  // namespace libqorwin
