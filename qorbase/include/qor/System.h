#pragma once

#include "qor/String.h"

namespace qor {

class QOR_API System {
  public:
    /// The line terminator placed between the lines of multi-line texts: "\r\n" on Windows,
    /// "\n" elsewhere.
    static const String& TEXT_FILE_EOL();
};

}  // namespace qor
