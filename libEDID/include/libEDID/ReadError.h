#pragma once

#include "libEDID/libEDIDExport.h"
#include "qor/String.h"

namespace libEDID {

/// Why the last read of an EDID came back without an EDID, or with less than it announces.
/// Sources set the reasons they know when they are opened (EDIDAccessor::getSourceError);
/// EDIDParser::getReadError adds what only the read itself finds out.
enum class ReadError : int {
    None = 0,          ///< the base block and every extension block announced were read
    NotFound,          ///< no such file, or the source could not be opened for another reason
    NotRegularFile,    ///< a folder, FIFO, device or socket: never opened for reading
    Empty,             ///< the source holds no bytes (an empty file or buffer)
    BaseBlockShort,    ///< fewer than the 128 bytes of the base block
    ExtensionMissing,  ///< the base block was read, but fewer blocks than byte 7Eh announces
    NoDisplay,         ///< no display of the running system matches the locator
    PermissionDenied,  ///< the file or the display's EDID may not be read by this process
    ReadFailed,        ///< the source was opened, but reading it failed (an I/O error)
};

/// A stable lower-case word for the reason ("none", "not-found", "not-regular-file", "empty",
/// "base-block-short", "extension-missing", "no-display", "permission-denied", "read-failed"),
/// for programs and machine-readable output; never localized.
LIBEDID_API const char* readErrorName(ReadError error);

/// The reason as one sentence in the language of the global locale (texts "ReadError<Name>",
/// e.g. "ReadErrorNotFound"); empty for ReadError::None.
LIBEDID_API qor::String readErrorText(ReadError error);

}  // namespace libEDID
