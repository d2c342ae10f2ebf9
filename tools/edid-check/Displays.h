#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "libEDID/SystemDisplays.h"

namespace edidcheck {

/// One display of the running system that has an EDID.
using DisplayEntry = libEDID::SystemDisplay;

/// The displays with an EDID, in the platform's order (libEDID::listDisplays). Throws what the
/// library throws when the displays cannot be listed.
std::vector<DisplayEntry> systemDisplays();

/// The identifier (product name, "-", serial number) of the display on that port, or nothing
/// when its EDID cannot be read.
std::optional<std::string> displayIdentifier(const std::string& portLocator);

/// Writes the --list output: aligned columns with a heading, or one JSON object per display
/// (members portLocator, displayPath, displayName, identifier).
void writeDisplayList(std::ostream& out, const std::vector<DisplayEntry>& displays, bool json);

}  // namespace edidcheck
