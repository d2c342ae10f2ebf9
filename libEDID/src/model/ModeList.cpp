#include "model/ModeList.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace libEDID::model {

namespace {

bool within(double a, double b, double fraction) {
    return std::abs(a - b) <= fraction * std::max(a, b);
}

/// Sources in the order of ModeSource: inserted at their place.
void addSource(FixedList<ModeSource, kModeSourceCount>& sources, ModeSource source) {
    std::size_t at = 0;
    while (at < sources.count && sources.items[at] < source) {
        ++at;
    }
    if ((at < sources.count && sources.items[at] == source) || sources.count == kModeSourceCount) {
        return;
    }
    std::copy_backward(sources.items.begin() + at, sources.items.begin() + sources.count,
                       sources.items.begin() + sources.count + 1);
    sources.items[at] = source;
    ++sources.count;
}

/// What the list is sorted by, computed once per mode.
struct SortKey {
    bool preferred;
    unsigned long long area;
    double refresh;
    std::uint32_t index;  // the order of insertion breaks ties

    bool operator<(const SortKey& other) const {
        if (preferred != other.preferred) {
            return preferred;
        }
        if (area != other.area) {
            return area > other.area;
        }
        if (refresh != other.refresh) {
            return refresh > other.refresh;
        }
        return index < other.index;
    }
};

}  // namespace

bool sameMode(const VideoTiming& a, const VideoTiming& b) {
    if (a.hActive != b.hActive || a.vActive != b.vActive || a.interlaced != b.interlaced) {
        return false;
    }
    if (a.pixelClockKHz == 0 || b.pixelClockKHz == 0) {
        return within(a.refreshHz(), b.refreshHz(), 0.01);
    }
    VideoTiming sameClock = b;
    sameClock.pixelClockKHz = a.pixelClockKHz;
    return sameClock == a && within(a.pixelClockKHz, b.pixelClockKHz, 0.002);
}

ModeList::ModeList(std::vector<SupportedMode>& out)
    : out_(out), scratch_([]() -> auto& {
          thread_local std::array<SupportedMode, kScratch> scratch;
          return scratch;
      }()) {}

std::span<SupportedMode> ModeList::items() {
    return spilled_ ? std::span<SupportedMode>(out_) : std::span(scratch_.data(), count_);
}

std::span<const SupportedMode> ModeList::items() const {
    return spilled_ ? std::span<const SupportedMode>(out_) : std::span(scratch_.data(), count_);
}

void ModeList::add(const VideoTiming& timing, ModeSource source, const ModeMarks& marks) {
    const std::span<SupportedMode> modes = items();
    auto found = std::find_if(modes.begin(), modes.end(), [&](const SupportedMode& mode) {
        // The sizes first: most modes differ there, and sameMode is not inlined.
        return mode.timing.hActive == timing.hActive && mode.timing.vActive == timing.vActive &&
               sameMode(mode.timing, timing);
    });
    if (found == modes.end()) {
        if (!spilled_ && count_ == kScratch) {
            out_.assign(scratch_.begin(), scratch_.end());
            spilled_ = true;
        }
        SupportedMode& mode = spilled_ ? out_.emplace_back() : scratch_[count_++];
        mode.timing = timing;
        mode.sources.count = 0;
        addSource(mode.sources, source);
        mode.vic = marks.vic;
        mode.preferred = marks.preferred;
        mode.native = marks.native;
        mode.ycbcr420Only = marks.ycbcr420Only;
        mode.ycbcr420Capable = marks.ycbcr420Capable;
        return;
    }
    SupportedMode& mode = *found;
    // A full timing replaces a nominal one.
    if (mode.timing.pixelClockKHz == 0 && timing.pixelClockKHz != 0) {
        mode.timing = timing;
    }
    addSource(mode.sources, source);
    if (mode.vic == 0) {
        mode.vic = marks.vic;
    }
    mode.preferred = mode.preferred || marks.preferred;
    mode.native = mode.native || marks.native;
    // A mode that another source lists as well is not 4:2:0 only, but also 4:2:0.
    if (marks.ycbcr420Only != mode.ycbcr420Only) {
        mode.ycbcr420Only = false;
        mode.ycbcr420Capable = true;
    }
    mode.ycbcr420Capable = mode.ycbcr420Capable || marks.ycbcr420Capable;
}

void ModeList::addNominal(unsigned width, unsigned height, double refreshHz, bool interlaced,
                          ModeSource source) {
    VideoTiming timing;
    timing.hActive = width;
    timing.vActive = interlaced ? height / 2 : height;
    timing.interlaced = interlaced;
    timing.nominalRefreshHz = refreshHz;
    add(timing, source);
}

bool ModeList::hasPreferred() const {
    const std::span<const SupportedMode> modes = items();
    return std::any_of(modes.begin(), modes.end(),
                       [](const SupportedMode& mode) { return mode.preferred; });
}

void ModeList::finish() {
    const auto keyOf = [](const SupportedMode& mode, std::size_t index) {
        const VideoTiming& t = mode.timing;
        return SortKey{mode.preferred, 1ull * t.hActive * t.frameLines(), t.refreshHz(),
                       static_cast<std::uint32_t>(index)};
    };
    if (spilled_) {
        std::stable_sort(out_.begin(), out_.end(),
                         [&](const auto& a, const auto& b) { return keyOf(a, 0) < keyOf(b, 0); });
        return;
    }
    std::array<SortKey, kScratch> keys;
    for (std::size_t i = 0; i < count_; ++i) {
        keys[i] = keyOf(scratch_[i], i);
    }
    std::sort(keys.begin(), keys.begin() + count_);
    out_.clear();
    out_.reserve(count_);
    for (std::size_t i = 0; i < count_; ++i) {
        out_.push_back(scratch_[keys[i].index]);
    }
}

}  // namespace libEDID::model
