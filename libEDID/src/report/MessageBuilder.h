#pragma once

#include <initializer_list>
#include <span>
#include <string_view>

#include "libEDID/LibEDIDLog.h"
#include "qor/Resource.h"
#include "qor/String.h"
#include "report/Texts.h"

namespace libEDID::detail {

/// A placeholder name and the text to fill in. Both are referred to, not copied: a temporary
/// given in a braced list lives until the call that takes the list returns.
struct Fill {
    Fill() = default;
    Fill(const char* placeholder, const qor::String& text) : name(placeholder), value(text.str()) {}
    Fill(const char* placeholder, const char* text) : name(placeholder), value(text) {}

    std::string_view name;
    std::string_view value;
};

/// Makes messages from the thread's text table in one pass: the template of the key is copied
/// into one buffer of the final size with every placeholder that has a fill replaced; the
/// others stay open for LibEDIDLog::setVariable. The names of the fills are distinct.
class MessageBuilder {
  public:
    static LibEDIDLog build(std::string_view key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                            LibEDIDLog::LIBEDID_LOG_CAT category, std::span<const Fill> fills);
    /// build() with a key of static storage (see findTemplate).
    static LibEDIDLog build(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                            LibEDIDLog::LIBEDID_LOG_CAT category, std::span<const Fill> fills);

    /// The text of `key` (of static storage) with `fills` filled, for a label or a list item
    /// made of several values; empty when the key has no text.
    static qor::String text(const char* key, std::span<const Fill> fills);

  private:
    static LibEDIDLog fillTemplate(const Template& found, std::string_view key,
                                   LibEDIDLog::LIBEDID_LOG_LEVEL level,
                                   LibEDIDLog::LIBEDID_LOG_CAT category,
                                   std::span<const Fill> fills);
};

/// The message `key` of the given level and category with `fills` (of distinct names) filled.
inline LibEDIDLog makeMessage(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                              LibEDIDLog::LIBEDID_LOG_CAT category,
                              std::initializer_list<Fill> fills = {}) {
    return MessageBuilder::build(key, level, category,
                                 std::span<const Fill>(fills.begin(), fills.size()));
}

/// MessageBuilder::text of `key` with `fills` (of distinct names) filled.
inline qor::String filledText(const char* key, std::initializer_list<Fill> fills) {
    return MessageBuilder::text(key, std::span<const Fill>(fills.begin(), fills.size()));
}

/// makeMessage with the fills of `first`, then those of `more` whose names `first` has not.
LibEDIDLog makeMessage(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                       LibEDIDLog::LIBEDID_LOG_CAT category, std::initializer_list<Fill> first,
                       std::initializer_list<Fill> more);

}  // namespace libEDID::detail
