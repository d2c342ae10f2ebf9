#pragma once

#include <cstdint>
#include <span>

#include "verifiers/cta/CTAReportingVerifier.h"

namespace libEDID {

/// Decodes and reports a CTA-861 data block collection: the one of a CTA-861 extension block,
/// or one embedded in another extension (DisplayID data block 81h). Every property carries
/// `propertySuffix`, and offsets in findings count from `collectionOffset`, the collection's
/// offset in its block. After verify(), collection() holds the decoded blocks.
class CTADataBlockCollectionVerifier : public CTAReportingVerifier {
  public:
    /// Decodes `bytes` (the data blocks, without any header of the embedding block).
    CTADataBlockCollectionVerifier(EDIDParser* owner, std::span<const std::uint8_t> bytes,
                                   unsigned propertySuffix, unsigned collectionOffset = 0);
    /// Reports a collection decoded already.
    CTADataBlockCollectionVerifier(EDIDParser* owner, CTADataBlockCollection collection,
                                   unsigned propertySuffix, unsigned collectionOffset);

    void verify() override;

    const CTADataBlockCollection& collection() const { return decoded; }

  private:
    void checkRepeatedBlocks();

    CTADataBlockCollection decoded;
    unsigned firstOffset;
};

}  // namespace libEDID
