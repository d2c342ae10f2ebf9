#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "JsonWriter.h"
#include "libEDID/DisplayInfo.h"
#include "libEDID/ModeQuery.h"

namespace edidcheck {

/// One --can request: its text as given and the parsed request.
struct CanRequest {
    std::string text;
    libEDID::ModeRequest request;
};

/// The source word of a mode source in JSON and in the modes table ("cta-vic", ...).
std::string_view sourceWord(libEDID::ModeSource source);

/// --modes: the merged mode list as a table (resolution, refresh, pixel clock, flags, sources).
void writeModesTable(std::ostream& out, std::string_view sourceName,
                     const libEDID::DisplayInfo& info);

/// --can: one line per request, "yes" or "no" with the reasons in the language of the texts.
/// Returns whether every request is met.
bool writeCanLines(std::ostream& out, std::string_view sourceName, const libEDID::DisplayInfo& info,
                   const std::vector<CanRequest>& requests);

/// The JSON value of member "display": the model with its C++ member names, numbers as
/// numbers, enums as lower-case words. Independent of the language.
void writeDisplayJson(JsonWriter& json, const libEDID::DisplayInfo& info);

/// The JSON value of member "can": [{"request","yes","reasons":[{"code","text"}]}].
/// Returns whether every request is met.
bool writeCanJson(JsonWriter& json, const libEDID::DisplayInfo& info,
                  const std::vector<CanRequest>& requests);

}  // namespace edidcheck
