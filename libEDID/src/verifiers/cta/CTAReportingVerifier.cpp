#include "verifiers/cta/CTAReportingVerifier.h"

#include <algorithm>
#include <bitset>

#include "verifiers/cta/CTATables.h"

namespace libEDID {

void CTAReportingVerifier::reportProperty(const char* name, const qor::String& value) {
    reportValue(name, value);
    notifySysInfoProperty(name + detail::indexText(suffix), qor::QORValue(value));
}

void CTAReportingVerifier::reportList(const char* name, const detail::ModeList& items) {
    LibEDIDLog record("CTAReportedList", LibEDIDLog::LIBEDID_LOG_LEVEL_INFO,
                      LibEDIDLog::LIBEDID_LOG_CAT_GENERAL);
    record.setVariable("type", detail::localized(name));
    // The list's lines without the terminator of the last: the log appends one.
    const qor::String& text = items.text();
    record.setVariable("items", items.isEmpty()
                                    ? " " + detail::localized("None")
                                    : text.subString(0, text.size() - detail::eol().size()));
    logMesgAndAppend(record);
    notifySysInfoProperty(name + detail::indexText(suffix), items.values());
}

LibEDIDLog CTAReportingVerifier::finding(const char* key,
                                         LibEDIDLog::LIBEDID_LOG_LEVEL level) const {
    LibEDIDLog record(key, level, LibEDIDLog::LIBEDID_LOG_CAT_CTA_EXTENSION);
    record.setVariable("block", detail::unsignedText(suffix));
    return record;
}

void CTAReportingVerifier::logFinding(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                                      const char* variable, const qor::String& value) {
    LibEDIDLog record = finding(key, level);
    record.setVariable(variable, value);
    logMesg(record);
}

qor::String CTADataBlockVerifier::offsetText(unsigned offset) const {
    return qor::SprintfFormat("%02Xh", firstOffset + offset);
}

void CTADataBlockVerifier::checkMinimumLength(CTADataBlockKind kind, unsigned minimum,
                                              const char* typeKey) {
    for (const CTADataBlockInfo& block : collection.blocks) {
        if (block.kind == kind && block.length < minimum) {
            LibEDIDLog record = finding("CTAShortDataBlock", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR);
            record.setVariable("type", detail::localized(typeKey));
            record.setVariable("offset", offsetText(block.offset));
            record.setVariable("length", detail::unsignedText(block.length));
            record.setVariable("minimum", detail::unsignedText(minimum));
            logMesg(record);
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
    detail::ModeList items;
    std::bitset<256> seen;
    for (const CTAShortVideoDescriptor& svd : formats) {
        const cta::VideoFormat* format = cta::videoFormat(svd.vic);
        qor::String text = qor::SprintfFormat("VIC %u: ", svd.vic);
        if (format == nullptr) {
            text += detail::localized("CTAReservedFormat");
        } else {
            text += detail::modeText(format->width, format->height, format->refresh);
            if (format->interlaced) {
                text += "(I)";
            }
        }
        if (svd.native) {
            text += " (native)";
        }
        items.add(text);
        if (judge && format == nullptr) {
            logFinding("CTAUnknownVIC", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING, "vic",
                       detail::unsignedText(svd.vic));
        } else if (judge && seen.test(svd.vic)) {
            logFinding("CTADuplicateVIC", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING, "vic",
                       detail::unsignedText(svd.vic));
        }
        seen.set(svd.vic);
    }
    reportList(name, items);
}

}  // namespace libEDID
