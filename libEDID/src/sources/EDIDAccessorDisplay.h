#pragma once

#include "libEDID/EDIDAccessorBuffer.h"
#include "qorwin/Displays.h"

namespace libEDID {

/// The EDID of a display of the running system, copied into memory once at construction from
/// the platform library's display list; from then on a memory accessor. The same class on
/// every system.
class EDIDAccessorDisplay : public EDIDAccessorBuffer {
  public:
    /// Looks the display up by the kind of name `finder` says `locator` is; accessible when the
    /// display was found and its EDID could be read. Otherwise getSourceError() tells why:
    /// NoDisplay, or what reading the display's EDID found (Empty, BaseBlockShort,
    /// PermissionDenied, ReadFailed).
    EDIDAccessorDisplay(const qor::String& locator, EDIDFINDER finder);
    ~EDIDAccessorDisplay() override;

  private:
    /// The index of the display that `locator` names, or NOT_FOUND; stores the locator as the
    /// finder asks.
    unsigned int findDisplay(const libqorwin::Displays& displays, const qor::String& locator,
                             EDIDFINDER finder);
};

/// The name under which the display source has always been known.
using EDIDAccessorWindows = EDIDAccessorDisplay;

}  // namespace libEDID
