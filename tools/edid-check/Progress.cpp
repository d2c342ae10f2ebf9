#include "Progress.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace edidcheck {

Progress::~Progress() {
    clear();
}

void Progress::step() {
    ++done_;
    if (!enabled_ || total_ == 0) {
        return;
    }
    const std::size_t percent = done_ * 100 / total_;
    if (percent != shownPercent_) {
        shownPercent_ = percent;
        draw();
    }
}

void Progress::printLine(std::string_view line) {
    clear();
    // Through std::cerr: a name may hold any text, which a Windows console shows as UTF-8.
    std::cerr << "edid-check: " << line << '\n';
    if (enabled_ && done_ > 0) {
        draw();
    }
}

void Progress::draw() {
    const std::string text = "\redid-check: " + std::to_string(done_) + "/" +
                             std::to_string(total_) + " sources (" + std::to_string(shownPercent_) +
                             "%)";
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
    shown_ = true;
}

void Progress::clear() {
    if (shown_) {
        std::fputs(("\r" + std::string(60, ' ') + "\r").c_str(), stderr);
        std::fflush(stderr);
        shown_ = false;
    }
}

}  // namespace edidcheck
