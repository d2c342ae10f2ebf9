#include "HtmlReport.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <tuple>

#include "ReportFacts.h"
#include "ReportTexts.h"
#include "Terminal.h"
#include "libEDID/ColorGamut.h"

namespace edidcheck {

namespace {

constexpr std::string_view kStyle = R"css(
:root{--fg:#1d2330;--muted:#5d6675;--bg:#fff;--line:#d8dde6;--err:#b3261e;--warn:#8a5a00;--ok:#1e7a34}
*{box-sizing:border-box}
body{font:15px/1.45 system-ui,sans-serif;color:var(--fg);background:#f4f6f9;margin:0;padding:12px}
h1{font-size:1.3em;margin:4px 0 12px}
section.source{background:var(--bg);border:1px solid var(--line);border-radius:8px;padding:12px 14px;margin:0 0 16px;max-width:1100px}
section.source>header h2{font-size:1.1em;margin:0;word-break:break-all}
.identity{margin:2px 0;color:var(--muted)}
.verdict{display:inline-block;font-weight:700;padding:2px 10px;border-radius:12px;color:#fff;background:var(--ok)}
.verdict.warn{background:var(--warn)}.verdict.error{background:var(--err)}
h3{font-size:1em;margin:14px 0 6px;border-bottom:1px solid var(--line)}
ol.findings{padding-left:1.4em;margin:4px 0}
li.finding{margin:3px 0}li.finding.error::marker{color:var(--err)}li.finding.warning::marker{color:var(--warn)}
li.finding code{font-size:.85em;color:var(--muted)}
li.finding.active{background:#fff3b0}
a.bytes{font-family:ui-monospace,monospace;font-size:.85em;margin-left:.4em}
.columns{display:flex;flex-wrap:wrap;gap:16px;align-items:flex-start}
.columns>div{flex:1 1 300px;min-width:0}
svg.gamut{width:100%;max-width:420px;height:auto;background:#fff}
svg.gamut .locus{fill:#f1f3f8;stroke:#6b7280}
svg.gamut polygon,svg.gamut path,svg.gamut line{vector-effect:non-scaling-stroke}
svg.gamut .grid{stroke:#e5e7eb}
svg.gamut .ref{fill:none;stroke-width:1.2}
svg.gamut .ref-srgb{stroke:#2563eb;stroke-dasharray:4 3}
svg.gamut .ref-dci-p3{stroke:#059669;stroke-dasharray:6 3}
svg.gamut .ref-bt2020{stroke:#9333ea;stroke-dasharray:2 3}
svg.gamut .display{fill:rgba(220,38,38,.12);stroke:#dc2626;stroke-width:2}
svg.gamut .white{fill:#111}
svg.gamut text{font-size:11px;fill:#555}
table{border-collapse:collapse;font-size:.93em}
td,th{padding:2px 8px 2px 0;text-align:left;vertical-align:top}
table.coverage td.share{text-align:right;font-variant-numeric:tabular-nums}
table.modes td.rate{text-align:right;font-variant-numeric:tabular-nums}
table.modes tr.preferred td{font-weight:700}
.mark{font-size:.8em;padding:0 4px;border-radius:3px;background:#e5e7eb}
.mark.preferred{background:#dbeafe}.mark.native{background:#dcfce7}.mark.y420{background:#fef3c7}
.swatch{display:inline-block;width:14px;border-top:2px dashed;margin-right:4px;vertical-align:middle}
.swatch.ref-srgb{border-color:#2563eb}.swatch.ref-dci-p3{border-color:#059669}.swatch.ref-bt2020{border-color:#9333ea}
.hex{font-family:ui-monospace,monospace;font-size:13px;line-height:1.6;overflow-x:auto}
.hex .row{white-space:nowrap}
.hex .addr{color:var(--muted);margin-right:6px}
.hex .b{padding:0 2px;border-radius:2px;cursor:default}
.hex .b.start{margin-left:3px}
.hex .b.hit{outline:2px solid var(--err);outline-offset:-1px;font-weight:700}
.hex .b.lit,.hex .b:target{background:#ffd54f!important}
.field{min-height:1.5em;font-size:.9em;color:var(--muted);margin:4px 0}
.k-header,.k-checksum,.k-extension-count{background:#e5e7eb}
.k-vendor-product{background:#dbeafe}.k-version{background:#e0e7ff}.k-basic-parameters{background:#fce7f3}
.k-chromaticity{background:#fee2e2}.k-established-timings{background:#fef3c7}.k-standard-timings{background:#fde68a}
.k-detailed-timing,.k-cta-detailed-timing,.k-vesa-timing{background:#d1fae5}.k-display-descriptor{background:#cffafe}
.k-cta-header,.k-displayid-header,.k-vesa-header{background:#ede9fe}
.k-cta-data-block,.k-displayid-data-block,.k-vesa-data{background:#e0f2fe}
.k-cta-padding,.k-displayid-padding,.k-vesa-padding,.k-extension{background:#f3f4f6;color:#6b7280}
@media (max-width:600px){body{padding:6px}section.source{padding:10px 8px}.hex{font-size:11px}}
)css";

// Shows the field of a byte when it is hovered or tapped, and lights up the bytes of a finding
// when its link is followed.
constexpr std::string_view kScript = R"js(
document.addEventListener('mouseover',show);document.addEventListener('click',show);
function show(e){var b=e.target.closest('.b');if(!b)return;
var s=b.closest('section');var f=s&&s.querySelector('.field');if(f)f.textContent=b.title;}
document.addEventListener('click',function(e){var a=e.target.closest('a.bytes');if(!a)return;
var li=a.closest('li');document.querySelectorAll('.lit,.active').forEach(function(x){x.classList.remove('lit','active');});
li.classList.add('active');
document.querySelectorAll('[data-f~="'+li.id+'"]').forEach(function(x){x.classList.add('lit');});});
)js";

void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
}

std::string hexByte(unsigned value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    return {kDigits[(value >> 4) & 0x0F], kDigits[value & 0x0F]};
}

std::string offsetText(unsigned offset) {
    return hexByte(offset >> 8).substr(1) + hexByte(offset & 0xFF) + "h";
}

// Builds one source's section.
class SourceWriter {
  public:
    SourceWriter(std::string& out, const Examination& examination, unsigned number)
        : out_(out),
          examination_(examination),
          facts_(factsOf(examination)),
          findings_(findingsBySeverity(examination)),
          prefix_(std::string("s").append(std::to_string(number))) {}

    void write() {
        out_ += "<section class=\"source\" id=\"" + prefix_ + "\">\n";
        writeHeader();
        writeFindings();
        if (examination_.ok) {
            out_ += "<div class=\"columns\"><div>";
            writeGamut();
            out_ += "</div><div>";
            writeCapabilities();
            out_ += "</div></div>\n";
            writeModes();
            writeHexDump();
        }
        out_ += "</section>\n";
    }

  private:
    void text(std::string_view value) { out_ += htmlText(value); }

    void heading(const char* key) {
        out_ += "<h3>";
        text(reportText(key));
        out_ += "</h3>\n";
    }

    void writeHeader() {
        out_ += "<header><h2>";
        text(examination_.source);
        out_ += "</h2>\n<p class=\"identity\">";
        text(examination_.ok ? facts_.identity : reportText("ReportNotRead"));
        const char* tone = facts_.errors > 0 ? " error" : facts_.warnings > 0 ? " warn" : "";
        out_ += "</p>\n<p class=\"verdict" + std::string(tone) + "\">";
        text(verdictText(facts_.errors, facts_.warnings));
        out_ += "</p></header>\n";
    }

    std::string findingId(std::size_t index) const {
        return prefix_ + "-f" + std::to_string(index + 1);
    }

    void writeFindings() {
        if (findings_.empty()) {
            return;
        }
        heading("ReportFindings");
        out_ += "<ol class=\"findings\">\n";
        for (std::size_t i = 0; i < findings_.size(); ++i) {
            const Finding& finding = *findings_[i];
            out_ += "<li class=\"finding " + std::string(finding.level == 2 ? "error" : "warning") +
                    "\" id=\"" + findingId(i) + "\"><code>";
            text(finding.key);
            out_ += "</code> ";
            text(finding.text);
            if (finding.byteLength > 0 &&
                finding.byteOffset + finding.byteLength <= examination_.edid.size()) {
                const unsigned last = finding.byteOffset + finding.byteLength - 1;
                out_ += " <a class=\"bytes\" href=\"#" + prefix_ + "-b" +
                        std::to_string(finding.byteOffset) + "\">";
                text(reportText("ReportBytes", {{"range", finding.byteLength == 1
                                                              ? offsetText(finding.byteOffset)
                                                              : offsetText(finding.byteOffset) +
                                                                    "-" + offsetText(last)}}));
                out_ += "</a>";
            }
            out_ += "</li>\n";
        }
        out_ += "</ol>\n";
    }

    static std::string point(const libEDID::CIExy& xy) {
        return decimal(xy.x, 4) + "," + decimal(xy.y, 4);
    }

    static std::string triangle(const libEDID::ColorPrimaries& primaries) {
        return point(primaries.red) + " " + point(primaries.green) + " " + point(primaries.blue);
    }

    // CIE 1931 xy diagram: the drawing group maps x 0-0.8 and y 0-0.9 onto 400 x 450 units, y
    // upwards, so that every point is written in chromaticity coordinates.
    void writeGamut() {
        if (!facts_.primaries) {
            return;
        }
        heading("ReportColour");
        out_ += "<svg class=\"gamut\" viewBox=\"-30 -10 450 490\" role=\"img\" aria-label=\"";
        text(reportText("ReportDiagram"));
        out_ += "\">\n<g transform=\"matrix(500 0 0 -500 0 450)\">\n";
        for (int i = 1; i <= 8; ++i) {
            const std::string v = decimal(i / 10.0, 1);
            out_ += "<line class=\"grid\" x1=\"" + v + "\" y1=\"0\" x2=\"" + v +
                    "\" y2=\"0.9\"/><line class=\"grid\" x1=\"0\" y1=\"" + v +
                    "\" x2=\"0.8\" y2=\"" + v + "\"/>\n";
        }
        out_ += "<path class=\"locus\" d=\"M";
        for (const libEDID::SpectralPoint& p : libEDID::spectralLocus()) {
            out_ += point(p.xy) + " ";
        }
        out_ += "Z\"/>\n";
        for (const libEDID::ReferenceGamut& reference : libEDID::referenceGamuts()) {
            out_ += "<polygon class=\"ref ref-" + std::string(reference.name) + "\" points=\"" +
                    triangle(reference.primaries) + "\"/>\n";
        }
        out_ += "<polygon class=\"display\" points=\"" + triangle(*facts_.primaries) + "\"/>\n";
        out_ += "<circle class=\"white\" r=\"0.006\" cx=\"" +
                decimal(facts_.primaries->white.x, 4) + "\" cy=\"" +
                decimal(facts_.primaries->white.y, 4) + "\"/>\n</g>\n";
        for (int i = 0; i <= 8; i += 2) {
            const std::string v = decimal(i / 10.0, 1);
            out_ += "<text x=\"" + std::to_string(i * 50) + "\" y=\"468\">" + v +
                    "</text><text x=\"-28\" y=\"" + std::to_string(454 - i * 50) + "\">" + v +
                    "</text>\n";
        }
        out_ += "</svg>\n<table class=\"coverage\">\n";
        for (const GamutShare& share : facts_.gamut) {
            out_ += "<tr class=\"cov-" + share.id + "\"><td><span class=\"swatch ref-" + share.id +
                    "\"></span>";
            text(share.name);
            out_ += "</td><td class=\"share\">" + decimal(share.share * 100, 1) + " %</td></tr>\n";
        }
        out_ += "</table>\n";
    }

    // One row per mode, largest first; the marks name the preferred and native modes and
    // those that may be sent as YCbCr 4:2:0.
    void writeModes() {
        if (facts_.modes.empty()) {
            return;
        }
        heading("ReportModes");
        out_ += "<table class=\"modes\">\n<tr><th>";
        text(reportText("ReportModeResolution"));
        out_ += "</th><th>";
        text(reportText("ReportModeRate"));
        out_ += "</th><th>";
        text(reportText("ReportModeMarks"));
        out_ += "</th></tr>\n";
        for (const ModeRow& mode : facts_.modes) {
            out_ += std::string("<tr") + (mode.preferred ? " class=\"preferred\"" : "") + "><td>";
            text(mode.resolution);
            out_ += "</td><td class=\"rate\">";
            text(mode.rate);
            out_ += "</td><td>";
            for (const auto& [marked, key, name] :
                 {std::tuple(mode.preferred, "ReportMarkPreferred", "preferred"),
                  std::tuple(mode.native, "ReportMarkNative", "native"),
                  std::tuple(mode.ycbcr420, "ReportMark420", "y420")}) {
                if (marked) {
                    out_ += std::string("<span class=\"mark ") + name + "\">";
                    text(reportText(key));
                    out_ += "</span> ";
                }
            }
            out_ += "</td></tr>\n";
        }
        out_ += "</table>\n";
    }

    void writeCapabilities() {
        if (facts_.capabilities.empty()) {
            return;
        }
        heading("ReportCapabilities");
        out_ += "<table class=\"capabilities\">\n";
        for (const Capability& capability : facts_.capabilities) {
            out_ += "<tr><th>";
            text(capability.label);
            out_ += "</th><td>";
            text(capability.value);
            out_ += "</td></tr>\n";
        }
        out_ += "</table>\n";
    }

    // The ids of the findings whose bytes hold `offset`, separated by blanks.
    std::string findingsAt(unsigned offset) const {
        std::string ids;
        for (std::size_t i = 0; i < findings_.size(); ++i) {
            const Finding& finding = *findings_[i];
            if (offset >= finding.byteOffset && offset < finding.byteOffset + finding.byteLength) {
                if (!ids.empty()) {
                    ids += ' ';
                }
                ids += findingId(i);
            }
        }
        return ids;
    }

    void writeHexDump() {
        heading("ReportHexDump");
        out_ += "<p class=\"field\">";
        text(reportText("ReportHexHint"));
        out_ += "</p>\n<div class=\"hex\">\n";
        const std::vector<libEDID::FieldRange>& fields = examination_.fields;
        auto field = fields.begin();
        constexpr unsigned kRow = 16;
        for (unsigned offset = 0; offset < examination_.edid.size(); ++offset) {
            if (offset % kRow == 0) {
                out_ += offset == 0 ? "" : "</div>\n";
                out_ += "<div class=\"row\"><span class=\"addr\">" + offsetText(offset) + "</span>";
            }
            while (field != fields.end() && field->offset + field->length <= offset) {
                ++field;
            }
            const bool inField = field != fields.end() && field->offset <= offset;
            const std::string hits = findingsAt(offset);
            out_ += "<span class=\"b";
            if (inField) {
                out_.append(" k-").append(field->section);
                out_ += field->offset == offset ? " start" : "";
            }
            out_ += hits.empty() ? "" : " hit";
            out_ += "\" id=\"" + prefix_ + "-b" + std::to_string(offset) + "\"";
            if (inField) {
                out_ += " title=\"" + offsetText(offset) + " ";
                text(field->field);
                out_ += "\"";
            }
            if (!hits.empty()) {
                out_ += " data-f=\"" + hits + "\"";
            }
            out_.append(">").append(hexByte(examination_.edid[offset])).append("</span>");
        }
        out_ += examination_.edid.empty() ? "" : "</div>\n";
        out_ += "</div>\n";
    }

    std::string& out_;
    const Examination& examination_;
    ReportFacts facts_;
    std::vector<const Finding*> findings_;
    std::string prefix_;
};

std::string languageTag(const std::string& language) {
    std::string tag = language.empty() ? "en" : language;
    tag = tag.substr(0, tag.find('.'));  // "de_DE.UTF-8"
    std::replace(tag.begin(), tag.end(), '_', '-');
    return tag;
}

}  // namespace

std::string htmlText(std::string_view text) {
    std::string out;
    appendEscaped(out, visible(text));
    return out;
}

HtmlReport::HtmlReport(const std::string& language) : language_(languageTag(language)) {}

void HtmlReport::add(const Examination& examination) {
    SourceWriter(body_, examination, ++sources_).write();
}

void HtmlReport::write(std::ostream& out) const {
    out << "<!DOCTYPE html>\n<html lang=\"" << htmlText(language_)
        << "\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>"
        << htmlText(reportText("ReportTitle")) << "</title>\n<style>" << kStyle
        << "</style>\n</head>\n<body>\n<h1>" << htmlText(reportText("ReportTitle")) << "</h1>\n"
        << body_ << "<script>" << kScript << "</script>\n</body>\n</html>\n";
}

}  // namespace edidcheck
