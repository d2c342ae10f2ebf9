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
#include "libEDID/ReadError.h"
#include "libEDID/SystemDisplays.h"
#include "qor/Files.h"

namespace edidcheck {

namespace {

constexpr std::string_view kDisplayPrefix = "display:";

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

// The kind is decided from everything read (up to kTextLimit bytes); only raw content may
// be longer (fromContent keeps what a parser can reach).
std::string tooLargeError(std::string_view content, bool overTextLimit) {
    return overTextLimit && classifyContent(content) != ContentKind::Raw
               ? "too large for hex text (over 1 MiB)"
               : "";
}

Source failed(std::string name, std::string error) {
    return Source{std::move(name), {}, {}, std::move(error)};
}

// A path that cannot be opened: missing, not permitted, or refused for another reason.
std::string openFailure(int error) {
    const libEDID::ReadError reason = error == EACCES || error == EPERM
                                          ? libEDID::ReadError::PermissionDenied
                                          : libEDID::ReadError::NotFound;
    return readErrorLine(reason, std::strerror(error));
}

Source fromContent(std::string name, std::string_view content) {
    if (classifyContent(content) == ContentKind::Empty) {
        return failed(std::move(name), readErrorLine(libEDID::ReadError::Empty));
    }
    Source source{std::move(name), {}, {}, {}};
    DecodedHex decoded = decodeContent(content);
    if (!decoded.ok()) {
        source.error = std::move(decoded.error);
        return source;
    }
    source.bytes = std::move(decoded.bytes);
    // Raw bytes beyond the base block and 255 extension blocks cannot be reached.
    if (source.bytes.size() > SourceReader::kRawLimit &&
        classifyContent(content) == ContentKind::Raw) {
        source.bytes.resize(SourceReader::kRawLimit);
    }
    source.accessor = libEDID::makeAccessor<libEDID::EDIDAccessorBuffer>(
        reinterpret_cast<const char*>(source.bytes.data()),
        static_cast<unsigned int>(source.bytes.size()));
    return source;
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

std::string readErrorLine(libEDID::ReadError error, const std::string& addition) {
    std::string line = libEDID::readErrorText(error).str();
    if (addition.empty()) {
        return line;
    }
    if (line.ends_with('.')) {
        line.pop_back();
    }
    return line + " (" + addition + ")";
}

bool SourceReader::isDisplayArgument(const std::string& argument) {
    return argument.starts_with(kDisplayPrefix);
}

Source SourceReader::read(const std::string& argument) {
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

// Only regular files are opened, and without blocking: a FIFO or device named on the command
// line is refused at once ("-" reads a pipe).
Source SourceReader::readFile(const std::string& path) {
    std::string& content = content_;
    const qor::ReadResult result = qor::readRegularFile(qor::String(path), kTextLimit, content);
    switch (result) {
        case qor::ReadResult::OK:
        case qor::ReadResult::TOO_LARGE:
            break;
        case qor::ReadResult::CANNOT_OPEN:
            return failed(path, openFailure(errno));
        case qor::ReadResult::NOT_REGULAR: {
            std::error_code ignored;
            return failed(path, readErrorLine(libEDID::ReadError::NotRegularFile,
                                              std::filesystem::is_directory(path, ignored)
                                                  ? "a directory"
                                                  : "a pipe is read with \"-\""));
        }
        case qor::ReadResult::READ_ERROR:
            return failed(path,
                          readErrorLine(libEDID::ReadError::ReadFailed, std::strerror(errno)));
    }
    const std::string error = tooLargeError(content, result == qor::ReadResult::TOO_LARGE);
    return error.empty() ? fromContent(path, content) : failed(path, error);
}

Source SourceReader::readStandardInput() {
    useBinaryStdin();
    std::string& content = content_;
    content.clear();
    if (!readUpTo(stdin, content, kTextLimit + 1)) {
        return failed("-", readErrorLine(libEDID::ReadError::ReadFailed, std::strerror(errno)));
    }
    const bool overTextLimit = content.size() > kTextLimit;
    if (overTextLimit) {
        content.resize(kTextLimit);
    }
    const std::string error = tooLargeError(content, overTextLimit);
    return error.empty() ? fromContent("-", content) : failed("-", error);
}

Source SourceReader::readDisplay(const std::string& argument) const {
    const std::string locator = argument.substr(kDisplayPrefix.size());
    Source source{argument, {}, {}, {}};
    try {
        source.accessor = libEDID::openDisplay(qor::String(locator), finder_);
    } catch (const std::exception& error) {
        return failed(argument, std::string("cannot list the displays: ") + error.what());
    }
    if (!source.accessor->isAccessible()) {
        return failed(argument,
                      readErrorLine(source.accessor->getSourceError(),
                                    std::string(finderWord(finder_)) + " \"" + locator + "\""));
    }
    return source;
}

}  // namespace edidcheck
