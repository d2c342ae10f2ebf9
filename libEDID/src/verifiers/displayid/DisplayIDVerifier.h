#pragma once

#include "libEDID/DisplayID.h"
#include "parser/EDIDVerifier.h"

namespace libEDID {

/// Base of the DisplayID verifiers: reports of one DisplayID extension block, whose number
/// suffixes the properties and fills the "block" placeholder of the findings.
class DisplayIDVerifier : public EDIDVerifier {
  public:
    DisplayIDVerifier(EDIDParser* parser, unsigned blockNumber)
        : EDIDVerifier(parser), blockNumber(blockNumber) {}

  protected:
    /// Logs "ReportedValue" ({type}: {value}) and appends it to the EDID string after `indent`,
    /// so that the block's reports read as its own section.
    void reportLine(const char* indent, const char* typeKey, const qor::String& value);
    /// The property `property` followed by the block number.
    void notifyIndexed(const char* property, const qor::QORValue& value);
    /// A finding (category DisplayID) with "block" filled.
    LibEDIDLog finding(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level) const;
    /// A finding about one data block: "block", "tag" and "offset" filled.
    LibEDIDLog finding(const char* key, LibEDIDLog::LIBEDID_LOG_LEVEL level,
                       const DisplayIDDataBlock& data) const;
    /// The extension block being verified.
    const EDIDBlock& block() const { return extensionBlocks()[blockNumber - 1]; }

    const unsigned blockNumber;
};

}  // namespace libEDID
