#include "qorwin/WindowsDisplay.h"

#include <utility>

#include "DisplayBackend.h"

namespace libqorwin {

namespace {

// An EDID starts with its 128-byte base block; fewer bytes are a failed read, not an EDID.
constexpr std::size_t BASE_BLOCK_SIZE = 128;

}  // namespace

WindowsDisplay::WindowsDisplay(qor::String portLocator, qor::String displayPath,
                               qor::String displayName)
    : portLocator_(std::move(portLocator)),
      displayPath_(std::move(displayPath)),
      displayName_(std::move(displayName)) {}

bool WindowsDisplay::getEDID(qor::Buffer<unsigned char>& edid) const {
    if (detail::readEDID(*this, edid) && edid.size() >= BASE_BLOCK_SIZE) {
        return true;
    }
    edid.clear();
    return false;
}

}  // namespace libqorwin
