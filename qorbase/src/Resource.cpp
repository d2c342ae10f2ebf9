#include "qor/Resource.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <shared_mutex>
#include <unordered_map>
#include <unordered_set>

#include "qor/Files.h"
#include "qor/Logging.h"
#include "qor/PerThread.h"

namespace qor {

namespace {

void writeCompositeKey(std::string& k, std::string_view section, std::string_view locale,
                       std::string_view key) {
    k.clear();
    k += section;
    k += '\x1f';
    k += locale;
    k += '\x1f';
    k += key;
}

std::string compositeKey(std::string_view section, std::string_view locale, std::string_view key) {
    std::string k;
    k.reserve(section.size() + locale.size() + key.size() + 2);
    writeCompositeKey(k, section, locale, key);
    return k;
}

// Keys handed out by TextTable::key: one text per distinct key, kept for the process.
const String& lastingKey(std::string_view key) {
    static std::mutex mutex;
    static std::unordered_set<String>* const keys = new std::unordered_set<String>();
    const std::lock_guard lock(mutex);
    return *keys->emplace(key).first;
}

// Settings and text files larger than this are refused whole.
constexpr std::size_t kMaxTextFileSize = 1024 * 1024;

Logger* resourceLogger() {
    static Logger* const logger = [] {
        Logger* created = nullptr;
        LogFactory::createLogger("qor.Resource", created);
        return created;
    }();
    return logger;
}

// A regular file of at most kMaxTextFileSize bytes, read without blocking (a FIFO or device
// named by the environment must not stall the first lookup).
std::string readFile(const std::string& path, bool& ok) {
    std::string content;
    const ReadResult result = readRegularFile(String(path), kMaxTextFileSize, content);
    ok = result == ReadResult::OK;
    if (result == ReadResult::TOO_LARGE) {
        QOR_LOG(resourceLogger(), 3, "File ignored, larger than 1 MiB: \"" + String(path) + "\"");
    } else if (result == ReadResult::NOT_REGULAR) {
        QOR_LOG(resourceLogger(), 3, "File ignored, not a regular file: \"" + String(path) + "\"");
    }
    if (!ok) {
        content.clear();
    }
    return content;
}

// The names a setting is looked up by: its key in the settings, its environment variable.
struct SettingNames {
    std::string key;
    std::string variable;
};

std::atomic<std::uint64_t>& textGeneration() {
    static std::atomic<std::uint64_t> generation{0};
    return generation;
}

class Database {
  public:
    static Database& instance() {
        static Database db;
        return db;
    }

    bool lookupText(const std::string& section, const std::string& locale, const char* key,
                    String& out) {
        {
            std::shared_lock lock(mutex_);
            for (const std::string& candidate : localeChain(locale)) {
                const std::string bundleName = compositeKey(section, candidate, "");
                if (const auto bundle = bundles_.find(bundleName); bundle != bundles_.end()) {
                    if (const auto it = bundle->second.find(std::string_view(key));
                        it != bundle->second.end()) {
                        out = it->second;
                        return true;
                    }
                }
                // A default bundle is searched entry by entry: this lookup is not on any hot
                // path.
                bool found = false;
                forEachDefault(bundleName, [&](std::string_view name, std::string_view text) {
                    if (!found && name == key) {
                        out = String(text);
                        found = true;
                    }
                });
                if (found) {
                    return true;
                }
            }
        }
        noteMissing(section, key);
        return false;
    }

    void noteMissing(const std::string& section, std::string_view key) {
        std::lock_guard lock(missingMutex_);
        missing_[section].emplace(key);
    }

    std::shared_ptr<const TextTable> textTable(const std::string& section,
                                               const std::string& locale, std::string_view prefix) {
        const std::string cacheKey = compositeKey(section, locale, prefix);
        std::unique_lock lock(mutex_);
        CachedTable& cached = tables_[cacheKey];
        const std::uint64_t generation = textGeneration().load();
        if (!cached.table || cached.generation != generation) {
            cached.table = buildTable(section, locale, prefix);
            cached.generation = generation;
        }
        return cached.table;
    }

    std::vector<String> missingKeys(const std::string& section) {
        std::lock_guard lock(missingMutex_);
        const auto& keys = missing_[section];
        return std::vector<String>(keys.begin(), keys.end());
    }

