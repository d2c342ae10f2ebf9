// Linux backend: the displays are the DRM connectors that the kernel lists as
// "card<N>-<connector>" folders under /sys/class/drm (or the configured root), and a display's
// EDID is the content of the connector's "edid" attribute, which is empty while nothing is
// connected.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <tuple>
#include <vector>

#include "../DisplayBackend.h"
#include "qorwin/Displays.h"

namespace libqorwin::detail {

namespace {

namespace fs = std::filesystem;

// The base block and at most 255 extension blocks (the count byte at 7Eh): the most an EDID
// can hold, and the most read from any file, whatever the file claims.
constexpr std::size_t MAX_EDID_BYTES = 256 * 128;

struct Connector {
    unsigned long card = 0;
    std::string name;    // "HDMI-A-1"
    std::string folder;  // "<root>/card0-HDMI-A-1"
    std::string entry;   // "card0-HDMI-A-1"
};

// Splits "card<N>-<connector>" into the card number and the connector name; false for every
// other entry of the folder (the cards themselves, render nodes, "version").
bool parseConnectorEntry(const std::string& entry, Connector& out) {
    constexpr std::string_view prefix = "card";
    constexpr std::size_t maxDigits = 9;
    if (entry.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    std::size_t pos = prefix.size();
    unsigned long card = 0;
    while (pos < entry.size() && entry[pos] >= '0' && entry[pos] <= '9') {
        if (pos - prefix.size() == maxDigits) {
            return false;
        }
        card = card * 10 + static_cast<unsigned long>(entry[pos] - '0');
        ++pos;
    }
    if (pos == prefix.size() || pos + 1 >= entry.size() || entry[pos] != '-') {
        return false;
    }
    out.card = card;
    out.name = entry.substr(pos + 1);
    out.entry = entry;
    return true;
}

// Closes a file descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Reads up to `limit` bytes of a regular file into `out`. Fails when the file is missing, not
// a regular file (a FIFO or device would block or never end) or cannot be read.
EDIDStatus readRegularFile(const std::string& path, std::size_t limit,
                           qor::Buffer<unsigned char>& out) {
    out.clear();
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        return errno == EACCES || errno == EPERM ? EDIDStatus::PermissionDenied
                                                 : EDIDStatus::ReadFailed;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return EDIDStatus::ReadFailed;
    }
    out.resize(limit);
    std::size_t total = 0;
    while (total < limit) {
        const ssize_t n = ::read(file.get(), out.data() + total, limit - total);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            out.clear();
            return EDIDStatus::ReadFailed;
        }
        if (n == 0) {
            break;
        }
        total += static_cast<std::size_t>(n);
    }
    out.resize(total);
    return EDIDStatus::OK;
}

std::string edidFileOf(const std::string& folder) {
    return folder + "/edid";
}

// A connector counts as a display when its edid attribute can be read and is not empty.
bool hasEdid(const std::string& folder) {
    qor::Buffer<unsigned char> firstByte;
    return readRegularFile(edidFileOf(folder), 1, firstByte) == EDIDStatus::OK &&
           !firstByte.isEmpty();
}

std::vector<Connector> listConnectorsWithEdid(const std::string& root) {
    std::vector<Connector> connectors;
    std::error_code error;
    for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        Connector connector;
        if (!parseConnectorEntry(it->path().filename().string(), connector)) {
            continue;
        }
        connector.folder = it->path().string();
        std::error_code ignored;
        if (fs::is_directory(it->path(), ignored) && hasEdid(connector.folder)) {
            connectors.push_back(std::move(connector));
        }
    }
    std::sort(connectors.begin(), connectors.end(), [](const Connector& a, const Connector& b) {
        return std::tie(a.card, a.name) < std::tie(b.card, b.name);
    });
    return connectors;
}

}  // namespace

qor::Array<Display> enumerateDisplays() {
    qor::Array<Display> displays;
    for (const Connector& connector : listConnectorsWithEdid(Displays::getSysfsRoot().str())) {
        displays.append(Display(connector.entry, connector.folder, connector.name));
    }
    return displays;
}

EDIDStatus readEDID(const Display& display, qor::Buffer<unsigned char>& edid) {
    return readRegularFile(edidFileOf(display.getDisplayPath().str()), MAX_EDID_BYTES, edid);
}

}  // namespace libqorwin::detail
