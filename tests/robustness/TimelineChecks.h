#pragma once

#include <string>
#include <vector>

#include "Timeline.h"

namespace edidtest {

/// What must hold for the timeline of every EDID of at least 128 bytes, golden or not: both
/// calls succeed; every message has a text, a level of 0 to 2 and category 0 when it is a
/// value report (level 0); the EDID string is exactly the appended messages in log order; the
/// identity properties (MonitorSerialNumber, MonitorModelNumber) close the parse. Returns one
/// line per broken rule.
std::vector<std::string> timelineFaults(const Timeline& timeline);

/// The lines of `base` that are missing from `decoded`, in order: decoding the extension blocks
/// may add entries but must keep every entry of the base-block parse, in its order.
std::vector<std::string> entriesLostByDecoding(const Timeline& base, const Timeline& decoded);

}  // namespace edidtest
