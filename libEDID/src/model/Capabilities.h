#pragma once

#include <span>

#include "libEDID/CTA861.h"
#include "libEDID/DisplayInfo.h"
#include "model/ModeList.h"

// The model's capabilities from the decoded HDMI, HDMI Forum, HDR and VRR blocks.
namespace libEDID::model {

HDMIInfo hdmiInfo(const CTAHDMIBlock& block);
HDMIForumInfo hdmiForumInfo(const CTAHDMIForumBlock& block);

/// Adds the HDR dynamic metadata types, Dolby Vision and HDR10+ of one data block collection;
/// the first Dolby Vision and HDR10+ blocks win.
void addDynamicHDR(const CTADataBlockCollection& collection, DisplayInfo& info);

/// Keeps `range` as the display's VRR range unless the model holds one from a source that
/// comes first in VRRSource (or the same source, read earlier).
void offerVRR(DisplayInfo& info, const VRRRange& range);

/// Adds the DisplayID type VII timings of the CTA data blocks of extended tag 34 (`raw` is the
/// collection `collection` was decoded from).
void addCTADisplayIDTimings(std::span<const std::uint8_t> raw,
                            const CTADataBlockCollection& collection, ModeList& modes);

}  // namespace libEDID::model
