// Fuzz target: any content as a settings file of the base library, read back through its file
// reader and its "[section]" / "<key> = <value>" line parser (resource text files go through
// the same reader and parser), then looked up. Texts are not loaded here: each input would
// add keys that stay in the database for the whole run. Besides the sanitizers' checks it
// holds the reader to its contract: a small regular file is always read, and each new file
// replaces the settings of the previous one, so no setting is longer than the file.

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
    require(qor::Resource::loadSettings(qor::String(inputPath())), "a small file was refused");
    for (const char* key : {"Key", "DumpEDID.value"}) {
        qor::String value;
        if (qor::Resource::getSetting("fuzz", key, value, qor::QORLocale("en"))) {
            require(value.str().size() <= size, "a setting longer than its file");
        }
    }
    return 0;
}
