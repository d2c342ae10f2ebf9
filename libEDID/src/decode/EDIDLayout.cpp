// The byte-range map of an EDID, built from the same offsets and walks that the decoders use,
// so that what a report shows as a field is what the library reads as that field.

#include "libEDID/EDIDLayout.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "decode/base/BaseBlockLayout.h"
#include "decode/cta/CTADecoder.h"
#include "decode/displayid/DisplayIDDecode.h"
#include "decode/vesa/VESADecoder.h"

namespace libEDID {

namespace {

using Bytes = std::span<const std::uint8_t>;

struct Field {
    unsigned offset;  // within its part
    unsigned length;
    std::string_view name;
};

// Base block, bytes 00h-35h and 7Eh-7Fh: (section, offset, length, field).
struct BaseField {
    std::string_view section;
    unsigned offset;
    unsigned length;
    std::string_view name;
};
constexpr std::array<BaseField, 29> kBaseFields{{
    {"header", layout::kHeader, 8, "header"},
    {"vendor-product", layout::kManufacturerID, 2, "manufacturer-id"},
    {"vendor-product", layout::kProductCode, 2, "product-code"},
    {"vendor-product", layout::kSerialNumber, 4, "serial-number"},
    {"vendor-product", layout::kWeek, 1, "week"},
    {"vendor-product", layout::kYear, 1, "year"},
    {"version", layout::kVersion, 1, "version"},
    {"version", layout::kRevision, 1, "revision"},
    {"basic-parameters", layout::kVideoInput, 1, "video-input"},
    {"basic-parameters", layout::kHorizontalSize, 1, "horizontal-size"},
    {"basic-parameters", layout::kVerticalSize, 1, "vertical-size"},
    {"basic-parameters", layout::kGamma, 1, "gamma"},
    {"basic-parameters", layout::kFeatureSupport, 1, "features"},
    // Chromaticity: two bytes of low-order bits, then the high 8 bits of each coordinate.
    {"chromaticity", 0x19, 1, "red-green-low-bits"},
    {"chromaticity", 0x1A, 1, "blue-white-low-bits"},
    {"chromaticity", 0x1B, 1, "red-x"},
    {"chromaticity", 0x1C, 1, "red-y"},
    {"chromaticity", 0x1D, 1, "green-x"},
    {"chromaticity", 0x1E, 1, "green-y"},
    {"chromaticity", 0x1F, 1, "blue-x"},
    {"chromaticity", 0x20, 1, "blue-y"},
    {"chromaticity", 0x21, 1, "white-x"},
    {"chromaticity", 0x22, 1, "white-y"},
    {"established-timings", layout::kEstablishedTimings, 2, "established-timings"},
    {"established-timings", layout::kEstablishedTimings + 2, 1, "manufacturer-timings"},
    {"standard-timings", layout::kStandardTimings, 16, ""},    // split into its 8 codes below
    {"detailed-timing", layout::kDescriptorSlots[0], 72, ""},  // the four descriptor slots
    {"extension-count", layout::kExtensionCount, 1, "extension-count"},
    {"checksum", layout::kChecksum, 1, "checksum"},
}};

// The 18 bytes of a detailed timing descriptor.
constexpr std::array<Field, 7> kDetailedTimingFields{{
    {0, 2, "pixel-clock"},
    {2, 3, "horizontal-active-blanking"},
    {5, 3, "vertical-active-blanking"},
    {8, 4, "porches-sync"},
    {12, 3, "image-size"},
    {15, 2, "borders"},
    {17, 1, "flags"},
}};

// The payload names of display descriptors by tag; tags 00h-0Fh belong to the manufacturer.
struct DescriptorName {
    std::uint8_t tag;
    std::string_view name;
};
constexpr std::array<DescriptorName, 10> kDescriptorNames{{
    {0xFF, "serial-number"},
    {0xFE, "text"},
    {0xFD, "range-limits"},
    {0xFC, "product-name"},
    {0xFB, "color-points"},
    {0xFA, "standard-timings"},
    {0xF9, "color-management"},
    {0xF8, "cvt-timings"},
    {0xF7, "established-timings-3"},
    {0x10, "dummy"},
}};

std::string_view descriptorPayloadName(std::uint8_t tag) {
    for (const DescriptorName& entry : kDescriptorNames) {
        if (entry.tag == tag) {
            return entry.name;
        }
    }
    return tag <= layout::kLastManufacturerTag ? "manufacturer" : "reserved";
}

// Names of the CTA-861 data block kinds, in the order of CTADataBlockKind.
constexpr std::array<std::string_view, 27> kCTAKindNames{"audio",
                                                         "video",
                                                         "vendor-specific",
                                                         "hdmi",
                                                         "hdmi-forum",
                                                         "speaker-allocation",
                                                         "video-capability",
                                                         "colorimetry",
                                                         "hdr-static-metadata",
                                                         "ycbcr420-video",
                                                         "ycbcr420-capability-map",
                                                         "other",
                                                         "vendor-video",
                                                         "hdr-dynamic-metadata",
                                                         "format-preference",
                                                         "vendor-audio",
                                                         "hdmi-audio",
                                                         "room-configuration",
                                                         "speaker-location",
                                                         "infoframe",
                                                         "displayid-timing",
                                                         "hf-eeodb",
                                                         "hf-scdb",
                                                         "vesa-display-device",
                                                         "vesa-video-timing-block",
                                                         "vesa-transfer-characteristic",
                                                         "native-video-resolution"};
static_assert(kCTAKindNames.size() ==
                  static_cast<std::size_t>(CTADataBlockKind::NativeResolution) + 1,
              "one name per CTA data block kind");

constexpr unsigned kCTAHeaderSize = 4;
constexpr unsigned kDTDSize = 18;

// Appends ranges of one block; offsets are given within the block.
class BlockMap {
  public:
    BlockMap(std::vector<FieldRange>& out, unsigned block, std::string prefix)
        : out_(out), block_(block), prefix_(std::move(prefix)) {}

