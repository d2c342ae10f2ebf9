#include "qor/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qor {

namespace {

// Appends chunks from `readChunk(buffer, capacity)` (bytes read, 0 at the end, negative on an
// error) to `out` until the end, or until one byte more than `limit` shows the file too large.
// The files read are regular files, whose reads come back short only at their end: a short
// chunk ends the file without one more read.
template <typename ReadChunk>
ReadResult readAll(std::size_t limit, std::string& out, ReadChunk readChunk) {
    char chunk[16384];
    for (;;) {
        const std::size_t wanted = std::min(sizeof chunk, limit - out.size() + 1);
        const long long got = readChunk(chunk, wanted);
        if (got < 0) {
            return ReadResult::READ_ERROR;
        }
        out.append(chunk, static_cast<std::size_t>(got));
        if (out.size() > limit) {
            out.resize(limit);
            return ReadResult::TOO_LARGE;
        }
        if (static_cast<std::size_t>(got) < wanted) {
            return ReadResult::OK;
        }
    }
}

}  // namespace

#if defined(_WIN32)

namespace {
std::wstring widen(const String& path) {
    const std::string& utf8 = path.str();
    if (utf8.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                            length);
    }
    return wide;
}

// errno from the last Windows error, so that callers word a failure as on POSIX.
ReadResult cannotOpen() {
    const DWORD error = GetLastError();
    errno = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT
            : error == ERROR_ACCESS_DENIED                                 ? EACCES
                                                                           : EIO;
    return ReadResult::CANNOT_OPEN;
}
}  // namespace

ReadResult readRegularFile(const String& path, std::size_t limit, std::string& out) {
    out.clear();
    const std::wstring wide = widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return cannotOpen();
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return ReadResult::NOT_REGULAR;
    }
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return cannotOpen();
    }
    ReadResult result = ReadResult::NOT_REGULAR;
    if (GetFileType(file) == FILE_TYPE_DISK) {
        result = readAll(limit, out, [file](char* buffer, std::size_t capacity) -> long long {
            DWORD got = 0;
            if (!ReadFile(file, buffer, static_cast<DWORD>(capacity), &got, nullptr)) {
                return -1;
            }
            return static_cast<long long>(got);
        });
    }
    CloseHandle(file);
    return result;
}

bool pathTaken(const String& path) {
    return GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {
// CREATE_NEW fails on anything already at the path, a link included.
std::FILE* createNew(const String& path) {
    HANDLE handle = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) {
        _close(fd);
    }
    return file;
}
}  // namespace

std::unique_ptr<OFStream> FStream::openFile(const String& path, FileMode mode) {
    const wchar_t* how = nullptr;
    switch (mode) {
        case FileMode::CREATE_NEW_BINARY: {
            std::FILE* file = createNew(path);
            return file != nullptr ? std::make_unique<OFStream>(file) : nullptr;
        }
        case FileMode::CREATE_WRITE_BINARY:
            how = L"wb";
            break;
        case FileMode::APPEND_BINARY:
            how = L"ab";
            break;
        default:
            return nullptr;
    }
    std::FILE* file = _wfopen(widen(path).c_str(), how);
    return file != nullptr ? std::make_unique<OFStream>(file) : nullptr;
}

#else

namespace {

struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

// O_EXCL with O_CREAT fails on anything already at the path, and never follows a link there.
std::FILE* createNew(const String& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        ::close(fd);
    }
    return file;
}

}  // namespace

ReadResult readRegularFile(const String& path, std::size_t limit, std::string& out) {
    out.clear();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return ReadResult::CANNOT_OPEN;
    }
    if (!S_ISREG(info.st_mode)) {
        return ReadResult::NOT_REGULAR;
    }
    // Non-blocking: a FIFO put in place after the check must not stall the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return ReadResult::CANNOT_OPEN;
    }
    const FdCloser closer{fd};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return ReadResult::NOT_REGULAR;
    }
    out.reserve(std::min(static_cast<std::size_t>(info.st_size), limit));
    return readAll(limit, out, [fd](char* buffer, std::size_t capacity) -> long long {
        for (;;) {
            const ssize_t got = ::read(fd, buffer, capacity);
            if (got >= 0 || errno != EINTR) {
                return got;
            }
        }
    });
}

bool pathTaken(const String& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::unique_ptr<OFStream> FStream::openFile(const String& path, FileMode mode) {
    const char* how = nullptr;
    switch (mode) {
        case FileMode::CREATE_NEW_BINARY: {
            std::FILE* file = createNew(path);
            return file != nullptr ? std::make_unique<OFStream>(file) : nullptr;
        }
        case FileMode::CREATE_WRITE_BINARY:
            how = "wb";
            break;
        case FileMode::APPEND_BINARY:
            how = "ab";
            break;
        default:
            return nullptr;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return nullptr;
    }
    std::FILE* file = std::fopen(path.c_str(), how);
    return file != nullptr ? std::make_unique<OFStream>(file) : nullptr;
}

#endif

OFStream::~OFStream() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool OFStream::write(const void* data, std::size_t size) {
    if (size == 0) {
        return true;
    }
    if (file_ == nullptr || data == nullptr) {
        return false;
    }
    return std::fwrite(data, 1, size, file_) == size && std::fflush(file_) == 0;
}

}  // namespace qor
