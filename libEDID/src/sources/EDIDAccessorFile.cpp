#include "libEDID/EDIDAccessorFile.h"

#include "parser/ClassLogger.h"
#include "qor/Buffer.h"
#include "qor/HexDumpFormat.h"
#include "sources/ByteRange.h"

namespace libEDID {

namespace {

qor::Logger* logger() {
    static qor::Logger* const instance = detail::classLogger("EDIDAccessorFile");
    return instance;
}

}  // namespace

EDIDAccessorFile::EDIDAccessorFile(const qor::String& path) : fileName(path), mapFile(path) {
    if (mapFile.getPointer() != nullptr && mapFile.getFileSize() != 0) {
        accessible = true;
        return;
    }
    QOR_LOG(logger(), 4, "23 " + "The provided EDID file is invalid or is of size 0");
}

EDIDAccessorFile::~EDIDAccessorFile() = default;

int EDIDAccessorFile::read(unsigned int offset, unsigned int length, void* out) {
    if (detail::copyInside(mapFile.getPointer(), mapFile.getFileSize(), offset, length, out)) {
        return static_cast<int>(length);
    }
    QOR_LOG(logger(), 4, "33 " + "trying to read past the end of input EDID file");
    return -1;
}

bool EDIDAccessorFile::dumpToFile(const qor::String& target) {
    std::unique_ptr<qor::OFStream> out =
        qor::FStream::openFile(target, qor::FileMode::CREATE_WRITE_BINARY);
    if (!out) {
        QOR_LOG(logger(), 3, "49 " + "Unable to open file: " + "\"" + target + "\"");
        return false;
    }
    // Files beyond what a 32-bit length describes are not provided for.
    const auto size = static_cast<unsigned int>(mapFile.getFileSize());
    qor::Buffer<unsigned char> bytes;
    bytes.resize(size);
    read(0, size, bytes.data());
    return out->write(bytes.data(), bytes.size());
}

qor::String EDIDAccessorFile::hexDump() {
    const auto size = static_cast<unsigned int>(mapFile.getFileSize());
    qor::Buffer<unsigned char> bytes;
    bytes.resize(size);
    read(0, size, bytes.data());
    return qor::HexDumpFormat(bytes.data(), bytes.size(), 0, 0).toString();
}

}  // namespace libEDID
