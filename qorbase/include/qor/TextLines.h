#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <type_traits>

namespace qor {

/// One "<key> = <text>" entry of a text bundle, both trimmed.
struct TextEntry {
    std::string_view key;
    std::string_view text;
};

/// Where a "{name}" placeholder stands in a text: its first byte and its length, braces
/// included.
struct TextPlaceholder {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

/// One text of a text table: its key and text (kept by reference) and the range of its
/// placeholders in the table's list of placeholders.
struct IndexedText {
    const char* key = nullptr;
    const char* text = nullptr;
    std::uint32_t keyLength = 0;
    std::uint32_t textLength = 0;
    std::uint32_t firstPlaceholder = 0;
    std::uint32_t placeholderCount = 0;
};

/// The texts of a constant bundle whose keys start with `prefix`, under their keys without it,
/// indexed by the compiler (see indexTextEntries): a text table reads them in place.
struct TextIndex {
    std::string_view prefix;
    std::span<const IndexedText> texts;
    std::span<const TextPlaceholder> placeholders;
    std::span<const std::uint32_t> slots;  // open addressing by hashTextKey: text index + 1
};

/// A bundle compiled into a library: its entries, and an index of those under one prefix.
struct ConstantBundle {
    std::span<const TextEntry> entries;
    TextIndex index;
};

namespace textlines {

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

constexpr std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Eight bytes of a key as a little-endian number (the compiler assembles them itself).
constexpr std::uint64_t loadWord(const char* from) {
    if (!std::is_constant_evaluated() && std::endian::native == std::endian::little) {
        std::uint64_t word = 0;
        std::memcpy(&word, from, sizeof word);
        return word;
    }
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        word |= std::uint64_t{static_cast<unsigned char>(from[i])} << (8 * i);
    }
    return word;
}

}  // namespace textlines

/// The hash of a key in a text table. Keys are short names: eight bytes at a time, mixed by
/// multiplication; the last bytes are the final eight of a longer key (overlapping the loop's),
/// else taken one by one.
constexpr std::size_t hashTextKey(std::string_view key) {
    std::uint64_t hash = 0x9E3779B97F4A7C15ULL ^ key.size();
    std::size_t at = 0;
    for (; at + 8 <= key.size(); at += 8) {
        hash = (hash ^ textlines::loadWord(key.data() + at)) * 0xFF51AFD7ED558CCDULL;
        hash ^= hash >> 32;
    }
    std::uint64_t tail = 0;
    if (at < key.size()) {
        if (key.size() >= 8) {
            tail = textlines::loadWord(key.data() + key.size() - 8);
        } else {
            for (std::size_t i = 0; i < key.size(); ++i) {
                tail |= std::uint64_t{static_cast<unsigned char>(key[i])} << (8 * i);
            }
        }
    }
    hash = (hash ^ tail) * 0xC4CEB9FE1A85EC53ULL;
    return static_cast<std::size_t>(hash ^ (hash >> 29));
}

/// Calls `placeholder(TextPlaceholder)` for every "{name}" of `text` in text order: a '{', a
/// name without braces, a '}'.
template <typename OnPlaceholder>
constexpr void forEachPlaceholder(std::string_view text, OnPlaceholder placeholder) {
    for (std::size_t open = text.find('{'); open != std::string_view::npos;) {
        std::size_t close = open + 1;
        while (close < text.size() && text[close] != '{' && text[close] != '}') {
            ++close;
        }
        if (close == text.size()) {
            return;
        }
        if (text[close] == '}') {
            placeholder(TextPlaceholder{static_cast<std::uint32_t>(open),
                                        static_cast<std::uint32_t>(close - open + 1)});
            open = text.find('{', close + 1);
        } else {
            open = close;
        }
    }
}

/// The number of slots of a table of `count` texts: a power of two, at least 512 and at least
/// twice the count, so that probes stay short.
constexpr std::size_t textSlotCount(std::size_t count) {
    std::size_t slots = 512;
    while (slots < count * 2) {
        slots *= 2;
    }
    return slots;
}

/// Finds the slot of `key`: the slot that holds it, or the free slot where it goes.
constexpr std::uint32_t* findTextSlot(std::span<std::uint32_t> slots,
                                      std::span<const IndexedText> texts, std::string_view key,
                                      std::size_t hash) {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        std::uint32_t& slot = slots[at];
        if (slot == 0) {
            return &slot;
        }
        const IndexedText& text = texts[slot - 1];
        if (std::string_view(text.key, text.keyLength) == key) {
            return &slot;
        }
    }
}

