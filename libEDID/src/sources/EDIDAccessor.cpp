#include "libEDID/EDIDAccessor.h"

#include "sources/ClassLogger.h"

namespace libEDID {

namespace {
qor::Logger* logger() {
    static qor::Logger* const instance = detail::classLogger("EDIDAccessor");
    return instance;
}
}  // namespace

EDIDAccessor::~EDIDAccessor() = default;

bool EDIDAccessor::dumpToFile(const qor::String& /*fileName*/) {
    return false;
}

qor::String EDIDAccessor::hexDump() {
    return qor::String::EMPTY();
}

bool EDIDAccessor::readStructure(unsigned int offset, void* out, unsigned int length) {
    qor::Logger* const log = logger();
    qor::TraceLogger trace(log->isEnabled(1) ? log : nullptr, "EDIDAccessor::readStructure",
                           __FILE__, __LINE__);
    if (!accessible) {
        return false;
    }
    const int count = read(offset, length, out);
    if (count < 0) {
        QOR_LOG(log, 3, "30 " + "Error returned from read of EDID, error # = " + count);
        return false;
    }
    if (static_cast<unsigned int>(count) == length) {
        return true;
    }
    QOR_LOG(log, 3, "34 " + "amount read (" + count + ") != expected amount (" + length + ")");
    return false;
}

}  // namespace libEDID
