#include "conformity/DescriptorConformity.h"

namespace libEDID::conformity {

namespace {

constexpr auto kCategory = LibEDIDLog::LIBEDID_LOG_CAT_BASE_CONFORMITY;
// Range limits byte 10: default GTF (00h) and secondary GTF (02h) both claim GTF timings.
constexpr std::uint8_t kDefaultGTF = 0x00;
constexpr std::uint8_t kSecondaryGTF = 0x02;

bool isString(decode::DescriptorKind kind) {
    return kind == decode::DescriptorKind::ProductName ||
           kind == decode::DescriptorKind::DataString ||
           kind == decode::DescriptorKind::SerialNumber;
}

}  // namespace

void DescriptorConformity::verify() {
    for (unsigned i = 0; i < base_.descriptors.size(); ++i) {
        const decode::Descriptor& descriptor = base_.descriptors[i];
        checkEmpty(descriptor, i + 1);
        checkString(descriptor, i + 1);
        checkGTF(descriptor, i + 1);
    }
}

// A slot without a timing or descriptor holds the dummy descriptor (tag 10h); 18 bytes of 00h
// carry tag 00h, which belongs to the manufacturer.
void DescriptorConformity::checkEmpty(const decode::Descriptor& descriptor, unsigned slot) {
    if (descriptor.allZero) {
        logMesg(message("ConfEmptyDescriptor", kWarning, kCategory,
                        {{"slot", detail::unsignedText(slot)}}));
    }
}

// Name, serial number and data string: up to 13 characters, a shorter text ended by 0Ah and
// padded with 20h. Blanks before the end and an empty text hold no information.
void DescriptorConformity::checkString(const decode::Descriptor& descriptor, unsigned slot) {
    if (!isString(descriptor.kind)) {
        return;
    }
    const char* key = nullptr;
    if (descriptor.text.empty()) {
        key = "ConfStringEmpty";
    } else if (descriptor.textTrailingBlanks) {
        key = "ConfStringTrailingBlanks";
    } else if (descriptor.textPaddingNotBlank) {
        key = "ConfStringPadding";
    }
    if (key != nullptr) {
        logMesg(message(key, kWarning, kCategory,
                        {{"slot", detail::unsignedText(slot)},
                         {"tag", detail::hexByte(descriptor.tag)},
                         {"text", descriptor.text.c_str()}}));
    }
}

// E-EDID 1.4: GTF timings (range limits byte 10 = 00h or 02h) need a display of continuous
// frequency (feature byte 18h bit 0); before 1.4 that bit itself announced GTF.
void DescriptorConformity::checkGTF(const decode::Descriptor& descriptor, unsigned slot) {
    if (!descriptor.range || !base_.isRevision14OrLater() || base_.features.continuousFrequency) {
        return;
    }
    const std::uint8_t support = descriptor.range->timingSupport;
    if (support == kDefaultGTF || support == kSecondaryGTF) {
        logMesg(
            message("ConfGTFNonContinuous", kWarning, kCategory,
                    {{"slot", detail::unsignedText(slot)}, {"support", detail::hexByte(support)}}));
    }
}

}  // namespace libEDID::conformity
