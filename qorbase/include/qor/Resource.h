#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "qor/String.h"
#include "qor/TextLines.h"

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
/// (see Resource), with the placeholders of every text found once. Built by
/// Resource::getTextTable and read-only once shared, so any number of threads may look keys up
/// without a lock. A table is built at run time (add, finish) or reads an index that the
/// compiler made of a constant bundle.
class QOR_API TextTable {
  public:
    /// One text of the table.
    using Entry = IndexedText;

    TextTable() = default;
    /// A table over `index`, which outlives it.
    explicit TextTable(const TextIndex& index);
    TextTable(const TextTable&) = delete;
    TextTable& operator=(const TextTable&) = delete;
    ~TextTable();

    /// The entry of `key`, or null when the section has none for this locale.
    const Entry* findEntry(std::string_view key) const;
    /// The text of `key`, or null.
    const String* find(std::string_view key) const {
        const Entry* entry = findEntry(key);
        return entry != nullptr ? &text(*entry) : nullptr;
    }
    /// The entry's text, in place.
    std::string_view view(const Entry& entry) const {
        return std::string_view(entry.text, entry.textLength);
    }
    /// The entry's text as a String, made on first request and kept with the table.
    const String& text(const Entry& entry) const {
        const String* made = made_[indexOf(entry)].text.load(std::memory_order_acquire);
        return made != nullptr ? *made : makeText(entry);
    }
    /// The "{name}" placeholders of the entry's text, in text order: a '{', a name without
    /// braces, a '}'.
    std::span<const TextPlaceholder> placeholders(const Entry& entry) const {
        return placeholders_.subspan(entry.firstPlaceholder, entry.placeholderCount);
    }
    /// The entry's key.
    std::string_view name(const Entry& entry) const {
        return std::string_view(entry.key, entry.keyLength);
    }
    /// The entry's key as a text that lives as long as the process (made on first request;
    /// equal keys of all tables share one).
    const String& key(const Entry& entry) const {
        const String* made = made_[indexOf(entry)].key.load(std::memory_order_acquire);
        return made != nullptr ? *made : makeKey(entry);
    }
    std::size_t size() const { return entries_.size(); }

    /// Makes room for `count` texts before the build.
    void reserve(std::size_t count);
    /// Adds a text unless the key has one already; used while the table is built. The key and
    /// text of a `lasting` entry outlive the table (a bundle compiled into a library) and are
    /// kept by reference; any other is copied.
    void add(std::string_view key, std::string_view text, bool lasting = false);
    /// Ends the build; called once after the last add, before the table is shared.
    void finish();

  private:
    // Per entry, its key made a lasting text and its text made a String, once asked for.
    struct Made {
        std::atomic<const String*> key{nullptr};
        std::atomic<const String*> text{nullptr};
    };

    std::size_t indexOf(const Entry& entry) const {
        return static_cast<std::size_t>(&entry - entries_.data());
    }
    const String& makeText(const Entry& entry) const;
    const String& makeKey(const Entry& entry) const;
    void grow();
    const char* keep(std::string_view text);

    // What the table reads: its own lists below once finished, or a constant index.
    std::span<const Entry> entries_;
    std::span<const TextPlaceholder> placeholders_;
    std::span<const std::uint32_t> slots_;
    // A table built at run time: its entries, placeholders and slots (open addressing: entry
    // index + 1, 0 when free), and the keys and texts it copied, in blocks.
    std::vector<Entry> builtEntries_;
    std::vector<TextPlaceholder> builtPlaceholders_;
    std::vector<std::uint32_t> builtSlots_;
    std::vector<std::unique_ptr<char[]>> copies_;
    char* copyNext_ = nullptr;  // the free part of the last block
    std::size_t copyRoom_ = 0;  // and its size
    std::unique_ptr<Made[]> made_;
};

/// How the texts of a section answer for a locale (see Resource::getTextCoverage).
struct TextCoverage {
    /// The first locale of the locale's chain that has texts of the section: the locale
    /// itself, its language, or "en" when neither has any.
    String locale;
    /// Keys of the English texts that no locale of the chain before "en" has a text for, so
    /// that they are read in English; 0 when `locale` is "en".
    std::size_t fallbacks = 0;
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

    /// The locales that hold texts of `section` (added, loaded or default bundles), sorted.
    static std::vector<String> getTextLocales(const String& section);
    /// Which locale of the chain of `locale` the texts of `section` whose keys start with
    /// `prefix` come from, and how many of its English keys fall back to English.
    static TextCoverage getTextCoverage(const String& section, const QORLocale& locale,
                                        std::string_view prefix);

    /// Registers `bundle`, which must live as long as the process (a bundle compiled into a
    /// library, split and indexed by the compiler), as the default bundle of section and
    /// locale: it is read only when a text of the section is looked up, and every text added or
    /// loaded for the same section and locale, before or after, takes precedence over it. While
    /// no other bundle of the section stands in the locale chain, or only default bundles
    /// whose keys the first one's index all has, the table of the index's prefix reads that
    /// index in place.
    static void addDefaultStrings(const String& section, const String& locale,
                                  const ConstantBundle& bundle);
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
