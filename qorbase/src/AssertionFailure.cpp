#include "qor/Array.h"
#include "qor/Logging.h"

namespace qor {

void AssertionFailure::logAssert(const char* expression, int line, const char* file) {
    static Logger* logger = [] {
        Logger* created = nullptr;
        LogFactory::createLogger("qor.Assert", created);
        return created;
    }();
    QOR_LOG(logger, 5, "Assertion failed: " + expression + " at " + file + ":" + line);
}

}  // namespace qor
