#include "ParseReport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "ParseHarness.h"
#include "qor/System.h"

namespace edidtest {

std::vector<CorpusEntry> corpusEntries(const std::string& folder) {
    std::vector<CorpusEntry> entries;
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(folder, error)) {
        if (file.path().extension() == ".bin") {
            entries.push_back({file.path().filename().string(), file.path().string()});
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const CorpusEntry& a, const CorpusEntry& b) { return a.name < b.name; });
    return entries;
}

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

namespace {

// The library's line terminator becomes "\n"; other control characters, DEL, bytes outside
// ASCII and the backslash itself are escaped so that a golden file is plain, diffable ASCII.
std::string escaped(const qor::String& text) {
    const std::string& eol = qor::System::TEXT_FILE_EOL().str();
    const std::string& raw = text.str();
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<unsigned char>(raw[i]);
        if (!eol.empty() && raw.compare(i, eol.size(), eol) == 0) {
            out += '\n';
            i += eol.size() - 1;
        } else if (byte < 0x20 || byte >= 0x7F || byte == '\\') {
            out += {'\\', 'x', "0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 0xF]};
        } else {
            out += raw[i];
        }
    }
    return out;
}

// A text, each of its lines behind "  | ". A final line terminator shows as a last, empty
// line; an empty text gives no line at all.
void appendBlock(std::string& out, const qor::String& text) {
    std::istringstream lines(text.isEmpty() ? "" : escaped(text) + '\n');
    for (std::string line; std::getline(lines, line);) {
        out += line.empty() ? "  |\n" : "  | " + line + "\n";
    }
}

const char* levelName(libEDID::LibEDIDLog::LIBEDID_LOG_LEVEL level) {
    static constexpr const char* kNames[] = {"info", "warning", "error"};
    return static_cast<unsigned>(level) < 3 ? kNames[level] : "unknown";
}

std::string kindName(const qor::QORValue& value) {
    static constexpr const char* kScalars[] = {"bool", "uchar",  "ushort",
                                               "uint", "string", "measurement"};
    const int type = value.getType();
    if (type >= 0 && type < 6) {
        return kScalars[type];
    }
    if (type == qor::QORValue::TYPE_STRING_ARRAY) {
        return "string array of " + std::to_string(value.getArraySize());
    }
    return type == qor::QORValue::TYPE_NIL ? "nil" : "type " + std::to_string(type);
}

}  // namespace

std::string renderParse(const std::string& title, libEDID::EDIDParser& parser) {
    const auto observer = std::make_shared<RecordingObserver>();
    parser.registerSysInfoObserver(observer);
    // Each call's result, followed by the size of the message log after it, so that a call
    // that logs (or parses again) shows.
    std::string out = "# " + title + "\n";
    const auto result = [&](const char* call, bool ok, const std::string& extra = "") {
        out += std::string(call) + ": " + (ok ? "true" : "false") + extra + ", messages so far " +
               std::to_string(parser.getMessages().size()) + "\n";
    };
    result("verifyChecksum(false)", parser.verifyChecksum(false));
    result("parseEDID(false)", parser.parseEDID(false));
    qor::String identifier;
    const bool identified = parser.getEDIDIdentifier(identifier, false);
    result("getEDIDIdentifier(false)", identified, " \"" + escaped(identifier) + "\"");
    qor::String edidString;
    result("getEDIDString(false)", parser.getEDIDString(edidString, false));

    const auto& messages = parser.getMessages();
    out += "\nmessages: " + std::to_string(messages.size()) + "\n";
    std::size_t number = 0;
    for (const libEDID::LibEDIDLog& m : messages) {
        out += "message " + std::to_string(++number) + ": " + escaped(m.getKey()) + ", level " +
               std::to_string(m.getLevel()) + " (" + levelName(m.getLevel()) + "), category " +
               std::to_string(m.getCategory()) + "\n";
        appendBlock(out, m.getMesg());
    }
    out += "\nproperties: " + std::to_string(observer->properties.size()) + "\n";
    number = 0;
    for (const Property& p : observer->properties) {
        out += "property " + std::to_string(++number) + ": " + escaped(p.name) + ", " +
               kindName(p.value) + "\n";
        if (!p.value.isArray()) {
            appendBlock(out, p.text());
        }
        for (std::size_t i = 0; p.value.isArray() && i < p.value.getArraySize(); ++i) {
            out += "  - " + escaped(p.value.getArrayItem(i)) + "\n";
        }
    }
    out += "\nEDID string:\n";
    appendBlock(out, edidString);
    return out;
}

std::string renderParse(const std::string& title, const std::vector<std::uint8_t>& bytes) {
    libEDID::EDIDParser parser(memoryAccessor(bytes));
    return renderParse(title, parser);
}

}  // namespace edidtest