    std::size_t addTexts(const std::string& section, const std::string& locale,
                         std::string_view text, bool replaceExisting) {
        std::unique_lock lock(mutex_);
        Bundle& bundle = bundles_[compositeKey(section, locale, "")];
        const std::size_t count = forEachTextLine(
            text, [](std::string_view) {},
            [&](std::string_view key, std::string_view value) {
                const auto [slot, added] = bundle.try_emplace(std::string(key), String(value));
                if (!added && replaceExisting) {
                    slot->second = String(value);
                }
            });
        textGeneration().fetch_add(1);
        return count;
    }

    void addDefaultTexts(const std::string& section, const std::string& locale,
                         const ConstantBundle& bundle) {
        std::unique_lock lock(mutex_);
        defaults_.push_back({compositeKey(section, locale, ""), bundle.entries, bundle.index});
        textGeneration().fetch_add(1);
    }

    std::vector<String> locales(const std::string& section) {
        const std::string head = section + '\x1f';
        std::set<std::string, std::less<>> found;
        const auto note = [&](const std::string& bundleName) {
            if (bundleName.starts_with(head)) {
                // "section\x1flocale\x1f"
                found.insert(bundleName.substr(head.size(), bundleName.size() - head.size() - 1));
            }
        };
        std::shared_lock lock(mutex_);
        for (const auto& [name, bundle] : bundles_) {
            if (!bundle.empty()) {
                note(name);
            }
        }
        for (const DefaultBundle& bundle : defaults_) {
            note(bundle.name);
        }
        return std::vector<String>(found.begin(), found.end());
    }

    TextCoverage coverage(const std::string& section, const std::string& locale,
                          std::string_view prefix) {
        std::shared_lock lock(mutex_);
        const std::vector<std::string> chain = localeChain(locale);
        // The locales of the chain before English that hold texts of the section.
        TextCoverage result{"en", 0};
        std::vector<Texts> translated;
        for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
            Texts texts = textsOf(compositeKey(section, chain[i], ""));
            if (texts.holdsAny()) {
                if (translated.empty()) {
                    result.locale = chain[i];
                }
                translated.push_back(std::move(texts));
            }
        }
        if (translated.empty()) {
            return result;
        }
        // Each English key of the prefix once: those of the added texts, then the first entry
        // of each key of the default bundles that no text before it has.
        const Texts english = textsOf(compositeKey(section, chain.back(), ""));
        const auto count = [&](std::string_view key) {
            if (key.starts_with(prefix) &&
                std::none_of(translated.begin(), translated.end(),
                             [key](const Texts& texts) { return texts.holds(key); })) {
                ++result.fallbacks;
            }
        };
        if (english.added != nullptr) {
            for (const auto& [key, text] : *english.added) {
                count(key);
            }
        }
        for (auto bundle = english.defaults.begin(); bundle != english.defaults.end(); ++bundle) {
            for (const TextEntry& entry : (*bundle)->entries) {
                const bool earlier =
                    (english.added != nullptr && english.added->contains(entry.key)) ||
                    !isFirstOfKey(**bundle, entry) ||
                    std::any_of(english.defaults.begin(), bundle, [&](const DefaultBundle* other) {
                        return defaultHolds(*other, entry.key);
                    });
                if (!earlier) {
                    count(entry.key);
                }
            }
        }
        return result;
    }

    // Settings are read on every parse: the names are built in buffers of the thread.
    bool lookupSetting(const std::string& section, const char* key, String& out) {
        SettingNames& names = perThread<SettingNames>();
        std::string& name = names.key;
        writeCompositeKey(name, section, "", key);
        {
            std::shared_lock lock(mutex_);
            const auto it = apiSettings_.find(name);
            if (it != apiSettings_.end()) {
                out = it->second;
                return true;
            }
        }
        std::string& variable = names.variable;
        variable = "QOR_SETTING_";
        variable += section;
        variable += '_';
        variable += key;
        for (char& c : variable) {
            if (c == '.') {
                c = '_';
            }
        }
        if (const char* value = std::getenv(variable.c_str())) {
            out = String(value);
            return true;
        }
        std::shared_lock lock(mutex_);
        const auto it = fileSettings_.find(name);
        if (it != fileSettings_.end()) {
            out = it->second;
            return true;
        }
        return false;
    }

