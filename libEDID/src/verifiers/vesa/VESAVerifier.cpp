#include "verifiers/vesa/VESAVerifier.h"

#include <algorithm>

#include "report/MessageBuilder.h"

namespace libEDID {

namespace {

constexpr const char* kIndent = " ";

template <typename Verifier>
void run(EDIDParser* owner, unsigned number) {
    Verifier(owner, number).verify();
}

struct TagVerifier {
    unsigned char tag;
    void (*verify)(EDIDParser*, unsigned);
};
constexpr TagVerifier kTagVerifiers[] = {
    {vesa::kTagVideoTimingBlock, run<VESAVideoTimingVerifier>},
    {vesa::kTagDisplayInformation, run<VESADisplayInfoVerifier>},
    {vesa::kTagLocalizedStrings, run<VESAHeaderOnlyVerifier>},
    {vesa::kTagPacketVideoLink, run<VESAHeaderOnlyVerifier>},
    {vesa::kTagBlockMap, run<VESABlockMapVerifier>},
};

}  // namespace

bool verifyVESAExtension(EDIDParser* owner, unsigned number, unsigned char tag) {
    for (const TagVerifier& entry : kTagVerifiers) {
        if (entry.tag == tag) {
            entry.verify(owner, number);
            return true;
        }
    }
    return false;
}

void VESAVerifier::reportSection(const char* kindKey) {
    logMesgAndAppend(info("VESAExtensionSection", {{"kind", detail::localized(kindKey)},
                                                   {"block", blockText},
                                                   {"tag", detail::hexByte(block()[0])}}));
}

void VESAVerifier::reportLine(const char* typeKey, const qor::String& value, const char* property) {
    reportLabelledValue(kIndent + detail::localized(typeKey), value);
    if (property != nullptr) {
        notifySysInfoProperty(detail::indexedPropertyName(property, blockNumber),
                              qor::QORValue(value));
    }
}

void VESAVerifier::logBlockFinding(const char* key, Level level, Variables variables,
                                   Category category) {
    logMesg(detail::makeMessage(key, level, category, {{"block", blockText}}, variables));
}

void VESAVerifier::reportVersion(unsigned version, unsigned known, const char* property) {
    reportLine("VESAVersion", detail::unsignedText(version), property);
    if (version != known) {
        logBlockFinding(
            "VESAUnknownVersion", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
            {{"version", detail::unsignedText(version)}, {"known", detail::unsignedText(known)}});
    }
}

// Localized strings (50h): byte 1 version, byte 2 revision. Digital packet video link (60h):
// byte 1 version. The bytes after them stay as stored.
void VESAHeaderOnlyVerifier::verify() {
    const bool strings = block()[0] == vesa::kTagLocalizedStrings;
    std::span<const std::uint8_t> kept;
    if (strings) {
        VESALocalizedStrings ls = vesa::decodeLocalizedStrings(bytes(), blockNumber);
        reportSection("VESAKindLocalizedStrings");
        reportLine("VESAVersion",
                   detail::unsignedText(ls.version) + "." + detail::unsignedText(ls.revision),
                   "VESALocalizedStringsVersion");
        results().localizedStrings.push_back(ls);
        kept = results().localizedStrings.back().data;
    } else {
        VESAPacketVideoLink dpvl = vesa::decodePacketVideoLink(bytes(), blockNumber);
        reportSection("VESAKindPacketVideoLink");
        reportLine("VESAVersion", detail::unsignedText(dpvl.version), "VESAPacketVideoLinkVersion");
        results().packetVideoLinks.push_back(dpvl);
        kept = results().packetVideoLinks.back().data;
    }
    const auto nonZero = static_cast<unsigned>(
        std::count_if(kept.begin(), kept.end(), [](auto b) { return b != 0; }));
    reportLine(
        "VESAKeptBytes",
        detail::filledText("VESAKeptBytesText",
                           {{"count", detail::unsignedText(static_cast<unsigned>(kept.size()))},
                            {"nonzero", detail::unsignedText(nonZero)}}));
}

}  // namespace libEDID
