#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "qor/String.h"

namespace qor {

/// A locale name such as "en" or "de_DE".
class QOR_API QORLocale {
  public:
    explicit QORLocale(String name = "en") : name_(std::move(name)) {}
    const String& getName() const { return name_; }

    /// The process's locale for resource texts: set with setGlobalLocale, else the environment
    /// variable QOR_LOCALE, else "en".
    static QORLocale getGlobalLocale();
    static void setGlobalLocale(const QORLocale& locale);

  private:
    String name_;
};

/// The texts of one section for one locale, each key already resolved through the locale chain
/// (see Resource). Built by Resource::getTextTable and read-only once shared, so any number of
/// threads may look keys up without a lock.
class QOR_API TextTable {
  public:
    /// The text of `key`, or null when the section has none for this locale.
    const String* find(std::string_view key) const {
        const auto it = texts_.find(key);
        return it == texts_.end() ? nullptr : &it->second;
    }
    std::size_t size() const { return texts_.size(); }

    /// Adds a text unless the key has one already; used while the table is built.
    void add(std::string_view key, const String& text) {
        texts_.try_emplace(std::string(key), text);
    }

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const noexcept {
            return std::hash<std::string_view>{}(key);
        }
    };
    std::unordered_map<std::string, String, Hash, std::equal_to<>> texts_;
};

/// The resource database: localized texts and settings, both by section and key.
///
/// Texts are held per section and locale. A lookup tries the exact locale ("de_DE"), then its
/// language ("de"), then "en". Bundles come from code (addStrings, e.g. a text compiled into a
/// library), from files (loadStrings), and, at first use, from every file named
/// "<section>.<locale>.txt" in the folder named by the environment variable QOR_RESOURCE_DIR.
/// Entries of a later load replace those of the same key.
///
/// Text format, one entry per line: "<Key> = <text>"; lines starting with '#' or ';' and blank
/// lines are skipped; the key is everything before the first '=', the text everything after
/// it, both trimmed.
///
/// Settings are looked up, first match wins, in: values set with setSetting; the environment
/// variable "QOR_SETTING_<section>_<key>" with every '.' of the key written as '_'
/// (QOR_SETTING_libEDID_DumpEDID_value); the settings file named by QOR_SETTINGS_FILE
/// ("[section]" headers, then "<key> = <value>" lines).
///
/// All operations are safe to call from several threads.
class QOR_API Resource {
  public:
    static bool getString(const String& section, const char* key, String& out,
                          const QORLocale& locale);
    static bool getSetting(const String& section, const char* key, String& out,
                           const QORLocale& locale);

    /// Every key of the section that getString was asked for and found no text for, sorted;
    /// lets translators and tests find texts that are missing.
    static std::vector<String> getMissingKeys(const String& section);
    /// Records a key that a caller of getTextTable found no text for, for getMissingKeys.
    static void noteMissingKey(const String& section, std::string_view key);

    /// Every text of `section` whose key starts with `prefix`, under its key without the
    /// prefix, resolved for `locale` like getString. Tables are built once per section, locale
    /// and prefix, and again only after texts were added.
    static std::shared_ptr<const TextTable> getTextTable(const String& section,
                                                         const QORLocale& locale,
                                                         std::string_view prefix);
    /// A number that moves whenever texts are added or the global locale is set: a table
    /// cached for the global locale is current while this number stays what it was when the
    /// table was fetched.
    static std::uint64_t getTextGeneration();

    /// Parses `text` (format above) into the bundle of section and locale; returns the number
    /// of entries read. With `replaceExisting` false, keys that already have a text keep it
    /// (a built-in default bundle never overrides texts loaded from files, even empty ones).
    static std::size_t addStrings(const String& section, const String& locale,
                                  std::string_view text, bool replaceExisting = true);
    /// Reads a file into the bundle of section and locale; false when it cannot be read.
    static bool loadStrings(const String& section, const String& locale, const String& path);

    static void setSetting(const String& section, const String& key, const String& value);
    static void clearSetting(const String& section, const String& key);
    /// Reads a settings file (format above); its settings replace those of the file read
    /// before (the one named by QOR_SETTINGS_FILE or an earlier loadSettings). False, with the
    /// earlier settings kept, when it cannot be read.
    static bool loadSettings(const String& path);
};

}  // namespace qor
