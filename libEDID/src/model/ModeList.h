#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
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
/// distinct timing, every source listing it noted once. The modes are gathered in a scratch list
/// of the thread (made once, kept warm) and written to the output list, sorted and exactly
/// sized, by finish(). One ModeList per thread at a time.
class ModeList {
  public:
    explicit ModeList(std::vector<SupportedMode>& out);
    ModeList(const ModeList&) = delete;
    ModeList& operator=(const ModeList&) = delete;

    /// Adds a timing with a pixel clock, or a nominal mode (pixel clock 0, nominalRefreshHz set).
    void add(const VideoTiming& timing, ModeSource source, const ModeMarks& marks = {});
    /// A nominal mode of `width` x `height` at `refreshHz`.
    void addNominal(unsigned width, unsigned height, double refreshHz, bool interlaced,
                    ModeSource source);

    bool hasPreferred() const;

    /// Writes the modes to the output list: preferred first, then by area and refresh rate,
    /// both descending, ties in the order of adding.
    void finish();

  private:
    static constexpr std::size_t kScratch = 128;

    std::span<SupportedMode> items();
    std::span<const SupportedMode> items() const;

    std::vector<SupportedMode>& out_;
    std::array<SupportedMode, kScratch>& scratch_;
    std::size_t count_ = 0;
    bool spilled_ = false;  ///< more modes than the scratch holds: they are kept in out_
};

/// True when `a` and `b` are the same mode: a nominal mode matches any timing of its size and
/// scan whose rate is within 1% of its own; two full timings match when every field is equal
/// and the pixel clocks differ by at most 0.2% (the 1000/1001 variants of a CTA-861 format).
bool sameMode(const VideoTiming& a, const VideoTiming& b);

}  // namespace libEDID::model
