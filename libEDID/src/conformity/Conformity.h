#pragma once

namespace libEDID {
class EDIDParser;
}

// The conformity layer judges the EDID as a whole once the section verifiers have run: rules
// that span sections and blocks, and the standards' "should" rules.
namespace libEDID::conformity {

/// Runs the checks of the base block and its descriptors; with `extensions` (the extension
/// blocks were decoded) also those of the CTA-861 and DisplayID blocks and across blocks.
void checkConformity(EDIDParser* parser, bool extensions);

}  // namespace libEDID::conformity
