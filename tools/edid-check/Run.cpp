#include "Run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "DisplayReport.h"
#include "Displays.h"
#include "Examination.h"
#include "HtmlReport.h"
#include "JsonReport.h"
#include "Progress.h"
#include "Samples.h"
#include "SourceReader.h"
#include "SummaryReport.h"
#include "Terminal.h"
#include "TextReport.h"
#include "libEDID/ReadError.h"
#include "libEDID/libEDID.h"
#include "qor/Logging.h"
#include "qor/Resource.h"

namespace edidcheck {

namespace {

// Progress is shown only for batches larger than this.
constexpr std::size_t kProgressThreshold = 50;

using SourceJob = std::function<Source()>;

std::vector<SourceJob> argumentJobs(const std::vector<std::string>& arguments,
                                    SourceReader& reader) {
    std::vector<SourceJob> jobs;
    jobs.reserve(arguments.size());
    for (const std::string& argument : arguments) {
        jobs.emplace_back([&reader, &argument] { return reader.read(argument); });
    }
    return jobs;
}

// Without SOURCE: every display whose EDID can be read (one line on stderr for each other
// display), else (after one more line) the samples. The EDIDs are read here, once, so that
// every system falls back alike, whether or not its backend lists displays without an EDID.
std::vector<SourceJob> defaultJobs(SourceReader& portReader) {
    std::vector<DisplayEntry> displays;
    try {
        displays = systemDisplays();
    } catch (const std::exception& error) {
        std::cerr << "edid-check: cannot list the displays: " << error.what() << '\n';
    }
    std::vector<SourceJob> jobs;
    for (const DisplayEntry& display : displays) {
        Source source = portReader.read("display:" + display.portLocator);
        if (source.isRead()) {
            jobs.emplace_back([source = std::move(source)] { return source; });
        } else {
            std::cerr << "edid-check: " << source.name << " has no readable EDID; skipped\n";
        }
    }
    if (!jobs.empty()) {
        return jobs;
    }
    std::cerr << "edid-check: no display with an EDID found; examining the bundled sample "
                 "EDIDs\n";
    for (const EmbeddedFile& sample : sampleEdids()) {
        jobs.emplace_back([&sample] { return SourceReader::fromSample(sample); });
    }
    return jobs;
}

// A source that was read but whose base block the parser could not read: the library's
// reason, with the byte count that the tool knows.
std::string baseBlockMissing(const Source& source, const Examination& examination) {
    return source.name + ": " +
           readErrorLine(examination.readError,
                         std::to_string(source.bytes.size()) + " of 128 bytes present");
}

// Lines about a source on stderr; the name and reason may hold any byte.
void reportProblems(const Source& source, const Examination& examination, Progress& progress) {
    if (!source.isRead() || !examination.ok) {
        progress.printLine(visible(source.isRead() ? baseBlockMissing(source, examination)
                                                   : source.name + ": " + source.error));
    }
    if (examination.dumpFailed) {
        progress.printLine(visible(source.name) +
                           ": the EDID dump could not be written to the current folder");
    }
}

// Flushes std::cout and with it stdio's stdout, which it is synchronised with; false once
// either could not write.
bool outputFlushed() {
    std::cout.flush();
    return std::cout && std::ferror(stdout) == 0;
}

// Output that could not be written (a full disk, a closed stdout) is a failure: one line on
// stderr and status 2.
int checkedOutput(int status) {
    if (outputFlushed()) {
        return status;
    }
    const int error = errno;
    std::cerr << "edid-check: cannot write the output: "
              << (error != 0 ? std::strerror(error) : "write error") << '\n';
    return EXIT_NOT_READ;
}

// Writes the HTML report to `path`; one line on stderr when it cannot be written.
bool writeHtml(const HtmlReport& html, const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) {
        html.write(file);
        file.close();
    }
    if (file) {
        return true;
    }
    std::cerr << "edid-check: cannot write the HTML report to " << visible(path) << '\n';
    return false;
}

int statusOf(const Examination& examination) {
    if (!examination.ok || examination.dumpFailed) {
        return EXIT_NOT_READ;
    }
    return examination.hasErrors() ? EXIT_EDID_ERROR : EXIT_CLEAN;
}

int listDisplays(const Options& options) {
    std::vector<DisplayEntry> displays;
    try {
        displays = systemDisplays();
    } catch (const std::exception& error) {
        std::cerr << "edid-check: cannot list the displays: " << error.what() << '\n';
        return EXIT_NOT_READ;
    }
    if (displays.empty()) {
        std::cerr << "edid-check: no display with an EDID found\n";
        return EXIT_CLEAN;
    }
    writeDisplayList(std::cout, displays, options.json);
    return checkedOutput(EXIT_CLEAN);
}

// The language of a locale name ("de" of "de_AT" or "de.UTF-8"), cut as the resource database
// cuts it for its fallback.
std::string_view languageOf(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_-."));
}

// One line on stderr when the messages cannot be in the language asked for (no texts in it or
// its language), or when some of its texts are missing and read in English.
void reportTextLanguage() {
    const libEDID::TextLanguage language =
        libEDID::getTextLanguage(qor::QORLocale::getGlobalLocale());
    const std::string& requested = language.requested.str();
    if (language.used == "en" && languageOf(requested) != "en") {
        std::cerr << "edid-check: no texts in language \"" << visible(requested)
                  << "\"; the messages are in English (en)\n";
    } else if (language.fallbacks > 0) {
        std::cerr << "edid-check: " << language.fallbacks << " texts are missing in language \""
                  << visible(language.used.str()) << "\"; they are in English\n";
    }
}

}  // namespace

