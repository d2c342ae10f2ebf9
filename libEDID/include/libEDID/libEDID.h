#pragma once

#include <cstddef>
#include <vector>

// Everything a caller of libEDID needs: sources, the parser, its messages and observers.
#include "libEDID/CTA861.h"
#include "libEDID/DisplayID.h"
#include "libEDID/EDIDAccessor.h"
#include "libEDID/EDIDAccessorBuffer.h"
#include "libEDID/EDIDAccessorFile.h"
#include "libEDID/EDIDAccessorHandle.h"
#include "libEDID/EDIDCallback.h"
#include "libEDID/EDIDContext.h"
#include "libEDID/EDIDParser.h"
#include "libEDID/LibEDIDLog.h"
#include "libEDID/ReadError.h"
#include "libEDID/SystemDisplays.h"
#include "libEDID/VESAExtensions.h"
#include "libEDID/libEDIDExport.h"
#include "qor/Resource.h"
#include "qor/String.h"

namespace libEDID {

/// Does nothing: the library needs no start-up. Kept for callers that call it after loading.
LIBEDID_API void init();

/// The language that the messages and labels of a locale are worded in.
struct TextLanguage {
    /// The locale asked for, e.g. "de_AT".
    qor::String requested;
    /// The locale whose texts are read: the one asked for, else its language ("de"), else
    /// "en" when neither has texts.
    qor::String used;
    /// How many keys `used` has no text for; those are read in English.
    std::size_t fallbacks = 0;
};

/// The language of `locale` among the texts of the library: its built-in bundles (English and
/// German) and those loaded from files or code.
LIBEDID_API TextLanguage getTextLanguage(const qor::QORLocale& locale);

/// The locales that have texts of the library, sorted ("de", "en", and any loaded).
LIBEDID_API std::vector<qor::String> getTextLocales();

}  // namespace libEDID
