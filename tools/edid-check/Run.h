#pragma once

#include "Options.h"

namespace edidcheck {

/// Exit statuses of the tool.
enum ExitStatus : int {
    EXIT_CLEAN = 0,       ///< every source read, no level-2 message
    EXIT_EDID_ERROR = 1,  ///< a level-2 message was logged for some source
    EXIT_NOT_READ = 2,    ///< a source could not be read, or the arguments are wrong
};

/// Applies the options that configure the library: message language, log priority, dump. Says
/// on stderr, in one line, when the messages will not be (wholly) in the language asked for.
void applyLibrarySettings(const Options& options);

/// Runs the tool for parsed options (after applyLibrarySettings) and returns the exit status.
int run(const Options& options);

}  // namespace edidcheck
