#include "libEDID/EDIDAccessorBuffer.h"

#include <utility>

#include "qor/Files.h"
#include "qor/HexDumpFormat.h"
#include "sources/ByteRange.h"
#include "sources/ClassLogger.h"

namespace libEDID {

namespace {

qor::Logger* logger() {
    static qor::Logger* const instance = detail::classLogger("EDIDAccessorBuffer");
    return instance;
}

}  // namespace

// An empty buffer is accessible by the rules of the memory source, yet holds no EDID.
EDIDAccessorBuffer::EDIDAccessorBuffer(const qor::Buffer<unsigned char>& data) : buffer(data) {
    accessible = true;
    if (buffer.isEmpty()) {
        sourceError = ReadError::Empty;
    }
}

EDIDAccessorBuffer::EDIDAccessorBuffer(const char* data, unsigned int length) {
    if (length != 0) {
        buffer.assign(data, length);
        accessible = true;
    }
    if (buffer.isEmpty()) {
        sourceError = ReadError::Empty;
    }
}

EDIDAccessorBuffer::EDIDAccessorBuffer(EDIDAccessorBuffer&& other) noexcept
    : EDIDAccessor(other), buffer(std::move(other.buffer)) {
    other.buffer.clear();
}

EDIDAccessorBuffer& EDIDAccessorBuffer::operator=(const EDIDAccessorBuffer& other) {
    EDIDAccessor::operator=(other);
    if (this != &other) {
        buffer = other.buffer;
    }
    return *this;
}

EDIDAccessorBuffer& EDIDAccessorBuffer::operator=(EDIDAccessorBuffer&& other) noexcept {
    EDIDAccessor::operator=(other);
    if (this != &other) {
        buffer = std::move(other.buffer);
        other.buffer.clear();
    }
    return *this;
}

EDIDAccessorBuffer::~EDIDAccessorBuffer() = default;

int EDIDAccessorBuffer::read(unsigned int offset, unsigned int length, void* out) {
    if (detail::copyInside(buffer.data(), buffer.size(), offset, length, out)) {
        return static_cast<int>(length);
    }
    QOR_LOG(logger(), 3, "33 " + "trying to read past the end of input EDID buffer");
    return -1;
}

bool EDIDAccessorBuffer::dumpToFile(const qor::String& fileName) {
    std::unique_ptr<qor::OFStream> out =
        qor::FStream::openFile(fileName, qor::FileMode::CREATE_NEW_BINARY);
    if (!out) {
        QOR_LOG(logger(), 3, "45 " + "Unable to open file: " + "\"" + fileName + "\"");
        return false;
    }
    return out->write(buffer.data(), buffer.size());
}

qor::String EDIDAccessorBuffer::hexDump() {
    return qor::HexDumpFormat(buffer.data(), static_cast<unsigned int>(buffer.size()), 0, 0)
        .toString();
}

}  // namespace libEDID
