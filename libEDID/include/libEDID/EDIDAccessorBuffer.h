#pragma once

#include "libEDID/EDIDAccessor.h"
#include "qor/Buffer.h"

namespace libEDID {

/// EDID bytes held in memory: the accessor keeps its own copy.
class LIBEDID_API EDIDAccessorBuffer : public EDIDAccessor {
  public:
    /// Copies the bytes; accessible in every case, also when `data` is empty.
    explicit EDIDAccessorBuffer(const qor::Buffer<unsigned char>& data);
    /// Copies `length` bytes; a length of 0 leaves the accessor not accessible, a null `data`
    /// with a length keeps no bytes but is accessible.
    EDIDAccessorBuffer(const char* data, unsigned int length);

    EDIDAccessorBuffer(const EDIDAccessorBuffer& other) = default;
    EDIDAccessorBuffer(EDIDAccessorBuffer&& other) noexcept;
    EDIDAccessorBuffer& operator=(const EDIDAccessorBuffer& other);
    EDIDAccessorBuffer& operator=(EDIDAccessorBuffer&& other) noexcept;
    ~EDIDAccessorBuffer() override;

    int read(unsigned int offset, unsigned int length, void* out) override;
    /// Writes the bytes to a new file; fails when anything exists at `fileName`.
    bool dumpToFile(const qor::String& fileName) override;
    qor::String hexDump() override;

  protected:
    /// Not accessible, no bytes; for derived sources that fill `buffer` themselves.
    EDIDAccessorBuffer() = default;

    qor::Buffer<unsigned char> buffer;
};

}  // namespace libEDID
