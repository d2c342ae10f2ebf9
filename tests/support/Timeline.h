#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "ParseHarness.h"
#include "libEDID/libEDID.h"

namespace edidtest {

/// One EDID file of a folder.
struct EdidFile {
    std::string name;  ///< file name, e.g. "DEL-A07B-1.4-digital-0123abcd.bin"
    std::string path;
};
inline void PrintTo(const EdidFile& file, std::ostream* os) {
    *os << file.name;
}

/// The *.bin files of `folder`, sorted by name; empty when the folder cannot be read.
std::vector<EdidFile> edidFiles(const std::string& folder);

/// The whole content of a file; empty when it cannot be read.
std::vector<std::uint8_t> readBytes(const std::string& path);

/// True when a block after the base block has the tag `tag` (byte 0).
bool hasExtensionTag(const std::vector<std::uint8_t>& bytes, std::uint8_t tag);

/// What a caller sees of one parse, in the order it happened: each call's result, every message
/// when it was logged and every property when it was notified.
struct Timeline {
    struct Entry {
        enum class Kind { Call, Message, Property };
        Kind kind;
        std::string name;  ///< call, message key or property name
        std::string text;  ///< call result, message text or property value, each escaped
        int level = 0;
        int category = 0;
        bool appended = false;  ///< a message whose text went to the EDID string
    };

    std::vector<Entry> entries;
    /// The part of the EDID string that no appended message accounts for (escaped).
    std::string unmatchedString;

    /// One line per entry: "C call result", "M key level category text" ("M+" for a message
    /// appended to the EDID string), "P name value"; then "S text" for an unmatched string.
    /// Property values read "text" for strings, [...] for arrays and kind:text otherwise.
    std::string render() const;
};

/// Runs `parser` the way a caller does (verifyChecksum(false), parseEDID(false),
/// getEDIDIdentifier(false), getEDIDString(false)) with an observer registered. Line
/// terminators of the library's texts read "\n" on every system; other control characters,
/// DEL, the backslash and bytes outside ASCII read \xNN, so that every entry stays on one line.
Timeline recordTimeline(libEDID::EDIDParser& parser);

/// recordTimeline over a memory copy of `bytes`, with or without the extension decoders.
Timeline recordTimeline(const std::vector<std::uint8_t>& bytes, bool decodeExtensions,
                        bool checkConformity = false);

}  // namespace edidtest
