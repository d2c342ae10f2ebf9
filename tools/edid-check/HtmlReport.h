#pragma once

#include <ostream>
#include <string>

#include "Examination.h"

namespace edidcheck {

/// One self-contained HTML page for every source of a run: inline CSS and SVG and a few lines
/// of plain JavaScript, nothing loaded from elsewhere. Sources are added one after the other
/// (each rendered at once, so the examination may be reused) and the page is written at the
/// end. Every text that comes from an EDID, a path or the system is escaped.
class HtmlReport {
  public:
    /// `language`: a locale code such as "de_DE"; the page says lang="de-DE".
    explicit HtmlReport(const std::string& language);

    /// Renders one source: header with identity and verdict, findings with their bytes, the
    /// chromaticity diagram, modes and capabilities, the annotated hex dump.
    void add(const Examination& examination);

    /// The whole page.
    void write(std::ostream& out) const;

  private:
    std::string language_;
    std::string body_;
    unsigned sources_ = 0;
};

/// `text` with & < > " ' as character references and control characters and bytes that are not
/// UTF-8 made visible as \xNN (see visible()).
std::string htmlText(std::string_view text);

}  // namespace edidcheck
