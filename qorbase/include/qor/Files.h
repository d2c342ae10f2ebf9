#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "qor/String.h"

namespace qor {

/// A read-only mapping of a whole file. A missing, unreadable or empty file, or a directory,
/// gives a null pointer and size 0; nothing throws.
class QOR_API MapFile {
  public:
    explicit MapFile(const String& path);
    ~MapFile();
    MapFile(const MapFile&) = delete;
    MapFile& operator=(const MapFile&) = delete;

    const unsigned char* getPointer() const { return data_; }
    std::uint64_t getFileSize() const { return size_; }

  private:
    const unsigned char* data_ = nullptr;
    std::uint64_t size_ = 0;
#if defined(_WIN32)
    void* mapping_ = nullptr;
#endif
};

/// How FStream::openFile opens a file.
enum class FileMode : int {
    READ_BINARY = 1,
    APPEND_BINARY = 3,
    CREATE_WRITE_BINARY = 5,  ///< create or truncate, binary, write
};

/// A file open for writing; closed when destroyed.
class QOR_API OFStream {
  public:
    explicit OFStream(std::FILE* file) : file_(file) {}
    ~OFStream();
    OFStream(const OFStream&) = delete;
    OFStream& operator=(const OFStream&) = delete;

    /// Writes all `size` bytes; true when every byte was written (0 bytes always succeed).
    bool write(const void* data, std::size_t size);

  private:
    std::FILE* file_;
};

class QOR_API FStream {
  public:
    /// The opened file, or null when it cannot be opened with that mode (READ_BINARY cannot be
    /// written and yields null here).
    static std::unique_ptr<OFStream> openFile(const String& path, FileMode mode);
};

}  // namespace qor
