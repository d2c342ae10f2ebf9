#include "qor/Files.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qor {

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
}  // namespace

MapFile::MapFile(const String& path) {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        mapping_ = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping_ != nullptr) {
            void* view = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0);
            if (view != nullptr) {
                data_ = static_cast<const unsigned char*>(view);
                size_ = static_cast<std::uint64_t>(size.QuadPart);
            } else {
                CloseHandle(mapping_);
                mapping_ = nullptr;
            }
        }
    }
    CloseHandle(file);
}

MapFile::~MapFile() {
    if (data_ != nullptr) {
        UnmapViewOfFile(data_);
    }
    if (mapping_ != nullptr) {
        CloseHandle(mapping_);
    }
}

std::unique_ptr<OFStream> FStream::openFile(const String& path, FileMode mode) {
    const wchar_t* how = nullptr;
    switch (mode) {
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

MapFile::MapFile(const String& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        void* view =
            ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (view != MAP_FAILED) {
            data_ = static_cast<const unsigned char*>(view);
            size_ = static_cast<std::uint64_t>(info.st_size);
        }
    }
    ::close(fd);
}

MapFile::~MapFile() {
    if (data_ != nullptr) {
        ::munmap(const_cast<unsigned char*>(data_), static_cast<std::size_t>(size_));
    }
}

std::unique_ptr<OFStream> FStream::openFile(const String& path, FileMode mode) {
    const char* how = nullptr;
    switch (mode) {
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
