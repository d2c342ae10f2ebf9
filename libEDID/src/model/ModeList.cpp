#include "model/ModeList.h"

#include <algorithm>
#include <cmath>

namespace libEDID::model {

namespace {

bool within(double a, double b, double fraction) {
    return std::abs(a - b) <= fraction * std::max(a, b);
}

/// Sources in the order of ModeSource.
void addSource(FixedList<ModeSource, kModeSourceCount>& sources, ModeSource source) {
    if (sources.contains(source)) {
        return;
    }
    sources.push_back(source);
    std::sort(sources.items.begin(), sources.items.begin() + sources.count);
}

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

void ModeList::add(const VideoTiming& timing, ModeSource source, const ModeMarks& marks) {
    auto found = std::find_if(modes_.begin(), modes_.end(), [&](const SupportedMode& mode) {
        return sameMode(mode.timing, timing);
    });
    if (found == modes_.end()) {
        modes_.push_back(SupportedMode{timing,
                                       {},
                                       marks.vic,
                                       marks.preferred,
                                       marks.native,
                                       marks.ycbcr420Only,
                                       marks.ycbcr420Capable});
        addSource(modes_.back().sources, source);
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
    mode.ycbcr420Only = mode.ycbcr420Only || marks.ycbcr420Only;
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
    return std::any_of(modes_.begin(), modes_.end(),
                       [](const SupportedMode& mode) { return mode.preferred; });
}

void ModeList::sort() {
    std::stable_sort(modes_.begin(), modes_.end(),
                     [](const SupportedMode& a, const SupportedMode& b) {
                         if (a.preferred != b.preferred) {
                             return a.preferred;
                         }
                         const auto area = [](const VideoTiming& t) {
                             return static_cast<unsigned long long>(t.hActive) * t.vActive *
                                    (t.interlaced ? 2 : 1);
                         };
                         if (area(a.timing) != area(b.timing)) {
                             return area(a.timing) > area(b.timing);
                         }
                         return a.timing.refreshHz() > b.timing.refreshHz();
                     });
}

}  // namespace libEDID::model
