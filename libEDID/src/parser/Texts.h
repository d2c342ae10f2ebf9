#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "qor/Resource.h"
#include "qor/String.h"

namespace libEDID::detail {

/// The slot of `address` (and a small number `salt`) in a table of 256 slots, by Fibonacci
/// hashing: literals a few bytes apart land in different slots.
inline std::size_t addressSlot(const void* address, unsigned salt = 0) {
    const std::uint64_t value = reinterpret_cast<std::uintptr_t>(address) + salt * 0x9E3779B1ULL;
    return static_cast<std::size_t>((value * 0x9E3779B97F4A7C15ULL) >> 56);
}

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

/// A template: the entry of a key (null when the key has no text) in its table.
struct Template {
    const qor::TextTable* table = nullptr;
    const qor::TextTable::Entry* entry = nullptr;
};

/// The template of `key` in currentTexts() (the key is recorded as missing when it has none).
/// Meant for keys of static storage, which are cached by their address.
Template findTemplate(const char* key);

/// The text of `key`, or an empty text when there is none (the key is then recorded as
/// missing).
const qor::String& text(std::string_view key);
/// text() of a key of static storage (a literal or a table's), through findTemplate.
const qor::String& text(const char* key);

/// While alive, the calling thread keeps the texts it has: the references that findTemplate and
/// text hand out stay valid, and one parse reads the texts of one locale throughout.
class TextScope {
  public:
    TextScope();
    ~TextScope();
    TextScope(const TextScope&) = delete;
    TextScope& operator=(const TextScope&) = delete;
};

}  // namespace libEDID::detail
