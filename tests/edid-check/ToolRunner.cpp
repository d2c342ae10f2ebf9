#include "ToolRunner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace edidchecktest {

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::vector<std::string> ToolResult::outLines() const {
    return linesOf(out);
}
std::vector<std::string> ToolResult::errLines() const {
    return linesOf(err);
}

std::vector<Json> ToolResult::json() const {
    std::vector<Json> objects;
    for (const std::string& line : outLines()) {
        Json object = Json::parse(line, nullptr, false);
        EXPECT_FALSE(object.is_discarded()) << "not JSON: " << line;
        objects.push_back(std::move(object));
    }
    return objects;
}

Workspace::Workspace() {
    std::string pattern = (fs::temp_directory_path() / "edid-check-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    root_ = pattern;
}

Workspace::~Workspace() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

fs::path Workspace::write(const std::string& name, const std::string& content) const {
    const fs::path path = root_ / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

fs::path Workspace::write(const std::string& name, const Bytes& content) const {
    return write(name, std::string(content.begin(), content.end()));
}

ToolResult Workspace::run(const std::string& arguments, const std::string& environment,
                          const fs::path& stdinFile) const {
    const fs::path out = root_ / ".stdout";
    const fs::path err = root_ / ".stderr";
    const std::string command =
        "cd " + shellQuoted(root_) + " && env -u NO_COLOR -u QOR_LOG_PRIORITY " + environment +
        " " + shellQuoted(EDID_CHECK_PATH) + " " + arguments + " < " + shellQuoted(stdinFile) +
        " > " + shellQuoted(out) + " 2> " + shellQuoted(err);
    const int raw = std::system(command.c_str());
    ToolResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readText(out);
    result.err = readText(err);
    fs::remove(out);
    fs::remove(err);
    return result;
}

std::string shellQuoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

Bytes readBytes(const fs::path& path) {
    const std::string text = readText(path);
    return {text.begin(), text.end()};
}

fs::path corpusFile(const std::string& name) {
    return fs::path(EDID_CORPUS_DIR) / name;
}

std::string hexOf(const Bytes& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

}  // namespace edidchecktest
