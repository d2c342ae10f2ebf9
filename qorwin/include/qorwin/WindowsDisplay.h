#pragma once

#include "qor/Buffer.h"
#include "qor/Export.h"
#include "qor/String.h"

namespace libqorwin {

/// One display of the running system, as listed by WindowsDisplays: the three names by which
/// it can be looked up, and the way to its EDID.
class QOR_API WindowsDisplay {
  public:
    WindowsDisplay() = default;
    WindowsDisplay(qor::String portLocator, qor::String displayPath, qor::String displayName);

    /// The connector the display is attached to (Linux: "card0-HDMI-A-1"; Windows: the GDI
    /// device name, "\\.\DISPLAY1").
    const qor::String& getPortLocator() const { return portLocator_; }
    /// The system's path of the display device (Linux: the connector's folder under the DRM
    /// class folder; Windows: the monitor's device interface path).
    const qor::String& getDisplayPath() const { return displayPath_; }
    /// The display's short name (Linux: "HDMI-A-1"; Windows: "\\.\DISPLAY1\Monitor0").
    const qor::String& getDisplayName() const { return displayName_; }

    /// Reads the display's EDID now. True with the raw bytes in `edid` (base block first, then
    /// the extension blocks); false with `edid` empty when the EDID cannot be read or holds
    /// less than one whole 128-byte block.
    bool getEDID(qor::Buffer<unsigned char>& edid) const;

  private:
    qor::String portLocator_;
    qor::String displayPath_;
    qor::String displayName_;
};

}  // namespace libqorwin
