#pragma once

#include "libEDID/EDIDAccessor.h"
#include "qor/Files.h"

namespace libEDID {

/// EDID bytes stored in a file (raw base block and extension blocks), mapped once at
/// construction and kept mapped for the accessor's life.
class LIBEDID_API EDIDAccessorFile : public EDIDAccessor {
  public:
    /// Accessible when the file could be mapped and is not empty.
    explicit EDIDAccessorFile(const qor::String& fileName);
    EDIDAccessorFile(const EDIDAccessorFile&) = delete;
    EDIDAccessorFile& operator=(const EDIDAccessorFile&) = delete;
    ~EDIDAccessorFile() override;

    int read(unsigned int offset, unsigned int length, void* out) override;
    bool dumpToFile(const qor::String& fileName) override;
    qor::String hexDump() override;

  private:
    qor::String fileName;
    qor::MapFile mapFile;
};

}  // namespace libEDID
