#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace edidcheck {

/// The text of `key` in the language of the run (resources/libEDID.*.txt, keys "Report...")
/// with each "{name}" of `fills` replaced; the key itself when it has no text.
std::string reportText(std::string_view key,
                       std::initializer_list<std::pair<std::string_view, std::string>> fills = {});

/// "OK", "1 error", "2 errors, 3 warnings": the verdict on a source from its counts.
std::string verdictText(std::size_t errors, std::size_t warnings);

/// A number with `decimals` decimals (a point, whatever the locale).
std::string decimal(double value, int decimals);

}  // namespace edidcheck
