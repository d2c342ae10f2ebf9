#pragma once

#include "qorwin/Displays.h"
#include "qorwin/WindowsDisplay.h"

namespace libqorwin {

/// The display list under the names by which the display source has always looked displays up
/// (EDIDContext::getEDIDAccessor); new code uses Displays. Lists the same displays as Displays,
/// on every system.
class QOR_API WindowsDisplays : public Displays {
  public:
    unsigned int findyByDisplaypath(const qor::String& displayPath) const {
        return findByDisplayPath(displayPath);
    }
    unsigned int findyByDisplayName(const qor::String& displayName) const {
        return findByDisplayName(displayName);
    }
};

}  // namespace libqorwin
