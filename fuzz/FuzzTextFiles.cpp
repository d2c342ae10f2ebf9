// Fuzz target: any content as a settings file and as a resource (text) file of the base
// library, read back through its file reader and its "<key> = <value>" line parser, then
// looked up. Besides the sanitizers' checks it holds the reader to its contract: both readers
// take or refuse the same file, and no text or setting is longer than the longest file read.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "qor/Resource.h"

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "text-file reader broke its contract: %s\n", what);
        __builtin_trap();
    }
}

// One file per process, rewritten for each input.
const std::string& inputPath() {
    static const std::string path = [] {
        const char* folder = std::getenv("TMPDIR");
        std::atexit([] { std::remove(inputPath().c_str()); });
        return std::string(folder != nullptr ? folder : "/tmp") + "/libedid-fuzz-text-" +
               std::to_string(::getpid()) + ".txt";
    }();
    return path;
}

bool writeInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(inputPath().c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    require(writeInput(data, size), "cannot write the input file");
    const qor::String path(inputPath());
    const bool settingsRead = qor::Resource::loadSettings(path);
    const bool textsRead = qor::Resource::loadStrings("fuzz", "en", path);
    require(settingsRead == textsRead, "one reader took the file, the other did not");
    static std::size_t longest = 0;  // texts of earlier inputs stay in the database
    longest = std::max(longest, size);

    for (const char* key : {"Key", "DumpEDID.value", "LocalizedString.ChecksumError"}) {
        qor::String value;
        if (qor::Resource::getString("fuzz", key, value, qor::QORLocale("en"))) {
            require(value.str().size() <= longest, "a text longer than any file");
        }
        if (qor::Resource::getSetting("fuzz", key, value, qor::QORLocale("en"))) {
            require(value.str().size() <= longest, "a setting longer than any file");
        }
    }
    return 0;
}
