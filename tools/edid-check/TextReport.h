#pragma once

#include <ostream>

#include "Examination.h"
#include "ReportWords.h"

namespace edidcheck {

/// What the text report shows beyond the header, the EDID string and the level-1/2 findings.
struct TextReportSettings {
    bool colour = false;
    bool allMessages = false;  ///< also level 0
    bool properties = false;
    bool hexDump = false;
    ReportWords words;  ///< the headings, in the language of the messages
};

/// Writes the human-readable report of one source: a header line (source and identifier),
/// the EDID string, the findings grouped by severity (errors first) with their category, then
/// one section of the same kind per decoded extension block, then optionally the properties
/// and the hex dump. A blank line ends it.
void writeTextReport(std::ostream& out, const Examination& examination,
                     const TextReportSettings& settings);

/// The text of a property value: booleans "true"/"false", numbers in decimal, measurements with
/// their unit; arrays are written by the caller, one item per line.
std::string valueText(const qor::QORValue& value);

}  // namespace edidcheck