    void setSetting(const std::string& section, const std::string& key, const String& value) {
        std::unique_lock lock(mutex_);
        apiSettings_[compositeKey(section, "", key)] = value;
    }

    void clearSetting(const std::string& section, const std::string& key) {
        std::unique_lock lock(mutex_);
        apiSettings_.erase(compositeKey(section, "", key));
    }

    bool loadSettings(const std::string& path) {
        bool ok = false;
        const std::string text = readFile(path, ok);
        if (!ok) {
            return false;
        }
        std::unique_lock lock(mutex_);
        fileSettings_.clear();  // the new file replaces the previous one
        std::string section;
        forEachTextLine(
            text, [&](std::string_view name) { section = std::string(name); },
            [&](std::string_view key, std::string_view value) {
                fileSettings_[compositeKey(section, "", key)] = String(value);
            });
        return true;
    }

  private:
    Database() {
        if (const char* dir = std::getenv("QOR_RESOURCE_DIR")) {
            loadTextFolder(dir);
        }
        if (const char* file = std::getenv("QOR_SETTINGS_FILE")) {
            loadSettings(file);
        }
    }

    // "de_DE" -> "de_DE", "de", "en".
    static std::vector<std::string> localeChain(const std::string& locale) {
        std::vector<std::string> chain{locale};
        const auto cut = locale.find_first_of("_-.");
        if (cut != std::string::npos) {
            chain.push_back(locale.substr(0, cut));
        }
        if (chain.back() != "en") {
            chain.emplace_back("en");
        }
        return chain;
    }

    // Each key takes its text from the first locale of the chain that has one, and within a
    // locale from the texts added before the default bundle: the table is filled in that order,
    // and a key keeps the first text it got.
    std::shared_ptr<const TextTable> buildTable(const std::string& section,
                                                const std::string& locale,
                                                std::string_view prefix) const {
        if (const TextIndex* index = soleIndex(section, localeChain(locale), prefix)) {
            return std::make_shared<TextTable>(*index);
        }
        auto table = std::make_shared<TextTable>();
        table->reserve(textCount(section, localeChain(locale)));
        bool lasting = false;  // whether the texts added now outlive the table
        const auto addPrefixed = [&](std::string_view key, std::string_view text) {
            if (key.substr(0, prefix.size()) == prefix) {
                table->add(key.substr(prefix.size()), text, lasting);
            }
        };
        for (const std::string& candidate : localeChain(locale)) {
            const std::string bundleName = compositeKey(section, candidate, "");
            if (const auto bundle = bundles_.find(bundleName); bundle != bundles_.end()) {
                lasting = false;
                for (const auto& [key, text] : bundle->second) {
                    addPrefixed(key, text.str());
                }
            }
            lasting = true;  // default bundles are of static storage
            forEachDefault(bundleName, addPrefixed);
        }
        table->finish();
        return table;
    }

    // The index of the first default bundle in the chain when no other texts of the section
    // stand in it, every default bundle of the chain is indexed under `prefix`, and the first
    // holds every key of the others (a complete translation before English): the table is then
    // that index as it is.
    const TextIndex* soleIndex(const std::string& section, const std::vector<std::string>& locales,
                               std::string_view prefix) const {
        const TextIndex* found = nullptr;
        for (const std::string& candidate : locales) {
            const std::string bundleName = compositeKey(section, candidate, "");
            if (const auto bundle = bundles_.find(bundleName);
                bundle != bundles_.end() && !bundle->second.empty()) {
                return nullptr;
            }
            for (const DefaultBundle& bundle : defaults_) {
                if (bundle.name != bundleName) {
                    continue;
                }
                // A bundle without an index (no slots) is read entry by entry.
                if (bundle.index.slots.empty() || bundle.index.prefix != prefix) {
                    return nullptr;
                }
                if (found == nullptr) {
                    found = &bundle.index;
                } else if (!holdsEveryKey(*found, bundle.index)) {
                    return nullptr;
                }
            }
        }
        return found;
    }

    // Whether `index` has a text for every key of `other`.
    static bool holdsEveryKey(const TextIndex& index, const TextIndex& other) {
        return std::all_of(other.texts.begin(), other.texts.end(), [&](const IndexedText& text) {
            return findIndexed(index, std::string_view(text.key, text.keyLength)) != nullptr;
        });
    }

