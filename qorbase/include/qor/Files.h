#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "qor/String.h"

namespace qor {

/// What readRegularFile found.
enum class ReadResult : int {
    OK = 0,
    CANNOT_OPEN,  ///< missing or not permitted; errno (POSIX) tells why
    NOT_REGULAR,  ///< a folder, FIFO, socket or device: never opened for reading
    TOO_LARGE,    ///< larger than the limit; the first `limit` bytes were read
    READ_ERROR,
};

/// Reads a whole regular file of at most `limit` bytes into `out` without ever blocking:
/// anything but a regular file is refused before it is opened, and the file is opened
/// non-blocking and checked again on the open handle (it may have been swapped meanwhile).
QOR_API ReadResult readRegularFile(const String& path, std::size_t limit, std::string& out);

/// True when something exists at `path`: a file, a folder, or a link (also a dangling one).
QOR_API bool pathTaken(const String& path);

/// How FStream::openFile opens a file.
enum class FileMode : int {
    READ_BINARY = 1,
    APPEND_BINARY = 3,
    CREATE_WRITE_BINARY = 5,  ///< create or truncate, binary, write
    CREATE_NEW_BINARY = 6,    ///< create a file that does not exist yet, binary, write; fails on
                              ///< anything already there, a link included (never followed)
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
