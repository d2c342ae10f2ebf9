#include "SourceReader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string_view>

#include "HexText.h"
#include "Terminal.h"
#include "libEDID/EDIDAccessorBuffer.h"
#include "libEDID/EDIDContext.h"

namespace edidcheck {

namespace {

constexpr std::string_view kDisplayPrefix = "display:";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Appends up to `limit` bytes in total to `content`; false (errno set) on a read error.
bool readUpTo(std::FILE* stream, std::string& content, std::size_t limit) {
    char chunk[16384];
    while (content.size() < limit) {
        const std::size_t wanted = std::min(sizeof chunk, limit - content.size());
        const std::size_t got = std::fread(chunk, 1, wanted, stream);
        content.append(chunk, got);
        if (got < wanted) {
            return std::ferror(stream) == 0;
        }
    }
    return true;
}

// Reads raw content up to kRawLimit, text up to kTextLimit (one byte more to detect excess).
std::string readContent(std::FILE* stream, std::string& error) {
    std::string content;
    bool ok = readUpTo(stream, content, SourceReader::kRawLimit);
    if (ok && content.size() == SourceReader::kRawLimit &&
        classifyContent(content) != ContentKind::Raw) {
        ok = readUpTo(stream, content, SourceReader::kTextLimit + 1);
        if (ok && content.size() > SourceReader::kTextLimit) {
            error = "too large for hex text (over 1 MiB)";
        }
    }
    if (!ok) {
        error = std::string("cannot read: ") + std::strerror(errno);
    }
    return content;
}

Source fromContent(std::string name, std::string_view content) {
    Source source{std::move(name), {}, {}, {}};
    DecodedHex decoded = decodeContent(content);
    if (!decoded.ok()) {
        source.error = std::move(decoded.error);
        return source;
    }
    source.bytes = std::move(decoded.bytes);
    source.accessor = libEDID::makeAccessor<libEDID::EDIDAccessorBuffer>(
        reinterpret_cast<const char*>(source.bytes.data()),
        static_cast<unsigned int>(source.bytes.size()));
    return source;
}

Source failed(std::string name, std::string error) {
    return Source{std::move(name), {}, {}, std::move(error)};
}

std::string_view finderWord(libEDID::EDIDAccessor::EDIDFINDER finder) {
    switch (finder) {
        case libEDID::EDIDAccessor::FIND_BY_PORT_LOCATOR:
            return "port locator";
        case libEDID::EDIDAccessor::FIND_BY_DISPLAY_PATH:
            return "display path";
        case libEDID::EDIDAccessor::FIND_BY_DISPLAY_NAME:
            return "display name";
    }
    return "locator";
}

}  // namespace

bool SourceReader::isDisplayArgument(const std::string& argument) {
    return argument.starts_with(kDisplayPrefix);
}

Source SourceReader::read(const std::string& argument) const {
    if (argument == "-") {
        return readStandardInput();
    }
    if (isDisplayArgument(argument)) {
        return readDisplay(argument);
    }
    return readFile(argument);
}

Source SourceReader::fromSample(const EmbeddedFile& sample) {
    return fromContent(std::string("sample:") + sample.name,
                       std::string_view(reinterpret_cast<const char*>(sample.data), sample.size));
}

Source SourceReader::readFile(const std::string& path) const {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return failed(path, "is a directory");
    }
    const FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return failed(path, std::string("cannot open: ") + std::strerror(errno));
    }
    std::string error;
    const std::string content = readContent(file.get(), error);
    return error.empty() ? fromContent(path, content) : failed(path, error);
}

Source SourceReader::readStandardInput() const {
    useBinaryStdin();
    std::string error;
    const std::string content = readContent(stdin, error);
    return error.empty() ? fromContent("-", content) : failed("-", error);
}

Source SourceReader::readDisplay(const std::string& argument) const {
    const std::string locator = argument.substr(kDisplayPrefix.size());
    Source source{argument, {}, {}, {}};
    try {
        source.accessor = libEDID::EDIDContext::getEDIDAccessor(qor::String(locator), finder_);
    } catch (const std::exception& error) {
        return failed(argument, std::string("cannot list the displays: ") + error.what());
    }
    if (!source.accessor->isAccessible()) {
        return failed(argument, "no display with " + std::string(finderWord(finder_)) + " \"" +
                                    locator + "\" has a readable EDID");
    }
    return source;
}

}  // namespace edidcheck