    // The text of `key` (without the index's prefix) in an index, or null.
    static const IndexedText* findIndexed(const TextIndex& index, std::string_view key) {
        const std::size_t mask = index.slots.size() - 1;
        for (std::size_t at = hashTextKey(key) & mask;; at = (at + 1) & mask) {
            const std::uint32_t slot = index.slots[at];
            if (slot == 0) {
                return nullptr;
            }
            const IndexedText& text = index.texts[slot - 1];
            if (std::string_view(text.key, text.keyLength) == key) {
                return &text;
            }
        }
    }

    // At most this many texts of the section in these locales.
    std::size_t textCount(const std::string& section,
                          const std::vector<std::string>& locales) const {
        std::size_t count = 0;
        for (const std::string& candidate : locales) {
            const std::string bundleName = compositeKey(section, candidate, "");
            if (const auto bundle = bundles_.find(bundleName); bundle != bundles_.end()) {
                count += bundle->second.size();
            }
            for (const DefaultBundle& bundle : defaults_) {
                if (bundle.name == bundleName) {
                    count += bundle.entries.size();
                }
            }
        }
        return count;
    }

    // Calls `entry(key, text)` for every entry of the default bundles of "section\x1flocale\x1f".
    template <typename OnEntry>
    void forEachDefault(const std::string& bundleName, OnEntry entry) const {
        for (const DefaultBundle& bundle : defaults_) {
            if (bundle.name == bundleName) {
                for (const TextEntry& text : bundle.entries) {
                    entry(text.key, text.text);
                }
            }
        }
    }

    // Files "<section>.<locale>.txt".
    void loadTextFolder(const std::string& dir) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
            const std::filesystem::path& path = entry.path();
            if (path.extension() != ".txt") {
                continue;
            }
            const std::string stem = path.stem().string();
            const auto dot = stem.find('.');
            if (dot == std::string::npos) {
                continue;
            }
            bool ok = false;
            const std::string text = readFile(path.string(), ok);
            if (ok) {
                addTexts(stem.substr(0, dot), stem.substr(dot + 1), text, true);
            }
        }
    }

    std::shared_mutex mutex_;
    std::mutex missingMutex_;
    std::map<std::string, std::set<std::string, std::less<>>> missing_;
    struct CachedTable {
        std::uint64_t generation = 0;
        std::shared_ptr<const TextTable> table;
    };
    std::unordered_map<std::string, CachedTable> tables_;
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const noexcept { return hashTextKey(key); }
    };
    // Texts by "section\x1flocale\x1f", then by key.
    using Bundle = std::unordered_map<std::string, String, KeyHash, std::equal_to<>>;
    std::unordered_map<std::string, Bundle> bundles_;
    // Texts of static storage, read where they are; they rank below every bundle of their
    // section and locale.
    struct DefaultBundle {
        std::string name;
        std::span<const TextEntry> entries;
        TextIndex index;
    };
    std::vector<DefaultBundle> defaults_;
    std::unordered_map<std::string, String> apiSettings_;
    std::unordered_map<std::string, String> fileSettings_;

    // Whether a default bundle has `key`: through its index when the key is under the index's
    // prefix, else entry by entry.
    static bool defaultHolds(const DefaultBundle& bundle, std::string_view key) {
        const TextIndex& index = bundle.index;
        if (!index.slots.empty() && key.starts_with(index.prefix)) {
            return findIndexed(index, key.substr(index.prefix.size())) != nullptr;
        }
        return std::any_of(bundle.entries.begin(), bundle.entries.end(),
                           [key](const TextEntry& entry) { return entry.key == key; });
    }

    // Whether `entry` is the first of its key in its bundle (the one that counts).
    static bool isFirstOfKey(const DefaultBundle& bundle, const TextEntry& entry) {
        const TextIndex& index = bundle.index;
        if (index.texts.size() == bundle.entries.size()) {
            return true;  // every entry is indexed: no key is given twice
        }
        if (!index.slots.empty() && entry.key.starts_with(index.prefix)) {
            const IndexedText* first = findIndexed(index, entry.key.substr(index.prefix.size()));
            return first != nullptr && first->text == entry.text.data();
        }
        const auto first =
            std::find_if(bundle.entries.begin(), bundle.entries.end(),
                         [&](const TextEntry& other) { return other.key == entry.key; });
        return &*first == &entry;
    }

    // The texts of one "section\x1flocale\x1f": those added or loaded, and its default bundles.
    struct Texts {
        const Bundle* added = nullptr;
        std::vector<const DefaultBundle*> defaults;

        bool holdsAny() const {
            return (added != nullptr && !added->empty()) ||
                   std::any_of(defaults.begin(), defaults.end(), [](const DefaultBundle* bundle) {
                       return !bundle->entries.empty();
                   });
        }
        bool holds(std::string_view key) const {
            return (added != nullptr && added->contains(key)) ||
                   std::any_of(
                       defaults.begin(), defaults.end(),
                       [key](const DefaultBundle* bundle) { return defaultHolds(*bundle, key); });
        }
    };

    Texts textsOf(const std::string& bundleName) const {
        Texts texts;
        if (const auto bundle = bundles_.find(bundleName); bundle != bundles_.end()) {
            texts.added = &bundle->second;
        }
        for (const DefaultBundle& bundle : defaults_) {
            if (bundle.name == bundleName) {
                texts.defaults.push_back(&bundle);
            }
        }
        return texts;
    }
};

