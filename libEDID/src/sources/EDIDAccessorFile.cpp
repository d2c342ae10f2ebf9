#include "libEDID/EDIDAccessorFile.h"

#include <cerrno>
#include <string>

#include "sources/ClassLogger.h"

#include "qor/Files.h"
#include "qor/HexDumpFormat.h"
#include "sources/ByteRange.h"

namespace libEDID {

namespace {

qor::Logger* logger() {
    static qor::Logger* const instance = detail::classLogger("EDIDAccessorFile");
    return instance;
}

ReadError sourceErrorOf(qor::ReadResult result, int error) {
    switch (result) {
        case qor::ReadResult::OK:
        case qor::ReadResult::TOO_LARGE:
            return ReadError::None;
        case qor::ReadResult::CANNOT_OPEN:
            return error == EACCES || error == EPERM ? ReadError::PermissionDenied
                                                     : ReadError::NotFound;
        case qor::ReadResult::NOT_REGULAR:
            return ReadError::NotRegularFile;
        case qor::ReadResult::READ_ERROR:
            return ReadError::ReadFailed;
    }
    return ReadError::ReadFailed;
}

}  // namespace

EDIDAccessorFile::EDIDAccessorFile(const qor::String& path) : fileName(path) {
    std::string bytes;
    const qor::ReadResult result = qor::readRegularFile(path, MAX_FILE_SIZE, bytes);
    sourceError = sourceErrorOf(result, errno);
    if (sourceError == ReadError::None) {
        content.assign(bytes.data(), bytes.size());
        accessible = content.size() != 0;
        if (!accessible) {
            sourceError = ReadError::Empty;
        }
    }
    if (result == qor::ReadResult::TOO_LARGE) {
        QOR_LOG(logger(), 4,
                "24 " + "The provided EDID file is longer than 32 KiB; the rest is ignored");
    }
    if (!accessible) {
        QOR_LOG(logger(), 4, "23 " + "The provided EDID file is invalid or is of size 0");
        QOR_LOG(logger(), 2,
                "25 " + "EDID file \"" + path + "\" not read: " + readErrorName(sourceError));
    }
}

EDIDAccessorFile::~EDIDAccessorFile() = default;

int EDIDAccessorFile::read(unsigned int offset, unsigned int length, void* out) {
    if (detail::copyInside(content.data(), content.size(), offset, length, out)) {
        return static_cast<int>(length);
    }
    QOR_LOG(logger(), 4, "33 " + "trying to read past the end of input EDID file");
    return -1;
}

bool EDIDAccessorFile::dumpToFile(const qor::String& target) {
    std::unique_ptr<qor::OFStream> out =
        qor::FStream::openFile(target, qor::FileMode::CREATE_NEW_BINARY);
    if (!out) {
        QOR_LOG(logger(), 3, "49 " + "Unable to open file: " + "\"" + target + "\"");
        return false;
    }
    const qor::Buffer<unsigned char> bytes = readAll();
    return out->write(bytes.data(), bytes.size());
}

qor::String EDIDAccessorFile::hexDump() {
    const qor::Buffer<unsigned char> bytes = readAll();
    return qor::HexDumpFormat(bytes.data(), static_cast<unsigned int>(bytes.size()), 0, 0)
        .toString();
}

// Through the virtual read, so that a derived source's read is honoured.
qor::Buffer<unsigned char> EDIDAccessorFile::readAll() {
    const auto size = static_cast<unsigned int>(content.size());
    qor::Buffer<unsigned char> bytes;
    bytes.resize(size);
    read(0, size, bytes.data());
    return bytes;
}

}  // namespace libEDID
