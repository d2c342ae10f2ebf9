#include "Displays.h"

#include <algorithm>
#include <array>

#include "JsonWriter.h"
#include "Terminal.h"
#include "libEDID/EDIDParser.h"
#include "libEDID/SystemDisplays.h"

namespace edidcheck {

namespace {

using Row = std::array<std::string, 4>;

void writeRows(std::ostream& out, const std::vector<Row>& rows) {
    Row::size_type columns = std::tuple_size_v<Row>;
    std::array<std::size_t, std::tuple_size_v<Row>> widths{};
    for (const Row& row : rows) {
        for (Row::size_type c = 0; c < columns; ++c) {
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    for (const Row& row : rows) {
        std::string line;
        for (Row::size_type c = 0; c < columns; ++c) {
            line += row[c];
            if (c + 1 < columns) {
                line.append(widths[c] - row[c].size() + 2, ' ');
            }
        }
        out << line << '\n';
    }
}

}  // namespace

std::vector<DisplayEntry> systemDisplays() {
    return libEDID::listDisplays();
}

std::optional<std::string> displayIdentifier(const std::string& portLocator) {
    libEDID::EDIDParser parser(libEDID::openDisplay(qor::String(portLocator)));
    qor::String identifier;
    if (!parser.isAccessible() || !parser.getEDIDIdentifier(identifier, false)) {
        return std::nullopt;
    }
    return identifier.str();
}

void writeDisplayList(std::ostream& out, const std::vector<DisplayEntry>& displays, bool json) {
    std::vector<Row> rows;
    if (!json) {
        rows.push_back({"PORT", "PATH", "NAME", "IDENTIFIER"});
    }
    for (const DisplayEntry& display : displays) {
        const std::optional<std::string> identifier = displayIdentifier(display.portLocator);
        if (json) {
            JsonBuffer line;
            JsonWriter writer(line);
            writer.beginObject();
            for (const auto& [name, text] : {std::pair{"portLocator", &display.portLocator},
                                             std::pair{"displayPath", &display.displayPath},
                                             std::pair{"displayName", &display.displayName}}) {
                writer.key(name);
                writer.string(*text);
            }
            writer.key("identifier");
            writer.stringOrNull(identifier);
            writer.endObject();
            out << line.view() << '\n';
        } else {
            rows.push_back({visible(display.portLocator), visible(display.displayPath),
                            visible(display.displayName),
                            identifier ? visible(*identifier) : "(EDID not readable)"});
        }
    }
    writeRows(out, rows);
}

}  // namespace edidcheck
