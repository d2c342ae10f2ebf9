// Decoders of the CTA-861 extended-tag data blocks beyond the first layer: vendor-specific
// video and audio, InfoFrame, room configuration, speaker location, HDMI audio, HDR dynamic
// metadata and DisplayID timings. Every payload starts with its extended tag byte.

#include "decode/cta/CTADecoder.h"
#include "decode/cta/PayloadBytes.h"

namespace libEDID::cta {

using bytes::at;

// Bytes 1-3: OUI; Dolby Vision keeps its version in bits 7-5 of byte 4, HDR10+ its application
// version in bits 1-0.
CTAVendorExtendedBlock decodeVendorExtended(Bytes payload) {
    CTAVendorExtendedBlock vendor;
    vendor.audio = at(payload, 0) == 17;
    vendor.oui = bytes::ouiAt(payload, 1);
    vendor.length = static_cast<std::uint8_t>(payload.size());
    if (payload.size() > 4) {
        vendor.data.assign(payload.begin() + 4, payload.end());
        if (vendor.oui == kOuiDolby && !vendor.audio) {
            vendor.version = payload[4] >> 5;
            vendor.dolbyVision = decodeDolbyVision(payload.subspan(4));
        } else if (vendor.oui == kOuiHDR10Plus) {
            vendor.version = payload[4] & 0x03;
        }
    }
    return vendor;
}

// Byte 1: bits 7-5 the number of further bytes of the processing descriptor; byte 2: the
// number of vendor-specific InfoFrames the sink takes at once. Then short InfoFrame
// descriptors: bits 7-5 the bytes after the header, bits 4-0 the type; type 1 (vendor-specific)
// starts its bytes with the OUI.
CTAInfoFrames decodeInfoFrames(Bytes payload) {
    CTAInfoFrames frames;
    frames.vendorInfoFrames = at(payload, 2);
    std::size_t pos = 3u + (at(payload, 1) >> 5);
    while (pos < payload.size()) {
        const unsigned type = payload[pos] & 0x1Fu;
        const unsigned length = payload[pos] >> 5;
        frames.types.push_back(static_cast<std::uint8_t>(type));
        if (type == 1) {
            frames.vendorOUIs.push_back(bytes::ouiAt(payload, pos + 1));
        }
        pos += 1 + length;
    }
    return frames;
}

// Byte 1: bit 7 display, bit 6 speaker count valid, bit 5 speaker location descriptors
// present, bits 4-0 speaker count minus one; bytes 2-4: the speaker presence mask in the order
// of the speaker allocation block.
CTARoomConfiguration decodeRoomConfiguration(Bytes payload) {
    CTARoomConfiguration room;
    const unsigned flags = at(payload, 1);
    room.display = (flags & 0x80) != 0;
    room.speakerCountValid = (flags & 0x40) != 0;
    room.locationsValid = (flags & 0x20) != 0;
    room.speakerCount = (flags & 0x1Fu) + 1;
    room.speakers = at(payload, 2) | (at(payload, 3) << 8) | (at(payload, 4) << 16);
    return room;
}

// Descriptors of 2 bytes, or 5 when byte 0 bit 6 says X, Y and Z follow.
void decodeSpeakerLocations(Bytes payload, std::vector<CTASpeakerLocation>& out) {
    for (std::size_t pos = 1; pos + 2 <= payload.size();) {
        CTASpeakerLocation location;
        location.channel = payload[pos] & 0x1F;
        location.active = (payload[pos] & 0x20) != 0;
        location.speaker = payload[pos + 1] & 0x1F;
        const bool coordinates = (payload[pos] & 0x40) != 0;
        if (coordinates && pos + 5 <= payload.size()) {
            location.coordinates = {payload[pos + 2], payload[pos + 3], payload[pos + 4]};
        }
        out.push_back(location);
        pos += coordinates ? 5 : 2;
    }
}

// Byte 1: bit 2 Supports_MS_NonMixed, bits 1-0 Max_Stream_Count minus one (0: one stream);
// byte 2 bits 2-0: the number of 3D audio descriptors.
CTAHDMIAudio decodeHDMIAudio(Bytes payload) {
    CTAHDMIAudio audio;
    audio.maxStreams = (at(payload, 1) & 0x03u) + 1;
    audio.multiStreamNonMixed = (at(payload, 1) & 0x04) != 0;
    audio.descriptors3D = at(payload, 2) & 0x07u;
    return audio;
}

// Entries: a length byte (the bytes after it), the metadata type (2 bytes, least significant
// first), then the type's fields with its version in bits 3-0 of the first.
void decodeHDRDynamicTypes(Bytes payload, std::vector<CTAHDRDynamicType>& out) {
    for (std::size_t pos = 1; pos < payload.size();) {
        const unsigned length = payload[pos];
        if (length < 2 || pos + 1 + length > payload.size()) {
            break;
        }
        const auto type = static_cast<std::uint16_t>(payload[pos + 1] | (payload[pos + 2] << 8));
        const std::uint8_t version = length > 2 ? payload[pos + 3] & 0x0F : 0;
        out.push_back({type, version});
        pos += 1 + length;
    }
}

// Byte 1: the block revision and options; then type VII: 20-byte descriptors, type VIII:
// 1-byte codes (2-byte when byte 1 bit 3 is set), type X: 6-byte descriptors (7 when bits 6-4
// of byte 1 are 1).
CTADisplayIDTimings decodeDisplayIDTimings(Bytes payload) {
    CTADisplayIDTimings timings;
    timings.extendedTag = at(payload, 0);
    const std::size_t body = payload.size() < 2 ? 0 : payload.size() - 2;
    const unsigned options = at(payload, 1);
    std::size_t size = 20;
    if (timings.extendedTag == 35) {
        size = (options & 0x08) != 0 ? 2 : 1;
    } else if (timings.extendedTag == 42) {
        size = 6 + ((options >> 4) & 0x07u);
    }
    timings.count = static_cast<unsigned>(body / size);
    return timings;
}

}  // namespace libEDID::cta
