#pragma once

#include "libEDID/EDIDAccessor.h"
#include "qor/Buffer.h"

namespace libEDID {

/// EDID bytes stored in a file (raw base block and extension blocks), read into memory once at
/// construction, so that later changes to the file (it shrinks, grows or is replaced) never
/// affect the accessor.
class LIBEDID_API EDIDAccessorFile : public EDIDAccessor {
  public:
    /// The most that is read: the base block and the 255 extension blocks that byte 7Eh can
    /// announce. The bytes of a longer file beyond this are never read (nor dumped).
    static constexpr unsigned int MAX_FILE_SIZE = 256 * 128;

    /// Accessible when the file is a regular, non-empty file that could be read. Anything else
    /// (a folder, FIFO, device or socket) is never opened for reading, so the constructor does
    /// not block.
    explicit EDIDAccessorFile(const qor::String& fileName);
    EDIDAccessorFile(const EDIDAccessorFile&) = delete;
    EDIDAccessorFile& operator=(const EDIDAccessorFile&) = delete;
    ~EDIDAccessorFile() override;

    int read(unsigned int offset, unsigned int length, void* out) override;
    /// Writes the bytes read to a new file; fails when anything exists at `fileName`.
    bool dumpToFile(const qor::String& fileName) override;
    qor::String hexDump() override;

  private:
    qor::Buffer<unsigned char> readAll();

    qor::String fileName;
    qor::Buffer<unsigned char> content;
};

}  // namespace libEDID
