#include "TextReport.h"

#include <array>
#include <string_view>

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
    std::string_view title;
    std::string_view colour;
};

// Most severe first.
constexpr std::array<SeverityGroup, 3> kGroups = {{
    {2, "Errors", kRed},
    {1, "Warnings", kYellow},
    {0, "Information", kDim},
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

void writeHeader(std::ostream& out, const Examination& examination, const Painter& painter) {
    std::string header = examination.source + ": ";
    if (examination.ok) {
        header += examination.identifier.value_or("");
    } else {
        header += "EDID not read";
    }
    painter.write(out, kBold, visible(header));
    out << '\n';
}

void writeGroup(std::ostream& out, const Examination& examination, const SeverityGroup& group,
                const Painter& painter) {
    std::size_t count = 0;
    for (const Finding& finding : examination.messages) {
        count += finding.level == group.level ? 1 : 0;
    }
    if (count == 0) {
        return;
    }
    painter.write(out, group.colour,
                  "  " + std::string(group.title) + " (" + std::to_string(count) + "):");
    out << '\n';
    for (const Finding& finding : examination.messages) {
        if (finding.level == group.level) {
            writeLines(out, finding.text, "    [" + categoryName(finding.category) + "] ",
                       "      ");
        }
    }
}

void writeProperties(std::ostream& out, const Examination& examination) {
    out << "  Properties:\n";
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
    writeHeader(out, examination, painter);
    writeLines(out, examination.edidString, "  ", "  ");
    for (const SeverityGroup& group : kGroups) {
        if (group.level > 0 || settings.allMessages) {
            writeGroup(out, examination, group, painter);
        }
    }
    if (settings.properties && examination.ok) {
        writeProperties(out, examination);
    }
    if (settings.hexDump && !examination.hexDump.empty()) {
        out << "  Hex dump:\n";
        writeLines(out, examination.hexDump, "    ", "    ");
    }
    out << '\n';
}

}  // namespace edidcheck
