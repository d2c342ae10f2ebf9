#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "Examination.h"

namespace edidcheck {

/// JSON objects keep their members in the order written.
using Json = nlohmann::ordered_json;

/// The JSON object of one source, with exactly the members source, accessible, ok, identifier,
/// productName, serialNumber, messages, properties, edidString and edid.
Json toJson(const Examination& examination);

/// A property value by its kind: bool, number, string (measurements with their unit), array
/// of strings; null for the nil value.
Json toJson(const qor::QORValue& value);

/// The object on one line; text that is not valid UTF-8 is replaced, never refused.
std::string jsonLine(const Examination& examination);

/// Lower-case hex, two digits per byte, nothing between them.
std::string lowerHex(const std::vector<unsigned char>& bytes);

}  // namespace edidcheck
