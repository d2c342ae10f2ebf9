#pragma once

#include "qorwin/Display.h"

namespace libqorwin {

/// The name under which the display source has always known a display; the very same class as
/// Display, on every system.
using WindowsDisplay = Display;

}  // namespace libqorwin
