#pragma once

#include "libEDID/EDIDAccessorBuffer.h"
#include "qorwin/WindowsDisplays.h"

namespace libEDID {

/// The EDID of a display of the running system, copied into memory once at construction from
/// the platform library's display list; from then on a memory accessor.
class EDIDAccessorWindows : public EDIDAccessorBuffer {
  public:
    /// Looks the display up by the kind of name `finder` says `locator` is; accessible when the
    /// display was found and its EDID could be read.
    EDIDAccessorWindows(const qor::String& locator, EDIDFINDER finder);
    ~EDIDAccessorWindows() override;

  private:
    /// The index of the display that `locator` names, or NOT_FOUND; stores the locator as the
    /// finder asks.
    unsigned int findDisplay(const libqorwin::WindowsDisplays& displays, const qor::String& locator,
                             EDIDFINDER finder);
};

}  // namespace libEDID
