#pragma once

namespace libEDID::detail {

/// Registers the built-in English texts of section "libEDID" with the resource database, once;
/// texts loaded from files before or after keep precedence.
void ensureDefaultTexts();

}  // namespace libEDID::detail
