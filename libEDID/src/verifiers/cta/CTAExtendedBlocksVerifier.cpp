#include "verifiers/cta/CTAExtendedBlocksVerifier.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "decode/cta/CTADecoder.h"
#include "decode/cta/CTATables.h"

namespace libEDID {

namespace {

constexpr auto kWarning = LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING;

// The payload bytes (extended tag included) that each kind needs for its fixed fields.
struct MinimumLength {
    CTADataBlockKind kind;
    unsigned minimum;
    const char* typeKey;
};
constexpr std::array<MinimumLength, 8> kMinimumLengths{{
    {CTADataBlockKind::VendorVideo, 4, "CTABlockVendorVideo"},
    {CTADataBlockKind::VendorAudio, 4, "CTABlockVendorAudio"},
    {CTADataBlockKind::HFSCDB, 4, "CTABlockHFSCDB"},
    {CTADataBlockKind::HFEEODB, 2, "CTABlockHFEEODB"},
    {CTADataBlockKind::InfoFrame, 3, "CTABlockInfoFrame"},
    {CTADataBlockKind::RoomConfiguration, 5, "CTABlockRoomConfiguration"},
    {CTADataBlockKind::HDMIAudio, 3, "CTABlockHDMIAudio"},
    {CTADataBlockKind::NativeResolution, 2, "CTABlockNativeResolution"},
}};

// InfoFrame types 1-7.
constexpr std::array<std::string_view, 8> kInfoFrameTypes{
    "",      "vendor-specific", "AVI",      "source product description",
    "audio", "MPEG source",     "NTSC VBI", "dynamic range and mastering"};

// HDR dynamic metadata types 1-4.
constexpr std::array<std::string_view, 5> kDynamicTypes{"", "SMPTE ST 2094-10", "ETSI TS 103 433",
                                                        "ITU-T H.265 (SMPTE ST 2094-30)",
                                                        "SMPTE ST 2094-40"};

// Short video references of the format preference block besides the VICs: the Nth detailed
// timing (129-144), the Nth DisplayID type VII (145-160) and type X (161-175) timing.
struct ReferenceRange {
    unsigned first;
    unsigned last;
    std::string_view label;
};
constexpr std::array<ReferenceRange, 3> kReferenceRanges{{
    {129, 144, "detailed timing "},
    {145, 160, "DisplayID type VII timing "},
    {161, 175, "DisplayID type X timing "},
}};

template <std::size_t N>
std::string tableName(const std::array<std::string_view, N>& table, unsigned code) {
    if (code < N && !table[code].empty()) {
        return std::string(table[code]);
    }
    return detail::localized("UnknownReserved").str();
}

const ReferenceRange* referenceRange(unsigned code) {
    for (const ReferenceRange& range : kReferenceRanges) {
        if (code >= range.first && code <= range.last) {
            return &range;
        }
    }
    return nullptr;
}

bool knownReference(unsigned code) {
    return cta::videoFormat(code) != nullptr || referenceRange(code) != nullptr;
}

std::string referenceText(unsigned code) {
    std::string text;
    if (const cta::VideoFormat* format = cta::videoFormat(code)) {
        text = "VIC ";
        detail::appendUnsigned(text, code);
        text += ": ";
        detail::appendMode(text, format->width, format->height, format->refresh);
        return text;
    }
    if (const ReferenceRange* range = referenceRange(code)) {
        text = range->label;
        detail::appendUnsigned(text, code - range->first + 1);
        return text;
    }
    text = detail::localized("UnknownReserved").str();
    text += " (";
    detail::appendUnsigned(text, code);
    text += ')';
    return text;
}

}  // namespace

void CTAExtendedBlocksVerifier::verify() {
    checkLengths();
    verifyVendorBlocks();
    verifyFormatPreferences();
    verifyNativeResolution();
    verifyInfoFrames();
    verifyAudioLayout();
    verifyHDRDynamic();
    verifyDisplayIDTimings();
    verifyEEODB();
}

void CTAExtendedBlocksVerifier::checkLengths() {
    for (const MinimumLength& entry : kMinimumLengths) {
        checkMinimumLength(entry.kind, entry.minimum, entry.typeKey);
    }
}

void CTAExtendedBlocksVerifier::verifyVendorBlocks() {
    if (collection.vendorExtendedBlocks.empty()) {
        return;
    }
    detail::ItemList items(kCTAItemIndent);
    for (const CTAVendorExtendedBlock& vendor : collection.vendorExtendedBlocks) {
        qor::String item = detail::localized(vendor.audio ? "CTAVendorAudio" : "CTAVendorVideo") +
                           ", OUI " + detail::ouiText(vendor.oui) + ", " +
                           detail::unsignedText(vendor.length) + " bytes";
        if (vendor.oui == cta::kOuiDolby && !vendor.audio && !vendor.data.empty()) {
            reportProperty("DolbyVisionVersion", detail::unsignedText(vendor.version));
            verifyDolbyVision(*vendor.dolbyVision);
        } else if (vendor.oui == cta::kOuiHDR10Plus && !vendor.data.empty()) {
            reportProperty("HDR10PlusVersion", detail::unsignedText(vendor.version));
        }
        items.add(std::move(item));
    }
    reportList("CTAVendorExtendedBlocks", items);
}

void CTAExtendedBlocksVerifier::verifyFormatPreferences() {
    if (!has(CTADataBlockKind::FormatPreference)) {
        return;
    }
    detail::ItemList items(kCTAItemIndent);
    for (const CTAFormatPreference& preference : collection.formatPreferences) {
        items.add(referenceText(preference.code));
    }
    reportList("CTAFormatPreferences", items);
}

// Byte 2: the reference of the native format; later bytes are listed as stored.
void CTAExtendedBlocksVerifier::verifyNativeResolution() {
    if (!collection.nativeResolution) {
        return;
    }
    const CTANativeResolution& native = *collection.nativeResolution;
    reportProperty("CTANativeResolution", qor::String(referenceText(native.reference)));
    if (!native.furtherBytes.empty()) {
        reportProperty("CTANativeResolutionBytes", detail::hexBytes(native.furtherBytes));
    }
    if (!knownReference(native.reference)) {
        logCTAFinding("CTANativeResolutionReserved", kWarning,
                      {{"reference", detail::unsignedText(native.reference)}});
    }
}

void CTAExtendedBlocksVerifier::verifyInfoFrames() {
    if (!collection.infoFrames) {
        return;
    }
    const CTAInfoFrames& frames = *collection.infoFrames;
    reportProperty("CTAVendorInfoFrames", detail::unsignedText(frames.vendorInfoFrames));
    detail::ItemList items(kCTAItemIndent);
    std::size_t vendor = 0;
    for (const std::uint8_t type : frames.types) {
        std::string text = tableName(kInfoFrameTypes, type);
        if (type == 1 && vendor < frames.vendorOUIs.size()) {
            text += ", OUI ";
            text += detail::ouiText(frames.vendorOUIs[vendor++]).str();
        }
        items.add(std::move(text));
    }
    reportList("CTAInfoFrameTypes", items);
}

void CTAExtendedBlocksVerifier::verifyAudioLayout() {
    if (collection.roomConfiguration) {
        const CTARoomConfiguration& room = *collection.roomConfiguration;
        reportProperty("CTARoomDisplay", detail::yesNo(room.display));
        if (room.speakerCountValid) {
            reportProperty("CTARoomSpeakerCount", detail::unsignedText(room.speakerCount));
        }
        reportBits("CTARoomSpeakers", room.speakers, cta::speakerNames());
    }
    if (has(CTADataBlockKind::SpeakerLocation)) {
        detail::ItemList items(kCTAItemIndent);
        for (const CTASpeakerLocation& location : collection.speakerLocations) {
            std::string text = "channel ";
            detail::appendUnsigned(text, location.channel);
            text += ": speaker ";
            detail::appendUnsigned(text, location.speaker);
            if (location.coordinates) {
                text += qor::SprintfFormat(" at %u, %u, %u", (*location.coordinates)[0],
                                           (*location.coordinates)[1], (*location.coordinates)[2])
                            .str();
            }
            if (location.active) {
                text += ", active";
            }
            items.add(std::move(text));
        }
        reportList("CTASpeakerLocations", items);
    }
    if (collection.hdmiAudio) {
        const CTAHDMIAudio& audio = *collection.hdmiAudio;
        reportProperty("HDMIAudioMaxStreams", detail::unsignedText(audio.maxStreams));
        reportProperty("HDMIAudioMultiStreamNonMixed", detail::yesNo(audio.multiStreamNonMixed));
        reportProperty("HDMIAudio3DDescriptors", detail::unsignedText(audio.descriptors3D));
    }
}

void CTAExtendedBlocksVerifier::verifyHDRDynamic() {
    if (!has(CTADataBlockKind::HDRDynamicMetadata)) {
        return;
    }
    detail::ItemList items(kCTAItemIndent);
    for (const CTAHDRDynamicType& type : collection.hdrDynamicTypes) {
        items.add(tableName(kDynamicTypes, type.type) + ", version " +
                  detail::unsignedText(type.version).str());
    }
    reportList("HDRDynamicMetadataTypes", items);
}

void CTAExtendedBlocksVerifier::verifyDisplayIDTimings() {
    for (const CTADisplayIDTimings& timings : collection.displayIDTimings) {
        const char* name = timings.extendedTag == 34   ? "CTADisplayIDTypeVII"
                           : timings.extendedTag == 35 ? "CTADisplayIDTypeVIII"
                                                       : "CTADisplayIDTypeX";
        reportProperty(name, detail::unsignedText(timings.count));
    }
}

void CTAExtendedBlocksVerifier::verifyEEODB() {
    if (!collection.eeodb) {
        return;
    }
    reportProperty("CTAEEODBExtensionCount",
                   detail::unsignedText(collection.eeodb->extensionCount));
    // It counts only as the first data block of the first extension block.
    const auto first = std::find_if(
        collection.blocks.begin(), collection.blocks.end(),
        [](const CTADataBlockInfo& block) { return block.kind == CTADataBlockKind::HFEEODB; });
    if (suffix != 1 || first->offset != 0 || firstOffset != 4) {
        logCTAFinding("CTAEEODBMisplaced", kWarning,
                      {{"offset", detail::hexByte(firstOffset + first->offset)}});
    }
}

}  // namespace libEDID
