#pragma once

#include <cstdint>

#include "qor/Export.h"

namespace qor {

/// A point in time, read from the system clock.
class QOR_API DateTime {
  public:
    static DateTime getCurrentDateTime();

    /// The calendar year in local time.
    int getYear() const;
    /// Seconds since 1970-01-01 00:00 UTC.
    std::int64_t unixTimeStamp() const { return seconds_; }

  private:
    explicit DateTime(std::int64_t seconds) : seconds_(seconds) {}
    std::int64_t seconds_;
};

}  // namespace qor
