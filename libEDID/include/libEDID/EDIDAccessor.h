#pragma once

#include "libEDID/ReadError.h"
#include "libEDID/libEDIDExport.h"
#include "qor/String.h"

namespace libEDID {

/// The source of EDID bytes that a parser reads: the base block at offset 0 and extension
/// block n at offset 128 * n.
class LIBEDID_API EDIDAccessor {
  public:
    /// How a locator names a display (EDIDContext::getEDIDAccessor).
    enum EDIDFINDER : int {
        FIND_BY_PORT_LOCATOR = 0,
        FIND_BY_DISPLAY_PATH = 1,
        FIND_BY_DISPLAY_NAME = 2,
    };

    EDIDAccessor() = default;
    EDIDAccessor(const EDIDAccessor&) = default;
    EDIDAccessor& operator=(const EDIDAccessor&) = default;
    virtual ~EDIDAccessor();

    /// Copies exactly `length` bytes at `offset` to `out` and returns `length`; returns a
    /// negative number and copies nothing when the request cannot be served.
    virtual int read(unsigned int offset, unsigned int length, void* out) = 0;
    /// Writes the source's bytes to a new file; the file sources fail, writing nothing, when
    /// anything (a file, a folder, a link) already exists at `fileName`. The base writes
    /// nothing and returns false.
    virtual bool dumpToFile(const qor::String& fileName);
    /// The source's bytes as a hex dump; the base returns an empty text.
    virtual qor::String hexDump();

    qor::String getLocator() { return locator; }
    bool isAccessible() const { return accessible; }
    /// Why the source cannot give an EDID, as far as it knows from opening it: a missing or
    /// unreadable file, a folder, an empty source, no such display. ReadError::None when it
    /// knows of nothing wrong (a source may still be too short, which only a read shows).
    ReadError getSourceError() const { return sourceError; }

    /// Reads exactly `length` bytes at `offset` through read(); false when the source is not
    /// accessible or the read fails. Note the argument order (offset, destination, length).
    bool readStructure(unsigned int offset, void* out, unsigned int length);

  protected:
    bool accessible = false;
    qor::String locator;
    ReadError sourceError = ReadError::None;
};

}  // namespace libEDID
