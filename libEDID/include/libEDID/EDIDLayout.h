#pragma once

// Which field of an EDID every byte belongs to, as the library's decoders read them: the map
// behind annotated hex dumps and behind the byte ranges of findings.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "libEDID/libEDIDExport.h"

namespace libEDID {

/// One field: a run of bytes of the EDID and its stable names.
struct FieldRange {
    unsigned offset = 0;  ///< from the first byte of the base block
    unsigned length = 0;
    unsigned block = 0;  ///< 0 the base block, n the n-th extension block
    /// The kind of part the field belongs to, one of: header, vendor-product, version,
    /// basic-parameters, chromaticity, established-timings, standard-timings,
    /// detailed-timing, display-descriptor, extension-count, checksum, cta-header,
    /// cta-data-block, cta-detailed-timing, cta-padding, displayid-header,
    /// displayid-data-block, displayid-padding, vesa-header, vesa-timing, vesa-data,
    /// vesa-padding, extension.
    std::string section;
    /// The field's name, qualified by its part where the part repeats:
    /// "manufacturer-id", "descriptor-2.pixel-clock", "block-1.cta.video.payload".
    std::string field;
};

/// The fields of `edid` (the base block followed by its extension blocks), in byte order. The
/// ranges cover every byte of each whole 128-byte block once; bytes after the last whole block
/// are not described. Never fails: bytes that no field explains are described as what they
/// should be (padding, an unknown extension's data).
LIBEDID_API std::vector<FieldRange> describeFields(std::span<const std::uint8_t> edid);

}  // namespace libEDID
