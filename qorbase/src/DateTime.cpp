#include "qor/DateTime.h"

#include <ctime>

namespace qor {

DateTime DateTime::getCurrentDateTime() {
    return DateTime(static_cast<std::int64_t>(std::time(nullptr)));
}

int DateTime::getYear() const {
    const std::time_t t = static_cast<std::time_t>(seconds_);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return local.tm_year + 1900;
}

}  // namespace qor
