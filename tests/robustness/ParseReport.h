#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "libEDID/libEDID.h"

namespace edidtest {

/// One EDID file of the corpus folder.
struct CorpusEntry {
    std::string name;  ///< file name, e.g. "DEL-A07B-1.4-digital-0123abcd.bin"
    std::string path;
};
inline void PrintTo(const CorpusEntry& entry, std::ostream* os) {
    *os << entry.name;
}

/// The *.bin files of `folder`, sorted by name; empty when the folder cannot be read.
std::vector<CorpusEntry> corpusEntries(const std::string& folder);

/// The whole content of a file; empty when it cannot be read.
std::vector<std::uint8_t> readBytes(const std::string& path);

/// Accessors over a memory copy of `bytes` and over the file at `path`.
inline libEDID::EDIDAccessorHandle memoryAccessor(const std::vector<std::uint8_t>& bytes) {
    return libEDID::EDIDAccessorHandle(new libEDID::EDIDAccessorBuffer(
        reinterpret_cast<const char*>(bytes.data()), static_cast<unsigned>(bytes.size())));
}
inline libEDID::EDIDAccessorHandle fileAccessor(const std::string& path) {
    return libEDID::EDIDAccessorHandle(new libEDID::EDIDAccessorFile(qor::String(path)));
}

/// Runs `parser` the way a caller does (verifyChecksum(false), parseEDID(false),
/// getEDIDIdentifier(false), getEDIDString(false)) with a recording observer registered, and
/// renders everything the library produced as stable, readable text: the results, every message
/// (key, level, category, text) and every property (name, kind, value) in order, then the EDID
/// string. `title` heads the text. Line terminators of the library's texts are written as "\n"
/// on every system; control characters and bytes outside ASCII are escaped as \xNN.
std::string renderParse(const std::string& title, libEDID::EDIDParser& parser);

/// renderParse over a memory accessor holding `bytes`.
std::string renderParse(const std::string& title, const std::vector<std::uint8_t>& bytes);

}  // namespace edidtest
