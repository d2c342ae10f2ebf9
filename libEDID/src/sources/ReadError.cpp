// The stable names of the read errors (their localized texts are in report/ReadErrorText.cpp).

#include <array>

#include "libEDID/ReadError.h"

namespace libEDID {

namespace {

// Indexed by the value of ReadError.
constexpr std::array<const char*, 9> kReadErrorNames = {
    "none",       "not-found",         "not-regular-file",
    "empty",      "base-block-short",  "extension-missing",
    "no-display", "permission-denied", "read-failed",
};
static_assert(kReadErrorNames.size() == static_cast<std::size_t>(ReadError::ReadFailed) + 1);

}  // namespace

const char* readErrorName(ReadError error) {
    const auto index = static_cast<std::size_t>(error);
    return index < kReadErrorNames.size() ? kReadErrorNames[index] : kReadErrorNames[0];
}

}  // namespace libEDID
