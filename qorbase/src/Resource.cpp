#include "qor/Resource.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <shared_mutex>
#include <unordered_map>

#include "qor/Files.h"
#include "qor/Logging.h"

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

std::string_view trimView(std::string_view s) {
    constexpr std::string_view blanks = " \t\r\n\f\v";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

// Calls `entry(key, value)` for every "<key> = <value>" line; `section(name)` for "[name]".
template <typename OnSection, typename OnEntry>
std::size_t parseLines(std::string_view text, OnSection section, OnEntry entry) {
    std::size_t count = 0;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = trimView(text.substr(0, newline));
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section(trimView(line.substr(1, line.size() - 2)));
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = trimView(line.substr(0, equals));
        if (key.empty()) {
            continue;
        }
        entry(key, trimView(line.substr(equals + 1)));
        ++count;
    }
    return count;
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
                const auto it = texts_.find(compositeKey(section, candidate, key));
                if (it != texts_.end()) {
                    out = it->second;
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
        const std::size_t count = parseLines(
            text, [](std::string_view) {},
            [&](std::string_view key, std::string_view value) {
                const auto [slot, added] =
                    texts_.try_emplace(compositeKey(section, locale, key), String(value));
                if (!added && replaceExisting) {
                    slot->second = String(value);
                }
            });
        textGeneration().fetch_add(1);
        return count;
    }

    // Settings are read on every parse: the names are built in buffers of the thread.
    bool lookupSetting(const std::string& section, const char* key, String& out) {
        thread_local std::string name;
        writeCompositeKey(name, section, "", key);
        {
            std::shared_lock lock(mutex_);
            const auto it = apiSettings_.find(name);
            if (it != apiSettings_.end()) {
                out = it->second;
                return true;
            }
        }
        thread_local std::string variable;
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
        parseLines(
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

    // Each key takes its text from the first locale of the chain that has one: the table is
    // filled locale by locale, and a key keeps the first text it got.
    std::shared_ptr<const TextTable> buildTable(const std::string& section,
                                                const std::string& locale,
                                                std::string_view prefix) const {
        auto table = std::make_shared<TextTable>();
        for (const std::string& candidate : localeChain(locale)) {
            const std::string head = compositeKey(section, candidate, prefix);
            for (const auto& [key, text] : texts_) {
                if (key.compare(0, head.size(), head) == 0) {
                    table->add(std::string_view(key).substr(head.size()), text);
                }
            }
        }
        return table;
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
    std::unordered_map<std::string, String> texts_;
    std::unordered_map<std::string, String> apiSettings_;
    std::unordered_map<std::string, String> fileSettings_;
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

std::uint64_t Resource::getTextGeneration() {
    return textGeneration().load();
}

bool Resource::getSetting(const String& section, const char* key, String& out,
                          const QORLocale& /*locale*/) {
    return Database::instance().lookupSetting(section.str(), key, out);
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
