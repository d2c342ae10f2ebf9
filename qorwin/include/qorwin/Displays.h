#pragma once

#include "qor/Array.h"
#include "qor/Export.h"
#include "qor/String.h"
#include "qorwin/Display.h"

namespace libqorwin {

/// The displays of the running system, listed once at construction in a fixed order (see
/// docs/display-source.md for what each platform lists), the same class on every system. The
/// find operations compare ASCII letters case-insensitively and return the index of the first
/// match, or NOT_FOUND.
class QOR_API Displays {
  public:
    /// The index that means "no such display".
    static constexpr unsigned int NOT_FOUND = 0xFFFFFFFF;

    /// Enumerates the displays at this moment. Displays that vanish or cannot be read while
    /// the list is built are left out; nothing throws for them.
    Displays();

    unsigned int findByPortLocator(const qor::String& portLocator) const;
    unsigned int findByDisplayPath(const qor::String& displayPath) const;
    unsigned int findByDisplayName(const qor::String& displayName) const;

    /// The display at `index` (below size()); any other index throws qor::AssertionFailure.
    const Display& operator[](unsigned int index) const;
    unsigned int size() const { return static_cast<unsigned int>(displays_.size()); }

    /// Linux only: the folder whose "card<N>-<connector>" entries are listed instead of
    /// /sys/class/drm, for every list built afterwards in this process. An empty path restores
    /// the default, which is the environment variable QORWIN_DRM_ROOT when it is set and not
    /// empty, else /sys/class/drm. The Windows backend ignores it.
    static void setSysfsRoot(const qor::String& path);
    /// The folder that the next list on Linux will be built from, after the rules above.
    static qor::String getSysfsRoot();

  private:
    qor::Array<Display> displays_;
};

}  // namespace libqorwin
