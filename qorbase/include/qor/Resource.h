#pragma once

#include <string_view>
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
