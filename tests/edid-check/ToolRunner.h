#pragma once

// Runs the built edid-check in a temporary folder and collects what it wrote.
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace edidchecktest {

namespace fs = std::filesystem;

/// JSON objects with their members in the order written.
using Json = nlohmann::ordered_json;
using Bytes = std::vector<unsigned char>;

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;

    std::vector<std::string> outLines() const;
    std::vector<std::string> errLines() const;
    /// Every stdout line parsed as JSON (a line that does not parse fails the test).
    std::vector<Json> json() const;
};

/// A temporary folder, removed with the object; the tool runs with it as current folder.
class Workspace {
  public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const fs::path& root() const { return root_; }
    fs::path write(const std::string& name, const std::string& content) const;
    fs::path write(const std::string& name, const Bytes& content) const;

    /// Runs `environment edid-check arguments < stdinFile` (stdin is /dev/null by default).
    ToolResult run(const std::string& arguments, const std::string& environment = "",
                   const fs::path& stdinFile = "/dev/null") const;

  private:
    fs::path root_;
};

/// The path in single quotes for the shell.
std::string shellQuoted(const fs::path& path);
Bytes readBytes(const fs::path& path);
/// A file of the EDID corpus.
fs::path corpusFile(const std::string& name);
/// Lower-case hex of the bytes, as the tool's "edid" member holds them.
std::string hexOf(const Bytes& bytes);

}  // namespace edidchecktest