std::mutex& localeMutex() {
    static std::mutex m;
    return m;
}

QORLocale& globalLocale() {
    static QORLocale locale([] {
        const char* env = std::getenv("QOR_LOCALE");
        return String(env != nullptr && *env != '\0' ? env : "en");
    }());
    return locale;
}

}  // namespace

TextTable::TextTable(const TextIndex& index)
    : entries_(index.texts),
      placeholders_(index.placeholders),
      slots_(index.slots),
      made_(std::make_unique<Made[]>(index.texts.size())) {}

TextTable::~TextTable() {
    for (std::size_t i = 0; made_ && i < entries_.size(); ++i) {
        delete made_[i].text.load();
    }
}

const TextTable::Entry* TextTable::findEntry(std::string_view key) const {
    if (slots_.empty()) {
        return nullptr;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hashTextKey(key) & mask;; at = (at + 1) & mask) {
        const std::uint32_t slot = slots_[at];
        if (slot == 0) {
            return nullptr;
        }
        const Entry& entry = entries_[slot - 1];
        if (name(entry) == key) {
            return &entry;
        }
    }
}

// At most half of the slots are taken, so that probes stay short.
void TextTable::grow() {
    std::vector<std::uint32_t> old = std::move(builtSlots_);
    builtSlots_.assign(old.empty() ? textSlotCount(0) : old.size() * 2, 0);
    for (const std::uint32_t slot : old) {
        if (slot != 0) {
            const std::string_view key = name(builtEntries_[slot - 1]);
            *findTextSlot(builtSlots_, builtEntries_, key, hashTextKey(key)) = slot;
        }
    }
}

// Copies go into blocks that never move, so an entry points at its copy from the start.
const char* TextTable::keep(std::string_view text) {
    static constexpr std::size_t kBlockSize = 4096;
    if (text.size() > copyRoom_) {
        const std::size_t size = std::max(kBlockSize, text.size());
        copies_.push_back(std::make_unique_for_overwrite<char[]>(size));
        copyNext_ = copies_.back().get();
        copyRoom_ = size;
    }
    char* at = copyNext_;
    if (!text.empty()) {
        std::memcpy(at, text.data(), text.size());
        copyNext_ += text.size();
        copyRoom_ -= text.size();
    }
    return at;
}

void TextTable::reserve(std::size_t count) {
    builtEntries_.reserve(count);
    builtPlaceholders_.reserve(count * 2);
    if (builtEntries_.empty() && textSlotCount(count) > builtSlots_.size()) {
        builtSlots_.assign(textSlotCount(count), 0);
    }
}

