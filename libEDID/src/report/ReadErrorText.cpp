// The localized texts of the read errors.

#include <array>

#include "libEDID/ReadError.h"
#include "report/Texts.h"

namespace libEDID {

namespace {

// Indexed by the value of ReadError; None has no text.
constexpr std::array<const char*, 9> kReadErrorTextKeys = {
    nullptr,
    "ReadErrorNotFound",
    "ReadErrorNotRegularFile",
    "ReadErrorEmpty",
    "ReadErrorBaseBlockShort",
    "ReadErrorExtensionMissing",
    "ReadErrorNoDisplay",
    "ReadErrorPermissionDenied",
    "ReadErrorReadFailed",
};
static_assert(kReadErrorTextKeys.size() == static_cast<std::size_t>(ReadError::ReadFailed) + 1);

}  // namespace

qor::String readErrorText(ReadError error) {
    const auto index = static_cast<std::size_t>(error);
    const char* key = index < kReadErrorTextKeys.size() ? kReadErrorTextKeys[index] : nullptr;
    if (key == nullptr) {
        return qor::String::EMPTY();
    }
    const detail::TextScope texts;
    return detail::text(key);
}

}  // namespace libEDID