void applyLibrarySettings(const Options& options) {
    if (options.language) {
        qor::QORLocale::setGlobalLocale(qor::QORLocale(*options.language));
    }
    reportTextLanguage();
    if (options.logLevel) {
        qor::LogFactory::setPriority(*options.logLevel);
    }
    if (options.dump) {
        qor::Resource::setSetting("libEDID", "DumpEDID.value", "true");
    }
}

namespace {

std::vector<CanRequest> canRequests(const Options& options) {
    std::vector<CanRequest> requests;
    for (const std::string& text : options.can) {
        if (const auto request = libEDID::ModeRequest::parse(text)) {
            requests.push_back({text, *request});
        }
    }
    return requests;
}

// What --modes and --can print for one source, in place of the text report. Returns whether
// every request is met.
bool writeModeReport(const Options& options, const Examination& examination,
                     const libEDID::DisplayInfo& info, const std::vector<CanRequest>& requests) {
    if (options.modes) {
        writeModesTable(std::cout, visible(examination.source), info);
    }
    return writeCanLines(std::cout, visible(examination.source), info, requests);
}

// The members "display" (null when the base block was not read) and, with --can, "can".
// Returns whether every request is met.
bool appendModelMembers(JsonWriter& json, const Examination& examination,
                        const libEDID::DisplayInfo& info, const std::vector<CanRequest>& requests) {
    json.key("display");
    if (examination.ok) {
        writeDisplayJson(json, info);
    } else {
        json.null();
    }
    if (requests.empty()) {
        return true;
    }
    json.key("can");
    return writeCanJson(json, info, requests) && examination.ok;
}

}  // namespace

int run(const Options& options) {
    if (options.list) {
        return listDisplays(options);
    }
    SourceReader reader(options.finder);
    SourceReader portReader(libEDID::EDIDAccessor::FIND_BY_PORT_LOCATOR);
    const std::vector<SourceJob> jobs = options.sources.empty() && options.sourceLists.empty()
                                            ? defaultJobs(portReader)
                                            : argumentJobs(options.sources, reader);

    // The summary and the HTML report name the maker and the date from the properties.
    const bool reports = options.summary || options.html;
    const PropertyForm propertyForm = options.json                    ? PropertyForm::json
                                      : options.properties || reports ? PropertyForm::list
                                                                      : PropertyForm::none;
    // An EDID shorter than its extension count gets one finding: the conformity checks' when
    // they judge the block structure (with the extension decoders), the parser's otherwise.
    const bool blockConformity = !options.noConformity && !options.baseOnly;
    Examiner examiner(ExaminationSettings{options.ignoredCategories, options.hexDump,
                                          !options.baseOnly, !options.noConformity, propertyForm,
                                          options.html.has_value(), !blockConformity});
    std::optional<HtmlReport> html;
    if (options.html) {
        html.emplace(options.language.value_or("en"));
    }
    const TextReportSettings textSettings{stdoutWantsColour(), options.allMessages,
                                          options.properties, options.hexDump, reportWords()};
    Progress progress(jobs.size(), jobs.size() > kProgressThreshold && isTerminal(stderr));
    if (options.json) {
        // Each line is written whole in one call, so stdout needs no buffer of its own: through
        // stdio's (a few KiB) a typical line would be copied and leave in three writes.
        std::setvbuf(stdout, nullptr, _IONBF, 0);  // before anything is written to it
    }
    const std::vector<CanRequest> requests = canRequests(options);
    const bool modeReport = options.modes || !requests.empty();
    int status = EXIT_CLEAN;
    JsonBuffer line;  // one JSON line, its buffer reused from source to source
    for (const SourceJob& job : jobs) {
        const Source source = job();
        const Examination& examination = examiner.examine(source);
        reportProblems(source, examination, progress);
        const libEDID::DisplayInfo info = libEDID::decodeDisplayInfo(examination.edid);
        bool met = true;
        if (options.json) {
            line.clear();
            appendJsonLine(line, examination, [&](JsonWriter& json) {
                met = appendModelMembers(json, examination, info, requests);
            });
            line.append('\n');
            // Through stdio, below std::cout: one call, no stream layer.
            writeOutput(line.view());
        } else if (modeReport) {
            met = writeModeReport(options, examination, info, requests) && examination.ok;
        } else if (options.summary) {
            // Through writeOutput, so that a Windows console receives the texts as UTF-16.
            std::ostringstream summary;
            writeSummary(summary, examination, textSettings.colour);
            writeOutput(summary.view());
        } else {
            writeTextReport(std::cout, examination, textSettings);
        }
        if (html) {
            html->add(examination);
        }
        // Each source's report is out before the next source is opened.
        if (!outputFlushed()) {
            break;
        }
        // With --can the requests decide: 1 when one is not met; 2 stays for what was not read.
        const int sourceStatus = statusOf(examination);
        status = std::max(status, requests.empty() || sourceStatus == EXIT_NOT_READ
                                      ? sourceStatus
                                      : (met ? EXIT_CLEAN : EXIT_EDID_ERROR));
        progress.step();
    }
    if (html && !writeHtml(*html, *options.html)) {
        status = EXIT_NOT_READ;
    }
    return checkedOutput(status);
}

}  // namespace edidcheck
