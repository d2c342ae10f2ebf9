#pragma once

#include <cstddef>
#include <string_view>

namespace edidcheck {

/// A "done/total" counter on stderr, redrawn in place when the percentage changes; shown only
/// when enabled (stderr is a terminal and there are many sources). Lines written through
/// printLine do not mix with it.
class Progress {
  public:
    Progress(std::size_t total, bool enabled) : total_(total), enabled_(enabled) {}
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    /// One more source is done.
    void step();
    /// Writes one line to stderr, clearing the counter first.
    void printLine(std::string_view line);

  private:
    void draw();
    void clear();

    std::size_t total_;
    std::size_t done_ = 0;
    std::size_t shownPercent_ = 101;
    bool enabled_;
    bool shown_ = false;
};

}  // namespace edidcheck
