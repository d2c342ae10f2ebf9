#include "qorwin/Display.h"

#include <utility>

#include "DisplayBackend.h"

namespace libqorwin {

namespace {

// An EDID starts with its 128-byte base block; fewer bytes are a failed read, not an EDID.
constexpr std::size_t BASE_BLOCK_SIZE = 128;

}  // namespace

Display::Display(qor::String portLocator, qor::String displayPath, qor::String displayName)
    : portLocator_(std::move(portLocator)),
      displayPath_(std::move(displayPath)),
      displayName_(std::move(displayName)) {}

EDIDStatus Display::readEDID(qor::Buffer<unsigned char>& edid) const {
    EDIDStatus status = detail::readEDID(*this, edid);
    if (status == EDIDStatus::OK && edid.size() < BASE_BLOCK_SIZE) {
        status = edid.isEmpty() ? EDIDStatus::Empty : EDIDStatus::Short;
    }
    if (status != EDIDStatus::OK) {
        edid.clear();
    }
    return status;
}

bool Display::getEDID(qor::Buffer<unsigned char>& edid) const {
    return readEDID(edid) == EDIDStatus::OK;
}

}  // namespace libqorwin
