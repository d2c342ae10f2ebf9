#include "TextReport.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "Categories.h"
#include "Terminal.h"

namespace edidcheck {

namespace {

constexpr std::string_view kBold = "\x1b[1m";
constexpr std::string_view kRed = "\x1b[31m";
constexpr std::string_view kYellow = "\x1b[33m";
constexpr std::string_view kDim = "\x1b[2m";
constexpr std::string_view kReset = "\x1b[0m";

struct SeverityGroup {
    int level;
    std::string ReportWords::*title;
    std::string_view colour;
};

// Most severe first.
constexpr std::array<SeverityGroup, 3> kGroups = {{
    {2, &ReportWords::errors, kRed},
    {1, &ReportWords::warnings, kYellow},
    {0, &ReportWords::information, kDim},
}};

class Painter {
  public:
    explicit Painter(bool enabled) : enabled_(enabled) {}

    void write(std::ostream& out, std::string_view colour, std::string_view text) const {
        if (enabled_) {
            out << colour << text << kReset;
        } else {
            out << text;
        }
    }

  private:
    bool enabled_;
};

// Writes each line of a multi-line text, the first after `firstIndent`, the others after
// `indent`; "\r\n" and "\n" both end a line; control characters within a line are made
// visible.
void writeLines(std::ostream& out, std::string_view text, std::string_view firstIndent,
                std::string_view indent) {
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        out << (first ? firstIndent : indent) << visible(line) << '\n';
        first = false;
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
}

void writeHeader(std::ostream& out, const Examination& examination, const ReportWords& words,
                 const Painter& painter) {
    std::string header = examination.source + ": ";
    if (examination.ok) {
        header += examination.identifier.value_or("");
    } else {
        header += words.notRead;
    }
    painter.write(out, kBold, visible(header));
    out << '\n';
}

// Keys of the messages that open a section of their own: one per decoded extension block.
// The message's text is the section's title; the section holds the EDID string from that text
// on and the findings from that message on, up to the next section.
constexpr std::array<std::string_view, 2> kSectionKeys{"CTABlockHeading", "DisplayIDSection"};

// A part of the report: the EDID string's part and the findings of one block.
struct Section {
    std::string_view title;  // empty for the base block
    std::string_view edidString;
    std::span<const Finding> findings;
};

std::vector<Section> sectionsOf(const Examination& examination) {
    const std::string_view edid = examination.edidString;
    const std::span<const Finding> findings = examination.messages;
    std::vector<Section> sections{{{}, edid, findings}};
    std::size_t searchFrom = 0;
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        if (std::find(kSectionKeys.begin(), kSectionKeys.end(), finding.key) ==
            kSectionKeys.end()) {
            continue;
        }
        Section& previous = sections.back();
        const std::size_t previousStart =
            static_cast<std::size_t>(previous.findings.data() - findings.data());
        previous.findings = findings.subspan(previousStart, i - previousStart);
        // The heading's text starts a line of the EDID string; the section's part follows it.
        std::size_t at = edid.find(finding.text, searchFrom);
        if (at == std::string_view::npos) {
            at = edid.size();
        }
        const std::size_t previousBegin =
            static_cast<std::size_t>(previous.edidString.data() - edid.data());
        previous.edidString = edid.substr(previousBegin, at - previousBegin);
        std::size_t bodyStart = edid.find('\n', at);
        bodyStart = bodyStart == std::string_view::npos ? edid.size() : bodyStart + 1;
        searchFrom = bodyStart;
        sections.push_back({finding.text, edid.substr(bodyStart), findings.subspan(i + 1)});
    }
    return sections;
}

void writeGroup(std::ostream& out, std::span<const Finding> findings, const SeverityGroup& group,
                const ReportWords& words, const Painter& painter) {
    std::size_t count = 0;
    for (const Finding& finding : findings) {
        count += finding.level == group.level ? 1 : 0;
    }
    if (count == 0) {
        return;
    }
    painter.write(out, group.colour,
                  "  " + words.*group.title + " (" + std::to_string(count) + "):");
    out << '\n';
    for (const Finding& finding : findings) {
        if (finding.level == group.level) {
            writeLines(out, finding.text, "    [" + categoryName(finding.category) + "] ",
                       "      ");
        }
    }
}

void writeProperties(std::ostream& out, const Examination& examination, const ReportWords& words) {
    out << "  " << words.properties << ":\n";
    for (const Property& property : examination.properties) {
        if (property.value.isArray()) {
            out << "    " << visible(property.name) << " =\n";
            for (std::size_t i = 0; i < property.value.getArraySize(); ++i) {
                out << "      " << visible(property.value.getArrayItem(i).str()) << '\n';
            }
        } else {
            out << "    " << visible(property.name) << " = " << visible(valueText(property.value))
                << '\n';
        }
    }
}

}  // namespace

std::string valueText(const qor::QORValue& value) {
    return value.toString(qor::QORValue::nilValue()).str();
}

void writeTextReport(std::ostream& out, const Examination& examination,
                     const TextReportSettings& settings) {
    const Painter painter(settings.colour);
    writeHeader(out, examination, settings.words, painter);
    for (const Section& section : sectionsOf(examination)) {
        if (!section.title.empty()) {
            std::string heading(" ");
            heading.append(section.title).append(":");
            painter.write(out, kBold, heading);
            out << '\n';
        }
        writeLines(out, section.edidString, "  ", "  ");
        for (const SeverityGroup& group : kGroups) {
            if (group.level > 0 || settings.allMessages) {
                writeGroup(out, section.findings, group, settings.words, painter);
            }
        }
    }
    if (settings.properties && examination.ok) {
        writeProperties(out, examination, settings.words);
    }
    if (settings.hexDump && !examination.hexDump.empty()) {
        out << "  " << settings.words.hexDump << ":\n";
        writeLines(out, examination.hexDump, "    ", "    ");
    }
    out << '\n';
}

}  // namespace edidcheck
