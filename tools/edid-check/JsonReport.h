#pragma once

#include <functional>

#include "Examination.h"
#include "JsonWriter.h"

namespace edidcheck {

/// Appends the JSON object of one source, on one line without its end, with exactly the
/// members source, accessible, ok, identifier, productName, serialNumber, messages,
/// properties, edidString and edid, then those that `extraMembers` writes. Text that is not
/// valid UTF-8 is replaced, never refused.
void appendJsonLine(JsonBuffer& out, const Examination& examination,
                    const std::function<void(JsonWriter&)>& extraMembers = {});

/// A property value by its kind: bool, number, string (measurements with their unit), array
/// of strings; null for the nil value.
void writeJson(JsonWriter& json, const qor::QORValue& value);

}  // namespace edidcheck