/// Reads the lines of a text or settings file: calls `entry(key, value)` for every
/// "<key> = <value>" line (key up to the first '=', both trimmed, the key not empty) and
/// `section(name)` for every "[name]" line; blank lines and lines starting with '#' or ';' are
/// skipped, and so is a line without '='. Returns the number of entries. Usable at compile time,
/// so that a bundle compiled into a library is split once, by the compiler.
template <typename OnSection, typename OnEntry>
constexpr std::size_t forEachTextLine(std::string_view text, OnSection section, OnEntry entry) {
    std::size_t count = 0;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        const std::string_view line = textlines::trim(text.substr(0, newline));
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section(textlines::trim(line.substr(1, line.size() - 2)));
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = textlines::trim(line.substr(0, equals));
        if (key.empty()) {
            continue;
        }
        entry(key, textlines::trim(line.substr(equals + 1)));
        ++count;
    }
    return count;
}

/// The number of entries of a bundle text.
constexpr std::size_t countTextEntries(std::string_view text) {
    return forEachTextLine(
        text, [](std::string_view) {}, [](std::string_view, std::string_view) {});
}

/// The entries of a bundle text, in text order; `Count` is countTextEntries(text). Meant for
/// constant bundles: `constexpr auto entries = splitTextEntries<countTextEntries(t)>(t);`.
template <std::size_t Count>
constexpr std::array<TextEntry, Count> splitTextEntries(std::string_view text) {
    std::array<TextEntry, Count> entries{};
    std::size_t at = 0;
    forEachTextLine(
        text, [](std::string_view) {},
        [&](std::string_view key, std::string_view value) {
            if (at < Count) {
                entries[at++] = {key, value};
            }
        });
    return entries;
}

/// Room for an index: the entries whose key starts with `prefix` and their placeholders (a key
/// given twice counts twice, though only its first entry is kept).
struct TextIndexSize {
    std::size_t texts = 0;
    std::size_t placeholders = 0;
};

constexpr TextIndexSize textIndexSize(std::span<const TextEntry> entries, std::string_view prefix) {
    TextIndexSize size;
    for (const TextEntry& entry : entries) {
        if (entry.key.substr(0, prefix.size()) == prefix) {
            ++size.texts;
            forEachPlaceholder(entry.text, [&](TextPlaceholder) { ++size.placeholders; });
        }
    }
    return size;
}

/// An index made by the compiler; `index()` is what a text table reads.
template <std::size_t Texts, std::size_t Placeholders>
struct ConstantTextIndex {
    std::string_view prefix;
    std::array<IndexedText, Texts + 1> texts{};                    // never empty
    std::array<TextPlaceholder, Placeholders + 1> placeholders{};  // never empty
    std::array<std::uint32_t, textSlotCount(Texts)> slots{};
    std::size_t textCount = 0;
    std::size_t placeholderCount = 0;

    constexpr TextIndex index() const {
        return {prefix, std::span(texts).first(textCount),
                std::span(placeholders).first(placeholderCount), slots};
    }
};

/// Indexes the first entry of each key that starts with `prefix` under the key without it, as
/// a text table built at run time from the same entries would hold them. `Texts` and
/// `Placeholders` are those of textIndexSize(entries, prefix).
template <std::size_t Texts, std::size_t Placeholders>
constexpr ConstantTextIndex<Texts, Placeholders> indexTextEntries(
    std::span<const TextEntry> entries, std::string_view prefix) {
    ConstantTextIndex<Texts, Placeholders> index;
    index.prefix = prefix;
    for (const TextEntry& entry : entries) {
        if (entry.key.substr(0, prefix.size()) != prefix) {
            continue;
        }
        const std::string_view key = entry.key.substr(prefix.size());
        std::uint32_t* slot = findTextSlot(
            index.slots, std::span(index.texts).first(index.textCount), key, hashTextKey(key));
        if (*slot != 0) {
            continue;  // the first text of a key counts
        }
        IndexedText& indexed = index.texts[index.textCount++];
        indexed.key = key.data();
        indexed.text = entry.text.data();
        indexed.keyLength = static_cast<std::uint32_t>(key.size());
        indexed.textLength = static_cast<std::uint32_t>(entry.text.size());
        indexed.firstPlaceholder = static_cast<std::uint32_t>(index.placeholderCount);
        forEachPlaceholder(entry.text, [&](TextPlaceholder found) {
            index.placeholders[index.placeholderCount++] = found;
        });
        indexed.placeholderCount =
            static_cast<std::uint32_t>(index.placeholderCount - indexed.firstPlaceholder);
        *slot = static_cast<std::uint32_t>(index.textCount);
    }
    return index;
}

}  // namespace qor
