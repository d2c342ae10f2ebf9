#include "Options.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string_view>
#include <utility>

#include "Categories.h"
#include "libEDID/ModeQuery.h"

#ifndef EDID_CHECK_VERSION
#define EDID_CHECK_VERSION "0"
#endif

namespace edidcheck {

namespace {

constexpr const char* kDescription =
    "Reads display EDIDs, verifies their checksums, judges every field against the E-EDID "
    "standard and reports what it found.\n\n"
    "SOURCE is a file (raw EDID bytes or hex text, told apart by content), - for standard "
    "input, or display:LOCATOR for a display of this system. Without SOURCE every display "
    "that has an EDID is examined (the bundled sample EDIDs when there is none).\n";

constexpr const char* kExamples =
    "Examples:\n"
    "  edid-check                          examine every display of this system\n"
    "  edid-check --list                   list the displays and their identifiers\n"
    "  edid-check monitor.bin edid.hex     examine two files\n"
    "  edid-check display:card0-HDMI-A-1   examine one display by its port\n"
    "  edid-check --finder name display:HDMI-A-1\n"
    "  xrandr --verbose | edid-check -     read the first EDID block of xrandr\n"
    "  edid-check --json edids/*.bin > report.jsonl\n"
    "  edid-check --from-file sources.txt  examine the sources listed in the file\n"
    "  edid-check --summary --html report.html monitor.bin\n"
    "  edid-check --ignore-category srgb --all-messages --properties monitor.bin\n\n"
    "Exit status: 0 all sources read and no error found, 1 an error (level 2) was found, "
    "2 a source could not be read or the arguments are wrong.\n";

const std::map<std::string, libEDID::EDIDAccessor::EDIDFINDER>& findersByName() {
    static const std::map<std::string, libEDID::EDIDAccessor::EDIDFINDER> table = {
        {"port", libEDID::EDIDAccessor::FIND_BY_PORT_LOCATOR},
        {"path", libEDID::EDIDAccessor::FIND_BY_DISPLAY_PATH},
        {"name", libEDID::EDIDAccessor::FIND_BY_DISPLAY_NAME},
    };
    return table;
}

// Accepts a name of `table` or one of its numbers and leaves the number in the option; the
// error text lists the names.
template <typename Number>
CLI::Validator nameOrNumber(const std::map<std::string, Number>& table, const char* what) {
    return CLI::Validator(
        [&table, what](std::string& value) -> std::string {
            if (const auto found = table.find(value); found != table.end()) {
                value = std::to_string(static_cast<int>(found->second));
                return {};
            }
            for (const auto& [name, number] : table) {
                if (value == std::to_string(static_cast<int>(number))) {
                    return {};
                }
            }
            std::string names;
            for (const auto& [name, number] : table) {
                names += (names.empty() ? "" : ", ") + name;
            }
            return "unknown " + std::string(what) + " \"" + value + "\" (one of " + names +
                   " or its number)";
        },
        "", "");
}

void addOptions(CLI::App& app, Options& options) {
    app.add_option("SOURCE", options.sources, "File, - (standard input) or display:LOCATOR");
    app.add_option("--from-file", options.sourceLists,
                   "Also examine the sources listed in this file, one per line (- for standard "
                   "input); repeatable")
        ->option_text("LIST")
        ->allow_extra_args(false);
    app.add_option("--finder", options.finder,
                   "What the LOCATOR of display:LOCATOR names: port (default), path or name")
        ->transform(nameOrNumber(findersByName(), "finder"))
        ->option_text("port|path|name");
    app.add_flag("--list", options.list,
                 "List the displays (port locator, path, name, identifier) and stop");
    app.add_flag("--json", options.json, "One JSON object per source and line");
    app.add_flag("--all-messages", options.allMessages,
                 "Text report: also the level-0 messages (decoded values)");
    app.add_flag("--properties", options.properties, "Text report: also the properties");
    app.add_flag("--base-only", options.baseOnly,
                 "Judge the base block only; extension blocks keep their tag and checksum (the "
                 "conformity checks of the base block still run)");
    app.add_flag("--no-conformity", options.noConformity,
                 "Judge each section on its own only: no conformity checks of the EDID as a "
                 "whole (limits across sections and blocks, the standards' recommendations)");
    app.add_flag("--hexdump", options.hexDump, "Text report: also the hex dump of the source");
    app.add_option("--ignore-category", options.ignoredCategories,
                   "Do not store messages of this category (0-21 or its name, e.g. srgb, "
                   "cta-extension, block-structure); "
                   "repeatable")
        ->transform(nameOrNumber(categoriesByName(), "category"))
        ->option_text("N")
        ->allow_extra_args(false);
    app.add_option("--lang", options.language,
                   "Language of the reports: en (default) or de; a locale such as de_AT uses "
                   "its language")
        ->option_text("CODE");
    app.add_option("--log-level", options.logLevel,
                   "Write the library's technical log lines of this priority and above to "
                   "stderr (1 traces, 3 failures of sources)")
        ->option_text("N");
    app.add_flag("--dump", options.dump,
                 "Write each EDID read to edid_dump_<locator>_<time>.bin in the current folder");
    app.add_flag("--modes", options.modes,
                 "The modes the display accepts, merged over every source, as a table");
    app.add_option("--can", options.can,
                   "Whether the display takes a mode, e.g. 3840x2160@120, 1920x1080i@60, "
                   "3840x2160@60,hdr10,10bit (options hdr10 hlg 420 6bit-16bit); repeatable; "
                   "exit status 0 when every request is met, else 1")
        ->option_text("MODE")
        ->allow_extra_args(false)
        ->check([](const std::string& value) {
            return libEDID::ModeRequest::parse(value) ? std::string()
                                                      : "not a mode request: \"" + value + "\"";
        });
    app.add_flag("--summary", options.summary,
                 "A compact report per source: identity, verdict, findings, modes, colour, "
                 "capabilities");
    app.add_option("--html", options.html,
                   "Also write one self-contained HTML report of every source to FILE")
        ->option_text("FILE");
    app.set_version_flag("--version", std::string("edid-check ") + EDID_CHECK_VERSION);
    app.footer(kExamples);
}

// Appends the lines of a source list to `sources`: one source per line, line ends LF or CR LF,
// empty lines and a leading UTF-8 byte order mark skipped. False on a read error.
bool appendLines(std::istream& in, std::vector<std::string>& sources) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    bool firstLine = true;
    for (std::string line; std::getline(in, line);) {
        if (std::exchange(firstLine, false) && line.starts_with(kByteOrderMark)) {
            line.erase(0, kByteOrderMark.size());
        }
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        if (!line.empty()) {
            sources.push_back(std::move(line));
        }
    }
    return !in.bad();
}

// The list file `list` (- for standard input); false when it cannot be read.
bool appendSourceList(const std::string& list, std::vector<std::string>& sources) {
    if (list == "-") {
        return appendLines(std::cin, sources);
    }
    std::error_code ignored;
    std::ifstream file;
    if (!std::filesystem::is_directory(list, ignored)) {
        file.open(list, std::ios::binary);
    }
    return file.is_open() && appendLines(file, sources);
}

}  // namespace

std::optional<int> parseOptions(int argc, const char* const* argv, Options& options) {
    CLI::App app(kDescription, "edid-check");
    // Off on every system: an absolute path such as /tmp/x.bin is a SOURCE, not an option.
    app.allow_windows_style_options(false);
    addOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) {
        app.exit(done, std::cout, std::cerr);
        return 0;
    } catch (const CLI::ParseError& error) {
        std::cerr << "edid-check: " << error.what() << " (see edid-check --help)\n";
        return 2;
    }
    for (const std::string& list : options.sourceLists) {
        if (!appendSourceList(list, options.sources)) {
            std::cerr << "edid-check: cannot read the source list " << list << '\n';
            return 2;
        }
    }
    if (options.list && !options.sources.empty()) {
        std::cerr << "edid-check: --list takes no SOURCE (see edid-check --help)\n";
        return 2;
    }
    return std::nullopt;
}

}  // namespace edidcheck
