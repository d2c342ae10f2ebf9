#pragma once

#include "libEDID/DisplayID.h"
#include "report/EDIDVerifier.h"
#include "report/ReportText.h"

namespace libEDID {

/// Base of the DisplayID verifiers: reports of one DisplayID extension block, whose number
/// suffixes the properties and fills the "block" placeholder of the findings.
class DisplayIDVerifier : public EDIDVerifier {
  public:
    DisplayIDVerifier(EDIDParser* owner, unsigned number)
        : EDIDVerifier(owner), blockNumber(number), blockText(detail::unsignedText(number)) {}

  protected:
    /// reportValue with the label after `indent`: the items of a data block nest under the
    /// block's line.
    void reportLine(const char* indent, const char* typeKey, const qor::String& value);
    /// The property `property` (of static storage) followed by the block number.
    void notifyIndexed(const char* property, const qor::QORValue& value);
    /// Logs the finding `key` (category DisplayID) with "block" and `variables` filled.
    void logBlockFinding(const char* key, Level level, Variables variables = {});
    /// logBlockFinding about one data block: also "tag" and "offset" (of its tag byte).
    void logDataBlockFinding(const char* key, Level level, const DisplayIDDataBlock& data,
                             Variables variables = {});
    /// The extension block being verified.
    const EDIDBlock& block() const { return extensionBlocks()[blockNumber - 1]; }

    const unsigned blockNumber;
    const qor::String blockText;
};

}  // namespace libEDID
