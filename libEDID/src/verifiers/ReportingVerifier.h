#pragma once

#include "parser/EDIDVerifier.h"
#include "verifiers/VerifierSupport.h"

namespace libEDID {

/// A verifier with the report patterns that several base-block sections share: a labelled
/// value line, a Yes/No flag line with its boolean property, and a list of display modes.
/// Every report built here is stored in the parser's log and appended to the EDID string.
class ReportingVerifier : public EDIDVerifier {
  public:
    using EDIDVerifier::EDIDVerifier;

  protected:
    /// Logs `key` (by default "ReportedValue") with "type" = the label of `typeKey` and
    /// "value" = `value`; returns the record, for properties that take its text.
    LibEDIDLog reportValue(const char* typeKey, const qor::String& value,
                           const char* key = "ReportedValue");
    /// reportValue, then the property `property` holding `value`.
    void reportValueProperty(const char* typeKey, const qor::String& value, const char* property,
                             const char* key = "ReportedValue");
    /// Logs `key` with "value" = Yes or No (and "type" = the label of `typeKey` unless it is
    /// null), then the boolean property `property`.
    void reportFlag(const char* key, const char* typeKey, bool flag, const char* property);
    /// When `modes` holds at least one mode: logs `key` with "timings" = the mode lines, appends
    /// its text to the EDID string, then notifies the property `key` with the list of modes.
    void reportModeList(const char* key, const detail::ModeList& modes);
};

}  // namespace libEDID
