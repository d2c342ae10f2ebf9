#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace qor {

/// One "<key> = <text>" entry of a text bundle, both trimmed.
struct TextEntry {
    std::string_view key;
    std::string_view text;
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

}  // namespace textlines

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

}  // namespace qor