void TextTable::add(std::string_view key, std::string_view text, bool lasting) {
    if ((builtEntries_.size() + 1) * 2 > builtSlots_.size()) {
        grow();
    }
    std::uint32_t* slot = findTextSlot(builtSlots_, builtEntries_, key, hashTextKey(key));
    if (*slot != 0) {
        return;
    }
    Entry entry;
    entry.key = lasting ? key.data() : keep(key);
    entry.text = lasting ? text.data() : keep(text);
    entry.keyLength = static_cast<std::uint32_t>(key.size());
    entry.textLength = static_cast<std::uint32_t>(text.size());
    entry.firstPlaceholder = static_cast<std::uint32_t>(builtPlaceholders_.size());
    forEachPlaceholder(text,
                       [this](TextPlaceholder found) { builtPlaceholders_.push_back(found); });
    entry.placeholderCount =
        static_cast<std::uint32_t>(builtPlaceholders_.size() - entry.firstPlaceholder);
    builtEntries_.push_back(entry);
    *slot = static_cast<std::uint32_t>(builtEntries_.size());
}

void TextTable::finish() {
    entries_ = builtEntries_;
    placeholders_ = builtPlaceholders_;
    slots_ = builtSlots_;
    made_ = std::make_unique<Made[]>(builtEntries_.size());
}

// Two threads may make the same text at once: the first to store it wins, the other's copy
// goes.
const String& TextTable::makeText(const Entry& entry) const {
    std::atomic<const String*>& made = made_[indexOf(entry)].text;
    const String* current = made.load(std::memory_order_acquire);
    if (current == nullptr) {
        auto fresh = std::make_unique<const String>(view(entry));
        if (made.compare_exchange_strong(current, fresh.get(), std::memory_order_acq_rel)) {
            current = fresh.release();
        }
    }
    return *current;
}

const String& TextTable::makeKey(const Entry& entry) const {
    std::atomic<const String*>& lasting = made_[indexOf(entry)].key;
    const String* made = lasting.load(std::memory_order_acquire);
    if (made == nullptr) {
        made = &lastingKey(name(entry));
        lasting.store(made, std::memory_order_release);
    }
    return *made;
}

QORLocale QORLocale::getGlobalLocale() {
    std::lock_guard lock(localeMutex());
    return globalLocale();
}

void QORLocale::setGlobalLocale(const QORLocale& locale) {
    {
        std::lock_guard lock(localeMutex());
        globalLocale() = locale;
    }
    textGeneration().fetch_add(1);
}

bool Resource::getString(const String& section, const char* key, String& out,
                         const QORLocale& locale) {
    return Database::instance().lookupText(section.str(), locale.getName().str(), key, out);
}

std::vector<String> Resource::getMissingKeys(const String& section) {
    return Database::instance().missingKeys(section.str());
}

void Resource::noteMissingKey(const String& section, std::string_view key) {
    Database::instance().noteMissing(section.str(), key);
}

std::shared_ptr<const TextTable> Resource::getTextTable(const String& section,
                                                        const QORLocale& locale,
                                                        std::string_view prefix) {
    return Database::instance().textTable(section.str(), locale.getName().str(), prefix);
}

std::vector<String> Resource::getTextLocales(const String& section) {
    return Database::instance().locales(section.str());
}

TextCoverage Resource::getTextCoverage(const String& section, const QORLocale& locale,
                                       std::string_view prefix) {
    return Database::instance().coverage(section.str(), locale.getName().str(), prefix);
}

std::uint64_t Resource::getTextGeneration() {
    return textGeneration().load();
}

bool Resource::getSetting(const String& section, const char* key, String& out,
                          const QORLocale& /*locale*/) {
    return Database::instance().lookupSetting(section.str(), key, out);
}

void Resource::addDefaultStrings(const String& section, const String& locale,
                                 const ConstantBundle& bundle) {
    Database::instance().addDefaultTexts(section.str(), locale.str(), bundle);
}

std::size_t Resource::addStrings(const String& section, const String& locale, std::string_view text,
                                 bool replaceExisting) {
    return Database::instance().addTexts(section.str(), locale.str(), text, replaceExisting);
}

bool Resource::loadStrings(const String& section, const String& locale, const String& path) {
    bool ok = false;
    const std::string text = readFile(path.str(), ok);
    if (ok) {
        addStrings(section, locale, text);
    }
    return ok;
}

void Resource::setSetting(const String& section, const String& key, const String& value) {
    Database::instance().setSetting(section.str(), key.str(), value);
}

void Resource::clearSetting(const String& section, const String& key) {
    Database::instance().clearSetting(section.str(), key.str());
}

bool Resource::loadSettings(const String& path) {
    return Database::instance().loadSettings(path.str());
}

}  // namespace qor
