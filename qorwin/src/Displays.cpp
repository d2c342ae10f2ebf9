#include "qorwin/Displays.h"

#include <cstdlib>
#include <mutex>

#include "DisplayBackend.h"

namespace libqorwin {

namespace {

using NameGetter = const qor::String& (Display::*)() const;

unsigned int findFirst(const qor::Array<Display>& displays, const qor::String& wanted,
                       NameGetter name) {
    for (std::size_t i = 0; i < displays.size(); ++i) {
        if (detail::equalsIgnoringCase((displays[i].*name)(), wanted)) {
            return static_cast<unsigned int>(i);
        }
    }
    return Displays::NOT_FOUND;
}

// The folder set through setSysfsRoot, shared by every thread of the process.
struct SysfsRootSetting {
    std::mutex mutex;
    qor::String path;
};

SysfsRootSetting& sysfsRootSetting() {
    static SysfsRootSetting setting;
    return setting;
}

}  // namespace

namespace detail {

bool equalsIgnoringCase(const qor::String& a, const qor::String& b) {
    if (a.size() != b.size()) {
        return false;
    }
    qor::String upperA = a;
    qor::String upperB = b;
    return upperA.toUpper() == upperB.toUpper();
}

}  // namespace detail

Displays::Displays() : displays_(detail::enumerateDisplays()) {}

unsigned int Displays::findByPortLocator(const qor::String& portLocator) const {
    return findFirst(displays_, portLocator, &Display::getPortLocator);
}

unsigned int Displays::findByDisplayPath(const qor::String& displayPath) const {
    return findFirst(displays_, displayPath, &Display::getDisplayPath);
}

unsigned int Displays::findByDisplayName(const qor::String& displayName) const {
    return findFirst(displays_, displayName, &Display::getDisplayName);
}

const Display& Displays::operator[](unsigned int index) const {
    return displays_[index];
}

void Displays::setSysfsRoot(const qor::String& path) {
    SysfsRootSetting& setting = sysfsRootSetting();
    const std::lock_guard<std::mutex> lock(setting.mutex);
    setting.path = path;
}

qor::String Displays::getSysfsRoot() {
    {
        SysfsRootSetting& setting = sysfsRootSetting();
        const std::lock_guard<std::mutex> lock(setting.mutex);
        if (!setting.path.isEmpty()) {
            return setting.path;
        }
    }
    const char* fromEnvironment = std::getenv("QORWIN_DRM_ROOT");
    if (fromEnvironment != nullptr && fromEnvironment[0] != '\0') {
        return fromEnvironment;
    }
    return "/sys/class/drm";
}

}  // namespace libqorwin
