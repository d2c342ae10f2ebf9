#pragma once

#include "qor/Array.h"
#include "qor/Buffer.h"
#include "qor/String.h"
#include "qorwin/Display.h"

// What each platform backend (src/linux, src/windows) supplies to the common code.
namespace libqorwin::detail {

/// The system's displays at this moment, in the backend's fixed order.
qor::Array<Display> enumerateDisplays();

/// Reads the raw EDID of a listed display, whatever its length; the reason when it cannot be
/// read.
EDIDStatus readEDID(const Display& display, qor::Buffer<unsigned char>& edid);

/// True when both texts are equal once their ASCII letters are upper-cased.
bool equalsIgnoringCase(const qor::String& a, const qor::String& b);

}  // namespace libqorwin::detail
