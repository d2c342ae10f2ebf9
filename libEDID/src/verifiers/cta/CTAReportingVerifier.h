#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "libEDID/CTA861.h"
#include "report/EDIDVerifier.h"

namespace libEDID {

/// Base of the CTA-861 verifiers: every property they notify carries the number `suffix`
/// (the extension block's number, or the number of the block that embeds a data block
/// collection), and every finding names it as "block".
class CTAReportingVerifier : public EDIDVerifier {
  public:
    CTAReportingVerifier(EDIDParser* owner, unsigned propertySuffix)
        : EDIDVerifier(owner), suffix(propertySuffix) {}

  protected:
    /// Logs "ReportedValue" with the label of `name` and notifies the property name<suffix>
    /// (`name` of static storage, see indexedPropertyName).
    void reportProperty(const char* name, qor::String value);
    /// Logs "ReportedValue" with the label of `name` and the items one per line ("None" when
    /// empty), then notifies the array property name<suffix>.
    void reportList(const char* name, const detail::ItemList& items);
    /// reportList of the names of the set bits of `bits`, bit 0 first; empty names are skipped.
    void reportBits(const char* name, unsigned bits, std::span<const std::string_view> names);
    /// Logs a finding of category "cta-extension" with "block" and `variables` filled.
    void logCTAFinding(const char* key, Level level, Variables variables = {});

    const unsigned suffix;
};

/// Base of the verifiers of one data-block kind: they judge and report a decoded collection.
/// `firstOffset` is the offset of the collection in its block, for the offsets in findings.
class CTADataBlockVerifier : public CTAReportingVerifier {
  public:
    CTADataBlockVerifier(EDIDParser* owner, const CTADataBlockCollection& decoded,
                         unsigned propertySuffix, unsigned collectionOffset)
        : CTAReportingVerifier(owner, propertySuffix),
          collection(decoded),
          firstOffset(collectionOffset) {}

  protected:
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

/// The indent of the items of a reported list.
inline constexpr const char* kCTAItemIndent = "  ";

}  // namespace libEDID
