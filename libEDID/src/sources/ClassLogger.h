#pragma once

#include "qor/Logging.h"

namespace libEDID::detail {

/// The technical-log logger named "libEDID." + class name, created on first use and kept.
/// Use as: `static qor::Logger* const logger = classLogger("EDIDParser");`
inline qor::Logger* classLogger(const char* className) {
    qor::Logger* logger = nullptr;
    qor::LogFactory::createLogger(qor::String("libEDID.") + className, logger);
    return logger;
}

}  // namespace libEDID::detail
