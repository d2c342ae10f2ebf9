#include "SummaryReport.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "ReportFacts.h"
#include "ReportTexts.h"
#include "Terminal.h"

namespace edidcheck {

namespace {

constexpr std::size_t kWidth = 100;
constexpr std::size_t kLabelColumn = 14;  // where the values of labelled lines start
constexpr std::string_view kBold = "\x1b[1m";
constexpr std::string_view kRed = "\x1b[31m";
constexpr std::string_view kYellow = "\x1b[33m";
constexpr std::string_view kGreen = "\x1b[32m";
constexpr std::string_view kReset = "\x1b[0m";

// Counts UTF-8 characters, not bytes, so that "²" takes one column.
std::size_t columns(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

class SummaryWriter {
  public:
    SummaryWriter(std::ostream& out, bool colour) : out_(out), colour_(colour) {}

    void paint(std::string_view style, std::string_view text) {
        if (colour_) {
            out_ << style << text << kReset;
        } else {
            out_ << text;
        }
    }

    /// Writes `lead` (painted with `style`), then `text` word-wrapped at kWidth, its further
    /// lines indented to `indent` columns.
    void line(std::string_view lead, std::string_view style, std::string_view text,
              std::size_t indent) {
        paint(style, lead);
        std::size_t used = columns(lead);
        if (used < indent) {
            out_ << std::string(indent - used, ' ');
            used = indent;
        } else if (used > indent && !text.empty()) {
            out_ << ' ';
            ++used;
        }
        bool lineStart = true;
        while (!text.empty()) {
            const std::size_t end = text.find(' ');
            const std::string_view word = text.substr(0, end);
            if (!lineStart && used + 1 + columns(word) > kWidth) {
                out_ << '\n' << std::string(indent, ' ');
                used = indent;
                lineStart = true;
            }
            if (!lineStart) {
                out_ << ' ';
                ++used;
            }
            out_ << word;
            used += columns(word);
            lineStart = false;
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
        out_ << '\n';
    }

    void labelled(std::string_view label, std::string_view value) {
        line("  " + std::string(label), kBold, value, kLabelColumn);
    }

  private:
    std::ostream& out_;
    bool colour_;
};

// The mode table: one line per resolution, the rates in a column after the widest resolution.
void writeModes(SummaryWriter& writer, const ReportFacts& facts) {
    std::size_t width = 0;
    for (const ModeGroup& group : facts.modeGroups) {
        width = std::max(width, columns(group.resolution));
    }
    std::string label = reportText("ReportModes");
    for (const ModeGroup& group : facts.modeGroups) {
        const std::string pad(width + 2 - columns(group.resolution), ' ');
        writer.labelled(label, group.resolution + pad + group.rates);
        label.clear();
    }
}

std::string gamutLine(const ReportFacts& facts) {
    std::string text;
    for (const GamutShare& share : facts.gamut) {
        text +=
            (text.empty() ? "" : ", ") + share.name + " " + decimal(share.share * 100, 1) + " %";
    }
    return text;
}

}  // namespace

void writeSummary(std::ostream& out, const Examination& examination, bool colour) {
    SummaryWriter writer(out, colour);
    const ReportFacts facts = factsOf(examination);
    writer.line(visible(examination.source), kBold, "", 0);
    if (!examination.ok) {
        writer.line("  ", "", reportText("ReportNotRead"), 2);
        out << '\n';
        return;
    }
    if (!facts.identity.empty()) {
        writer.line("  ", "", visible(facts.identity), 2);
    }
    const std::string_view tone = facts.errors > 0 ? kRed : facts.warnings > 0 ? kYellow : kGreen;
    writer.line("  " + verdictText(facts.errors, facts.warnings), tone, "", 0);
    for (const Finding* finding : findingsBySeverity(examination)) {
        const std::string lead =
            "    " + reportText(finding->level == 2 ? "ReportError" : "ReportWarning");
        writer.line(lead, finding->level == 2 ? kRed : kYellow, visible(finding->text), 6);
    }
    if (!facts.preferredMode.empty()) {
        writer.labelled(reportText("ReportPreferred"), facts.preferredMode);
    }
    if (!facts.nativeResolution.empty()) {
        writer.labelled(reportText("ReportNative"), facts.nativeResolution);
    }
    writeModes(writer, facts);
    if (!facts.gamut.empty()) {
        writer.labelled(reportText("ReportColour"), gamutLine(facts));
    }
    for (const Capability& capability : facts.capabilities) {
        writer.labelled(capability.label, visible(capability.value));
    }
    out << '\n';
}

}  // namespace edidcheck
