#pragma once

// Temporary folders for tests that write files; standard library only, so that the base
// library's tests can use it as well as the library's.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace edidtest {

/// Makes `link` a symbolic link to `target`; where no link can be made (Windows), a file that
/// takes the name instead, so that the name is still occupied.
inline void linkOrOccupy(const std::string& target, const std::string& link) {
    std::error_code error;
    std::filesystem::create_symlink(target, link, error);
    if (error) {
        std::ofstream(link, std::ios::binary) << "link";
    }
}

/// A fresh folder under the system's temporary folder, removed with its content at the end.
class TempDir {
  public:
    TempDir() {
        std::random_device seed;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("libedid-test-" + std::to_string(seed()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// The full path of `name` inside the folder.
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    /// Writes `bytes` to `name` inside the folder and returns its full path.
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string full = file(name);
        std::ofstream(full, std::ios::binary) << bytes;
        return full;
    }
    /// Names of the entries of the folder.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            out.push_back(entry.path().filename().string());
        }
        return out;
    }

    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    std::filesystem::path path_;
};

/// Makes a folder the process's current folder for the life of the object.
class CurrentDir {
  public:
    explicit CurrentDir(const std::filesystem::path& dir)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~CurrentDir() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    CurrentDir(const CurrentDir&) = delete;
    CurrentDir& operator=(const CurrentDir&) = delete;

  private:
    std::filesystem::path previous_;
};

}  // namespace edidtest
