#pragma once

#include <cstddef>
#include <span>

namespace edidcheck {

/// A file compiled into the tool.
struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

/// The real EDIDs bundled with the tool (tools/edid-check/samples), examined when the system
/// has no display with an EDID.
std::span<const EmbeddedFile> sampleEdids();

}  // namespace edidcheck
