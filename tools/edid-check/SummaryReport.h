#pragma once

#include <ostream>

#include "Examination.h"

namespace edidcheck {

/// Writes the compact summary of one source (--summary): the source and identity, the verdict
/// and the findings one line each, then short labelled sections (modes, colour gamut,
/// capabilities). Lines fit in 100 columns; bold and colour only when `colour` is set. A blank
/// line ends it.
void writeSummary(std::ostream& out, const Examination& examination, bool colour);

}  // namespace edidcheck
