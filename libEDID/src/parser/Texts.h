#pragma once

#include <string_view>

#include "qor/Resource.h"
#include "qor/String.h"

namespace libEDID::detail {

/// Registers the built-in English texts of section "libEDID" with the resource database, once;
/// texts loaded from files before or after keep precedence.
void ensureDefaultTexts();

/// The thread's table of message and label templates ("LocalizedString." + key, section
/// "libEDID") for the global locale. Each thread keeps the table of the current locale and
/// texts; it is fetched again only when the locale or the loaded texts changed, and never while
/// a TextScope of the thread is alive.
const qor::TextTable& currentTexts();

/// Records `key` as a message or label key without a text (see Resource::getMissingKeys).
void noteMissingText(std::string_view key);

/// The template of message or label `key` in currentTexts(), or null when there is none (the
/// key is then recorded as missing).
const qor::String* findText(std::string_view key);

/// The entry of `key` in currentTexts(), or null when there is none (the key is then recorded
/// as missing). Fastest for keys of static storage, which are cached by their address.
const qor::TextTable::Entry* findEntry(const char* key);

/// The text of `key`, or an empty text when there is none.
const qor::String& text(std::string_view key);
/// text() of a key of static storage (a literal or a table's), through findEntry.
const qor::String& text(const char* key);

/// While alive, the calling thread keeps the texts it has: the references that findText and
/// text hand out stay valid, and one parse reads the texts of one locale throughout.
class TextScope {
  public:
    TextScope();
    ~TextScope();
    TextScope(const TextScope&) = delete;
    TextScope& operator=(const TextScope&) = delete;
};

}  // namespace libEDID::detail
