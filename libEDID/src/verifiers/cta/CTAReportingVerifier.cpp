#include "verifiers/cta/CTAReportingVerifier.h"

#include <algorithm>
#include <bitset>
#include <utility>

#include "decode/cta/CTATables.h"

namespace libEDID {

void CTAReportingVerifier::reportProperty(const char* name, qor::String value) {
    reportValue(name, value);
    notifySysInfoProperty(detail::indexedPropertyName(name, suffix),
                          qor::QORValue(std::move(value)));
}

void CTAReportingVerifier::reportList(const char* name, const detail::ItemList& items) {
    reportValue(name, items.text());
    notifySysInfoProperty(detail::indexedPropertyName(name, suffix), items.values());
}

void CTAReportingVerifier::reportBits(const char* name, unsigned bits,
                                      std::span<const std::string_view> names) {
    detail::ItemList items(kCTAItemIndent);
    for (unsigned bit = 0; bit < names.size(); ++bit) {
        if ((bits >> bit & 1u) != 0 && !names[bit].empty()) {
            items.add(names[bit]);
        }
    }
    reportList(name, items);
}

void CTAReportingVerifier::logCTAFinding(const char* key, Level level, Variables variables) {
    logMesg(detail::makeMessage(key, level, LibEDIDLog::LIBEDID_LOG_CAT_CTA_EXTENSION, variables,
                                {{"block", detail::unsignedText(suffix)}}));
}

void CTADataBlockVerifier::checkMinimumLength(CTADataBlockKind kind, unsigned minimum,
                                              const char* typeKey) {
    for (const CTADataBlockInfo& block : collection.blocks) {
        if (block.kind == kind && block.length < minimum) {
            logCTAFinding("CTAShortDataBlock", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                          {{"type", detail::localized(typeKey)},
                           {"offset", detail::hexByte(firstOffset + block.offset)},
                           {"length", detail::unsignedText(block.length)},
                           {"minimum", detail::unsignedText(minimum)}});
        }
    }
}

bool CTADataBlockVerifier::has(CTADataBlockKind kind) const {
    return std::any_of(collection.blocks.begin(), collection.blocks.end(),
                       [kind](const CTADataBlockInfo& block) { return block.kind == kind; });
}

void CTADataBlockVerifier::reportFormats(const char* name,
                                         const std::vector<CTAShortVideoDescriptor>& formats,
                                         bool judge) {
    detail::ItemList items(kCTAItemIndent);
    std::bitset<256> seen;
    for (const CTAShortVideoDescriptor& svd : formats) {
        const cta::VideoFormat* format = cta::videoFormat(svd.vic);
        const qor::String vic = detail::unsignedText(svd.vic);
        std::string text;
        text.reserve(48);
        text += "VIC ";
        text += vic.str();
        text += ": ";
        if (format == nullptr) {
            text += detail::localized("CTAReservedFormat").str();
        } else {
            detail::appendMode(text, format->width, format->height, format->refresh);
            if (format->interlaced) {
                text += "(I)";
            }
        }
        if (svd.native) {
            text += " (";
            text += detail::localized("CTANativeFormat").str();
            text += ')';
        }
        items.add(std::move(text));
        if (judge && format == nullptr) {
            logCTAFinding("CTAUnknownVIC", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING, {{"vic", vic}});
        } else if (judge && seen.test(svd.vic)) {
            logCTAFinding("CTADuplicateVIC", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING, {{"vic", vic}});
        }
        seen.set(svd.vic);
    }
    reportList(name, items);
}

}  // namespace libEDID
