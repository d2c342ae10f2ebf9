#pragma once

#include <optional>
#include <string>
#include <vector>

#include "libEDID/EDIDAccessor.h"

namespace edidcheck {

/// What the command line asks for.
struct Options {
    std::vector<std::string> sources;  ///< as given, then those of the lists; empty: the displays
    std::vector<std::string> sourceLists;  ///< --from-file: files naming one source per line
    libEDID::EDIDAccessor::EDIDFINDER finder = libEDID::EDIDAccessor::FIND_BY_PORT_LOCATOR;
    bool list = false;
    bool json = false;
    bool allMessages = false;
    bool properties = false;
    bool hexDump = false;
    bool dump = false;
    bool baseOnly = false;      ///< no decoding of extension blocks
    bool noConformity = false;  ///< no conformity checks (EDIDParser::setCheckConformity)
    std::vector<int> ignoredCategories;
    std::optional<std::string> language;
    std::optional<int> logLevel;
    bool modes = false;               ///< --modes: the merged mode list of each source
    std::vector<std::string> can;     ///< --can: mode requests, each valid for ModeRequest::parse
    bool summary = false;             ///< --summary: the compact report instead of the text one
    std::optional<std::string> html;  ///< --html FILE: also the HTML report of every source
};

/// Parses the command line into `options`. Returns an exit status when the program should stop
/// at once: 0 after --help or --version (printed to stdout), 2 after a bad argument (one line
/// on stderr).
std::optional<int> parseOptions(int argc, const char* const* argv, Options& options);

}  // namespace edidcheck