    void add(std::string_view section, unsigned offset, unsigned length, std::string_view name) {
        if (length == 0) {
            return;
        }
        out_.push_back(FieldRange{block_ * static_cast<unsigned>(layout::kBlockSize) + offset,
                                  length, block_, std::string(section),
                                  prefix_ + std::string(name)});
    }

    void addDetailedTiming(std::string_view section, unsigned offset, const std::string& part) {
        for (const Field& field : kDetailedTimingFields) {
            add(section, offset + field.offset, field.length, part + "." + std::string(field.name));
        }
    }

  private:
    std::vector<FieldRange>& out_;
    unsigned block_;
    std::string prefix_;
};

void describeDescriptor(BlockMap& map, Bytes descriptor, unsigned offset, unsigned slot) {
    const std::string part = "descriptor-" + std::to_string(slot + 1);
    // Slot 0 always holds a detailed timing; the others one whose pixel clock is not zero.
    if (slot == 0 || descriptor[0] != 0 || descriptor[1] != 0) {
        map.addDetailedTiming("detailed-timing", offset, part);
        return;
    }
    const std::uint8_t tag = descriptor[layout::kDescriptorTag];
    constexpr std::string_view kSection = "display-descriptor";
    map.add(kSection, offset, layout::kDescriptorTag, part + ".zero");
    map.add(kSection, offset + layout::kDescriptorTag, 1, part + ".tag");
    map.add(kSection, offset + layout::kDescriptorReserved, 1,
            part + (tag == layout::kTagRangeLimits ? ".rate-offsets" : ".reserved"));
    map.add(kSection, offset + layout::kDescriptorPayload, layout::kDescriptorPayloadSize,
            part + "." + std::string(descriptorPayloadName(tag)));
}

void describeBaseBlock(std::vector<FieldRange>& out, Bytes block) {
    BlockMap map(out, 0, "");
    for (const BaseField& field : kBaseFields) {
        if (field.section == "standard-timings") {
            for (unsigned i = 0; i < layout::kStandardTimingCount; ++i) {
                map.add(field.section, field.offset + 2 * i, 2,
                        "standard-timing-" + std::to_string(i + 1));
            }
        } else if (field.section == "detailed-timing") {
            for (unsigned slot = 0; slot < layout::kDescriptorSlots.size(); ++slot) {
                const unsigned offset = static_cast<unsigned>(layout::kDescriptorSlots[slot]);
                describeDescriptor(map, block.subspan(offset, layout::kDescriptorSize), offset,
                                   slot);
            }
        } else {
            map.add(field.section, field.offset, field.length, field.name);
        }
    }
}

// The data block collection at bytes 4 to the DTD offset, block by block as the decoder splits
// it; what it could not split (an overrunning block) is one range.
void describeCTACollection(BlockMap& map, Bytes block, unsigned dtdOffset) {
    const CTADataBlockCollection collection =
        cta::decodeCollection(block.subspan(kCTAHeaderSize, dtdOffset - kCTAHeaderSize));
    unsigned next = kCTAHeaderSize;
    for (std::size_t i = 0; i < collection.blocks.size(); ++i) {
        const CTADataBlockInfo& info = collection.blocks[i];
        const std::string part = "cta.data-block-" + std::to_string(i + 1) + "." +
                                 std::string(kCTAKindNames[static_cast<unsigned>(info.kind)]);
        const unsigned at = kCTAHeaderSize + info.offset;
        map.add("cta-data-block", at, 1, part + ".header");
        map.add("cta-data-block", at + 1, info.length, part + ".payload");
        next = at + 1 + info.length;
    }
    map.add("cta-data-block", next, dtdOffset - std::min(next, dtdOffset), "cta.overrun");
}

void describeCTABlock(std::vector<FieldRange>& out, Bytes block, unsigned number) {
    BlockMap map(out, number, "block-" + std::to_string(number) + ".");
    map.add("cta-header", 0, 1, "cta.tag");
    map.add("cta-header", 1, 1, "cta.revision");
    map.add("cta-header", 2, 1, "cta.dtd-offset");
    map.add("cta-header", 3, 1, "cta.flags");
    const std::uint8_t dtdOffset = block[2];
    unsigned padding = kCTAHeaderSize;
    if (!cta::validDTDOffset(dtdOffset)) {
        map.add("extension", kCTAHeaderSize, layout::kChecksum - kCTAHeaderSize, "cta.unread");
        padding = layout::kChecksum;
    } else if (dtdOffset != 0) {
        const std::uint8_t revision = block[1];
        if (revision > 2 || revision == 0) {
            describeCTACollection(map, block, dtdOffset);
        } else {
            map.add("extension", kCTAHeaderSize, dtdOffset - kCTAHeaderSize, "cta.reserved");
        }
        padding = cta::paddingOffset(block);
        for (unsigned at = dtdOffset, i = 1; at + kDTDSize <= padding; at += kDTDSize, ++i) {
            map.addDetailedTiming("cta-detailed-timing", at,
                                  "cta.detailed-timing-" + std::to_string(i));
        }
    }
    map.add("cta-padding", padding,
            layout::kChecksum - std::min<unsigned>(padding, layout::kChecksum), "cta.padding");
    map.add("checksum", layout::kChecksum, 1, "checksum");
}

std::string displayIDBlockName(std::uint8_t tag, displayid::Family family) {
    const displayid::TagInfo* info = displayid::findTag(tag, family);
    if (info == nullptr) {
        return "reserved";
    }
    std::string name(info->nameKey);
    constexpr std::string_view kPrefix = "DisplayIDTag";
    name.erase(0, name.starts_with(kPrefix) ? kPrefix.size() : 0);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return name;
}

void describeDisplayIDBlock(std::vector<FieldRange>& out, const EDIDBlock& block, unsigned number) {
    BlockMap map(out, number, "block-" + std::to_string(number) + ".");
    map.add("displayid-header", 0, 1, "displayid.tag");
    map.add("displayid-header", 1, 1, "displayid.version");
    map.add("displayid-header", 2, 1, "displayid.payload-length");
    map.add("displayid-header", 3, 1, "displayid.product-type");
    map.add("displayid-header", 4, 1, "displayid.extension-count");
    const displayid::SectionHeader header = displayid::decodeSectionHeader(block);
    unsigned next = displayid::kPayloadOffset;
    if (header.payloadFits) {
        const displayid::DataBlockWalk walk = displayid::walkDataBlocks(block, header.payloadEnd);
        constexpr unsigned kBlockHeaderSize = 3;  // tag, revision, payload length
        for (std::size_t i = 0; i < walk.blocks.size(); ++i) {
            const DisplayIDDataBlock& data = walk.blocks[i];
            const std::string part = "displayid.data-block-" + std::to_string(i + 1) + "." +
                                     displayIDBlockName(data.tag, header.family);
            map.add("displayid-data-block", data.offset, kBlockHeaderSize, part + ".header");
            map.add("displayid-data-block", data.offset + kBlockHeaderSize, data.length,
                    part + ".payload");
            next = data.offset + kBlockHeaderSize + data.length;
        }
        // Zero filler, or a block that runs past the payload's end, up to that end.
        map.add(walk.overrun ? "displayid-data-block" : "displayid-padding", next,
                header.payloadEnd - std::min(next, header.payloadEnd),
                walk.overrun ? "displayid.overrun" : "displayid.filler");
        next = std::max(next, header.payloadEnd);
        map.add("displayid-header", next, 1, "displayid.section-checksum");
        ++next;
    }
    map.add("displayid-padding", next,
            layout::kChecksum - std::min<unsigned>(next, layout::kChecksum), "displayid.padding");
    map.add("checksum", layout::kChecksum, 1, "checksum");
}

// A video timing block (10h): version and counts, then the descriptors the counts announce as
// far as they fit, then padding.
void describeVideoTimingBlock(BlockMap& map, Bytes block) {
    map.add("vesa-header", 1, 1, "vtb.version");
    map.add("vesa-header", 2, 3, "vtb.counts");
    unsigned pos = vesa::kVTBFirstDescriptor;
    const auto descriptors = [&](unsigned count, unsigned size, const char* name) {
        for (unsigned i = 0; i < count && pos + size <= layout::kChecksum; ++i, pos += size) {
            const std::string part = "vtb." + std::string(name) + "-" + std::to_string(i + 1);
            if (size == kDTDSize) {
                map.addDetailedTiming("vesa-timing", pos, part);
            } else {
                map.add("vesa-timing", pos, size, part);
            }
        }
    };
    descriptors(block[2], kDTDSize, "detailed-timing");
    descriptors(block[3], 3, "cvt-code");
    descriptors(block[4], 2, "standard-timing");
    map.add("vesa-padding", pos, layout::kChecksum - pos, "vtb.padding");
}

// A display information block (40h), section by section.
struct DIField {
    unsigned offset;
    unsigned length;
    std::string_view name;
};
constexpr std::array<DIField, 27> kDIFields{{
    {1, 1, "di.version"},
    {2, 1, "di.interface-type"},
    {3, 4, "di.interface-version"},
    {7, 1, "di.interface-features"},
    {8, 1, "di.data-format"},
    {9, 1, "di.min-clock"},
    {0x0A, 2, "di.max-clock"},
    {0x0C, 2, "di.crossover"},
    {0x0E, 1, "di.subpixel-layout"},
    {0x0F, 1, "di.subpixel-configuration"},
    {0x10, 1, "di.subpixel-shape"},
    {0x11, 2, "di.pixel-pitch"},
    {0x13, 1, "di.device-flags"},
    {0x14, 1, "di.capabilities"},
    {0x15, 1, "di.frame-rate-conversion"},
    {0x16, 2, "di.vertical-frequency"},
    {0x18, 2, "di.horizontal-frequency"},
    {0x1A, 1, "di.orientation"},
    {0x1B, 1, "di.default-decoding"},
    {0x1C, 1, "di.preferred-decoding"},
    {0x1D, 2, "di.decoding-capabilities"},
    {0x1F, 1, "di.dithering"},
    {0x20, 6, "di.bit-depths"},
    {0x26, 1, "di.aspect-conversion"},
    {0x27, 42, "di.unused"},
    {0x51, 1, "di.transfer-header"},
    {0x52, 45, "di.transfer-curves"},
}};

void describeDisplayInformation(BlockMap& map) {
    for (const DIField& field : kDIFields) {
        map.add(field.name == "di.unused" ? "vesa-padding" : "vesa-data", field.offset,
                field.length, field.name);
    }
}

// Extension tags other than CTA-861 and DisplayID whose payload has a name of its own.
struct ExtensionName {
    std::uint8_t tag;
    std::string_view payload;
};
constexpr std::array<ExtensionName, 2> kExtensionNames{{
    {0xF0, "block-map.tags"},  // bytes 1-7Eh: the tags of the blocks that follow
    {0xFF, "manufacturer.data"},
}};

void describeOtherBlock(std::vector<FieldRange>& out, Bytes block, unsigned number) {
    const std::uint8_t tag = block[0];
    BlockMap map(out, number, "block-" + std::to_string(number) + ".");
    switch (tag) {
        case vesa::kTagVideoTimingBlock:
        case vesa::kTagDisplayInformation:
            map.add("extension", 0, 1, "tag");
            if (tag == vesa::kTagVideoTimingBlock) {
                describeVideoTimingBlock(map, block);
            } else {
                describeDisplayInformation(map);
            }
            map.add("checksum", layout::kChecksum, 1, "checksum");
            return;
        case vesa::kTagLocalizedStrings:
            // Bytes 1-2 version and revision, the string sets kept as stored.
            map.add("extension", 0, 1, "tag");
            map.add("vesa-header", 1, 2, "ls.version");
            map.add("extension", 3, layout::kChecksum - 3, "ls.data");
            map.add("checksum", layout::kChecksum, 1, "checksum");
            return;
        case vesa::kTagPacketVideoLink:
            map.add("extension", 0, 1, "tag");
            map.add("vesa-header", 1, 1, "dpvl.version");
            map.add("extension", 2, layout::kChecksum - 2, "dpvl.data");
            map.add("checksum", layout::kChecksum, 1, "checksum");
            return;
        default:
            break;
    }
    std::string_view payload = "data";
    for (const ExtensionName& entry : kExtensionNames) {
        payload = entry.tag == tag ? entry.payload : payload;
    }
    map.add("extension", 0, 1, "tag");
    map.add("extension", 1, layout::kChecksum - 1, payload);
    map.add("checksum", layout::kChecksum, 1, "checksum");
}

}  // namespace

std::vector<FieldRange> describeFields(std::span<const std::uint8_t> edid) {
    constexpr std::uint8_t kTagCTA861 = 0x02;
    constexpr std::uint8_t kTagDisplayID = 0x70;
    std::vector<FieldRange> out;
    const std::size_t blocks = edid.size() / layout::kBlockSize;
    for (std::size_t i = 0; i < blocks; ++i) {
        const Bytes bytes = edid.subspan(i * layout::kBlockSize, layout::kBlockSize);
        const auto number = static_cast<unsigned>(i);
        if (i == 0) {
            describeBaseBlock(out, bytes);
        } else if (bytes[0] == kTagCTA861) {
            describeCTABlock(out, bytes, number);
        } else if (bytes[0] == kTagDisplayID) {
            EDIDBlock block{};
            std::copy(bytes.begin(), bytes.end(), block.begin());
            describeDisplayIDBlock(out, block, number);
        } else {
            describeOtherBlock(out, bytes, number);
        }
    }
    return out;
}

}  // namespace libEDID
