#include "TimelineChecks.h"

#include <sstream>

namespace edidtest {

namespace {

using Entry = Timeline::Entry;

bool isIdentity(const Entry& e) {
    return e.kind == Entry::Kind::Property &&
           (e.name == "MonitorSerialNumber" || e.name == "MonitorModelNumber");
}

std::vector<std::string> lines(const Timeline& timeline) {
    std::istringstream in(timeline.render());
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

}  // namespace

std::vector<std::string> timelineFaults(const Timeline& timeline) {
    std::vector<std::string> faults;
    bool identitySeen = false;
    for (std::size_t i = 0; i < timeline.entries.size(); ++i) {
        const Entry& e = timeline.entries[i];
        const std::string where = "entry " + std::to_string(i + 1) + " (" + e.name + "): ";
        if (e.kind == Entry::Kind::Call) {
            if ((e.name == "verifyChecksum" || e.name == "parseEDID") && e.text != "true") {
                faults.push_back(where + "failed");
            }
            identitySeen = false;
        } else if (e.kind == Entry::Kind::Message) {
            if (e.text.empty() || e.level < 0 || e.level > 2 || (e.level == 0 && e.category != 0)) {
                faults.push_back(where + "text, level or category out of bounds");
            }
        }
        if (identitySeen && !isIdentity(e) && e.kind != Entry::Kind::Call) {
            faults.push_back(where + "follows the identity properties");
        }
        identitySeen = identitySeen || isIdentity(e);
    }
    if (!timeline.unmatchedString.empty()) {
        faults.push_back("EDID string holds text of no appended message: " +
                         timeline.unmatchedString.substr(0, 80));
    }
    return faults;
}

std::vector<std::string> entriesLostByDecoding(const Timeline& base, const Timeline& decoded) {
    const std::vector<std::string> wanted = lines(base);
    const std::vector<std::string> found = lines(decoded);
    std::vector<std::string> lost;
    std::size_t at = 0;
    for (const std::string& line : wanted) {
        std::size_t next = at;
        while (next < found.size() && found[next] != line) {
            ++next;
        }
        if (next == found.size()) {
            lost.push_back(line);
        } else {
            at = next + 1;
        }
    }
    return lost;
}

}  // namespace edidtest
