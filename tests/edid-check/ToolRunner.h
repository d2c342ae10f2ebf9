#pragma once

// Runs the built edid-check in a temporary folder and collects what it wrote.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "Timeline.h"

namespace edidchecktest {

namespace fs = std::filesystem;

/// JSON objects with their members in the order written.
using Json = nlohmann::ordered_json;
using Bytes = std::vector<unsigned char>;

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;

    /// Every stdout line parsed as JSON (a line that does not parse fails the test).
    std::vector<Json> json() const {
        std::vector<Json> objects;
        for (const std::string& line : linesOf(out)) {
            objects.push_back(Json::parse(line, nullptr, false));
            EXPECT_FALSE(objects.back().is_discarded()) << "not JSON: " << line;
        }
        return objects;
    }
};

/// The path in single quotes for the shell.
inline std::string shellQuoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

using edidtest::readBytes;

/// A test EDID of tests/data/edid.
inline fs::path dataFile(const std::string& name) {
    return fs::path(TEST_DATA_DIR) / "edid" / name;
}

/// Lower-case hex of the bytes, as the tool's "edid" member holds them.
inline std::string hexOf(const Bytes& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char byte : bytes) {
        text += {kDigits[byte >> 4], kDigits[byte & 0x0F]};
    }
    return text;
}

/// A temporary folder, removed with the object; the tool runs with it as current folder.
class Workspace {
  public:
    const fs::path& root() const { return dir_.path(); }

    /// Writes `content` to `name` (folders included) inside the workspace.
    fs::path write(const std::string& name, const std::string& content) const {
        const fs::path path = root() / name;
        fs::create_directories(path.parent_path());
        return dir_.write(name, content);
    }
    fs::path write(const std::string& name, const Bytes& content) const {
        return write(name, std::string(content.begin(), content.end()));
    }

    /// Runs `environment edid-check arguments < stdinFile` in `folder` (default: the
    /// workspace), stdout going to `stdoutRedirect` (default: collected). A run that takes
    /// over a minute is stopped (status 124), so that a hang fails instead of stalling.
    ToolResult run(const std::string& arguments, const std::string& environment = "",
                   const fs::path& stdinFile = "/dev/null", const std::string& stdoutRedirect = "",
                   const fs::path& folder = "") const {
        const std::string out =
            stdoutRedirect.empty() ? "> " + shellQuoted(root() / ".stdout") : stdoutRedirect;
        const int raw = std::system(("cd " + shellQuoted(folder.empty() ? root() : folder) +
                                     " && env -u NO_COLOR -u QOR_LOG_PRIORITY " + environment +
                                     " timeout 60 " + shellQuoted(EDID_CHECK_PATH) + " " +
                                     arguments + " < " + shellQuoted(stdinFile) + " " + out +
                                     " 2> " + shellQuoted(root() / ".stderr"))
                                        .c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, take(".stdout"), take(".stderr")};
    }

  private:
    /// The content of a file of the workspace, which is removed.
    std::string take(const std::string& name) const {
        const std::string text = edidtest::TempDir::read(dir_.file(name));
        std::error_code ignored;
        fs::remove(dir_.file(name), ignored);
        return text;
    }

    edidtest::TempDir dir_;
};

}  // namespace edidchecktest
