#include "Timeline.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "qor/System.h"

namespace edidtest {

std::vector<EdidFile> edidFiles(const std::string& folder) {
    std::vector<EdidFile> files;
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(folder, error)) {
        if (file.path().extension() == ".bin") {
            files.push_back({file.path().filename().string(), file.path().string()});
        }
    }
    std::sort(files.begin(), files.end(),
              [](const EdidFile& a, const EdidFile& b) { return a.name < b.name; });
    return files;
}

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool hasExtensionTag(const std::vector<std::uint8_t>& bytes, std::uint8_t tag) {
    for (std::size_t block = 128; block < bytes.size(); block += 128) {
        if (bytes[block] == tag) {
            return true;
        }
    }
    return false;
}

namespace {

using Entry = Timeline::Entry;

// The library's line terminator reads "\n"; other control characters, DEL, bytes outside ASCII
// and the backslash itself read \xNN.
std::string escaped(const std::string& raw) {
    const std::string& eol = qor::System::TEXT_FILE_EOL().str();
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<unsigned char>(raw[i]);
        if (!eol.empty() && raw.compare(i, eol.size(), eol) == 0) {
            out += "\\n";
            i += eol.size() - 1;
        } else if (byte < 0x20 || byte >= 0x7F || byte == '\\') {
            out += {'\\', 'x', "0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 0xF]};
        } else {
            out += raw[i];
        }
    }
    return out;
}

std::string valueText(const qor::QORValue& value) {
    static constexpr const char* kKinds[] = {"bool", "uchar",  "ushort",
                                             "uint", "string", "measurement"};
    if (value.isArray()) {
        std::string items;
        for (std::size_t i = 0; i < value.getArraySize(); ++i) {
            items += (i == 0 ? "\"" : ", \"") + escaped(value.getArrayItem(i).str()) + "\"";
        }
        return "[" + items + "]";
    }
    const std::string text = escaped(value.toString(qor::QORValue::nilValue()).str());
    const int type = value.getType();
    if (type == qor::QORValue::TYPE_STRING) {
        return "\"" + text + "\"";
    }
    const std::string kind = type >= 0 && type < 6 ? kKinds[type] : "type" + std::to_string(type);
    return kind + ":" + text;
}

// Moves the messages logged since the last call into the timeline, keeping their raw texts for
// the match against the EDID string.
class Recorder : public libEDID::EDIDCallback {
  public:
    explicit Recorder(libEDID::EDIDParser& observed) : parser(observed) {}

    void onSysInfoProperty(const qor::String& name, const qor::QORValue& value) override {
        takeMessages();
        timeline.entries.push_back({Entry::Kind::Property, name.str(), valueText(value)});
    }

    void call(const char* name, bool result, const std::string& detail = "") {
        takeMessages();
        timeline.entries.push_back({Entry::Kind::Call, name, (result ? "true" : "false") + detail});
    }

    // Marks, in log order, the messages whose text and a line terminator come next in `edid`.
    void markAppended(const std::string& edid) {
        const std::string& eol = qor::System::TEXT_FILE_EOL().str();
        std::size_t at = 0;
        for (const auto& [index, raw] : rawTexts) {
            const std::string line = raw + eol;
            if (edid.compare(at, line.size(), line) == 0) {
                timeline.entries[index].appended = true;
                at += line.size();
            }
        }
        timeline.unmatchedString = escaped(edid.substr(at));
    }

  private:
    void takeMessages() {
        const auto& messages = parser.getMessages();
        for (; taken < messages.size(); ++taken) {
            const libEDID::LibEDIDLog& m = messages[taken];
            rawTexts.emplace_back(timeline.entries.size(), m.getMesg().str());
            timeline.entries.push_back({Entry::Kind::Message, m.getKey().str(),
                                        escaped(m.getMesg().str()), m.getLevel(), m.getCategory()});
        }
    }

  public:
    Timeline timeline;

  private:
    libEDID::EDIDParser& parser;
    std::size_t taken = 0;
    std::vector<std::pair<std::size_t, std::string>> rawTexts;
};

}  // namespace

std::string Timeline::render() const {
    std::string out;
    for (const Entry& e : entries) {
        switch (e.kind) {
            case Entry::Kind::Call:
                out += "C " + e.name + " " + e.text + "\n";
                break;
            case Entry::Kind::Message:
                out += (e.appended ? "M+ " : "M ") + e.name + " " + std::to_string(e.level) + " " +
                       std::to_string(e.category) + " " + e.text + "\n";
                break;
            case Entry::Kind::Property:
                out += "P " + e.name + " " + e.text + "\n";
                break;
        }
    }
    if (!unmatchedString.empty()) {
        out += "S " + unmatchedString + "\n";
    }
    return out;
}

Timeline recordTimeline(libEDID::EDIDParser& parser) {
    // The parser keeps the recorder; the recorder refers to nothing but that parser.
    const auto recorder = std::make_shared<Recorder>(parser);
    parser.registerSysInfoObserver(recorder);
    recorder->call("verifyChecksum", parser.verifyChecksum(false));
    recorder->call("parseEDID", parser.parseEDID(false));
    qor::String identifier;
    const bool identified = parser.getEDIDIdentifier(identifier, false);
    recorder->call("getEDIDIdentifier", identified, " \"" + escaped(identifier.str()) + "\"");
    qor::String edid;
    recorder->call("getEDIDString", parser.getEDIDString(edid, false));
    recorder->markAppended(edid.str());
    return recorder->timeline;
}

Timeline recordTimeline(const std::vector<std::uint8_t>& bytes, bool decodeExtensions,
                        bool checkConformity) {
    libEDID::EDIDParser parser(memoryAccessor(bytes));
    parser.setDecodeExtensions(decodeExtensions);
    parser.setCheckConformity(checkConformity);
    return recordTimeline(parser);
}

}  // namespace edidtest
