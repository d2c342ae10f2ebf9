#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Examination.h"
#include "libEDID/ColorGamut.h"

namespace edidcheck {

/// The share of one reference colour space that the display covers.
struct GamutShare {
    std::string name;  ///< the reference's label ("sRGB")
    std::string id;    ///< its stable name ("srgb")
    double share = 0;  ///< 0 to 1
};

/// A labelled line of the capabilities: "HDR", "SMPTE ST 2084, HLG; 600 cd/m²".
struct Capability {
    std::string label;
    std::string value;
};

/// One row of the mode table: a mode of the display model with its marks.
struct ModeRow {
    std::string resolution;  ///< "3840 x 2160", "1920 x 1080i"
    std::string rate;        ///< "59.94"
    bool preferred = false;
    bool native = false;
    bool ycbcr420 = false;  ///< only or also as YCbCr 4:2:0
};

/// The modes of one resolution with their rates joined: "3840 x 2160", "60, 50, 30 Hz".
struct ModeGroup {
    std::string resolution;
    std::string rates;
};

/// What the summary and the HTML report show of one source, in the run's language.
struct ReportFacts {
    std::string identity;  ///< manufacturer, model, serial, date, size; empty when not read
    std::size_t errors = 0;
    std::size_t warnings = 0;
    std::optional<libEDID::ColorPrimaries> primaries;
    std::vector<GamutShare> gamut;
    std::string preferredMode;     ///< "3840 x 2160 at 60 Hz"; empty when none
    std::string nativeResolution;  ///< "3840 x 2160"; empty when none
    std::vector<ModeRow> modes;    ///< largest first, then by falling rate
    std::vector<ModeGroup> modeGroups;
    std::vector<Capability> capabilities;
};

ReportFacts factsOf(const Examination& examination);

/// The findings of `examination` of level 1 and 2, errors first, in log order within a level.
std::vector<const Finding*> findingsBySeverity(const Examination& examination);

}  // namespace edidcheck
