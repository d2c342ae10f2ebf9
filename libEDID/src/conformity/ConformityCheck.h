#pragma once

#include <vector>

#include "libEDID/DisplayID.h"
#include "report/EDIDVerifier.h"

namespace libEDID::conformity {

/// Base of the conformity checks of one area: they read what the parse decoded and log
/// findings only (no value reports, no properties).
class ConformityCheck : public EDIDVerifier {
  public:
    using EDIDVerifier::EDIDVerifier;

  protected:
    static constexpr Level kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;
    static constexpr Level kError = LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR;

    /// Logs `key` with "block" = the extension block's number and `variables` filled.
    void logBlockFinding(const char* key, Level level, Category category, unsigned block,
                         Variables variables = {});
};

}  // namespace libEDID::conformity
