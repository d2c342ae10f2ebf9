#pragma once

#include <cstdint>
#include <vector>

#include "libEDID/DisplayInfo.h"

namespace libEDID::model {

/// What one source says of one mode beside its timing.
struct ModeMarks {
    std::uint8_t vic = 0;
    bool preferred = false;
    bool native = false;
    bool ycbcr420Only = false;
    bool ycbcr420Capable = false;
};

/// Collects the modes of every source and merges those that are the same timing: one entry per
/// distinct timing, every source listing it noted once.
class ModeList {
  public:
    explicit ModeList(std::vector<SupportedMode>& modes) : modes_(modes) {}

    /// Adds a timing with a pixel clock, or a nominal mode (pixel clock 0, nominalRefreshHz set).
    void add(const VideoTiming& timing, ModeSource source, const ModeMarks& marks = {});
    /// A nominal mode of `width` x `height` at `refreshHz`.
    void addNominal(unsigned width, unsigned height, double refreshHz, bool interlaced,
                    ModeSource source);

    bool hasPreferred() const;

    /// Sorts the list: preferred first, then by area and refresh rate, both descending.
    void sort();

  private:
    std::vector<SupportedMode>& modes_;
};

/// True when `a` and `b` are the same mode: a nominal mode matches any timing of its size and
/// scan whose rate is within 1% of its own; two full timings match when every field is equal
/// and the pixel clocks differ by at most 0.2% (the 1000/1001 variants of a CTA-861 format).
bool sameMode(const VideoTiming& a, const VideoTiming& b);

}  // namespace libEDID::model
