#pragma once

#include "libEDID/CTA861.h"
#include "verifiers/ReportingVerifier.h"

namespace libEDID {

/// Base of the CTA-861 verifiers: every property they notify carries the number `suffix`
/// (the extension block's number, or the number of the block that embeds a data block
/// collection), and every finding names it as "block".
class CTAReportingVerifier : public ReportingVerifier {
  public:
    CTAReportingVerifier(EDIDParser* parser, unsigned suffix)
        : ReportingVerifier(parser), suffix(suffix) {}

  protected:
    /// Logs "ReportedValue" with the label of `name` and notifies the property name<suffix>.
    void reportProperty(const char* name, const qor::String& value);
    /// Logs "CTAReportedList" with the label of `name` and one item per line ("None" when
    /// empty), then notifies the array property name<suffix>.
    void reportList(const char* name, const detail::ModeList& items);
    /// reportList of the names of the set bits of `bits`, bit 0 first; empty names are skipped.
    template <typename Names>
    void reportBits(const char* name, unsigned bits, const Names& names) {
        detail::ModeList items;
        for (unsigned bit = 0; bit < names.size(); ++bit) {
            if ((bits >> bit & 1u) != 0 && !names[bit].empty()) {
                items.add(qor::String(std::string(names[bit])));
            }
        }
        reportList(name, items);
    }
    /// A finding of category "cta-extension" with "block" filled; the caller fills the rest.
    LibEDIDLog finding(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level) const;
    /// Logs a finding whose only variable besides "block" is `variable` = `value`.
    void logFinding(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level, const char* variable,
                    const qor::String& value);

    const unsigned suffix;
};

/// Base of the verifiers of one data-block kind: they judge and report a decoded collection.
/// `firstOffset` is the offset of the collection in its block, for the offsets in findings.
class CTADataBlockVerifier : public CTAReportingVerifier {
  public:
    CTADataBlockVerifier(EDIDParser* parser, const CTADataBlockCollection& collection,
                         unsigned suffix, unsigned firstOffset)
        : CTAReportingVerifier(parser, suffix), collection(collection), firstOffset(firstOffset) {}

  protected:
    /// "%02Xh" of a collection offset, as an offset in the block.
    qor::String offsetText(unsigned offset) const;
    /// Logs "CTAShortDataBlock" (error) for every block of `kind` shorter than `minimum`
    /// payload bytes; `typeKey` names the kind.
    void checkMinimumLength(CTADataBlockKind kind, unsigned minimum, const char* typeKey);
    /// True when the collection holds a block of `kind`.
    bool has(CTADataBlockKind kind) const;
    /// reportList of the video formats ("VIC 16: 1920 x 1080 @ 60Hz", "(I)" when interlaced,
    /// " (native)"); when `judge`, warns about VICs without a format and VICs listed twice.
    void reportFormats(const char* name, const std::vector<CTAShortVideoDescriptor>& formats,
                       bool judge);

    const CTADataBlockCollection& collection;
    const unsigned firstOffset;
};

}  // namespace libEDID
