#pragma once

#include <array>

#include "report/EDIDVerifier.h"

namespace libEDID {

/// The display range limits descriptor (FDh): vertical and horizontal rate ranges with the
/// rate offsets of byte 04h, the maximum pixel clock, and the timing support data of bytes
/// 0Ah-11h (default GTF, range limits only, secondary GTF curve or CVT support). Offsets
/// below are descriptor offsets.
class DisplayRangeVerifier : public EDIDVerifier {
  public:
    /// Descriptor bytes 04h to 11h.
    using Limits = std::array<unsigned char, 14>;

    DisplayRangeVerifier(EDIDParser* owner, const Limits& bytes)
        : EDIDVerifier(owner), limits(bytes) {}

    void verify() override;

  private:
    /// The byte at a descriptor offset (04h to 11h).
    unsigned char at(unsigned offset) const;

    void verifyRates();
    /// "InvalidRangeLimits" when the minimum rate exceeds the maximum.
    void checkRate(const char* typeKey, unsigned min, unsigned max);
    /// Default GTF and range limits only: 0Bh must be 0Ah, 0Ch-11h must be 20h.
    void verifyPadding();
    void verifySecondaryGTF();
    void verifyCVTSupport();

    /// "InvalidValueAtOffset" for the byte at `offset`.
    void reportValueAtOffset(LibEDIDLog::LIBEDID_LOG_LEVEL level, const qor::String& type,
                             unsigned offset, const qor::String& expected);
    /// Adds a Yes/No line and notifies the flag as the boolean property named like its label.
    void addFlagLine(detail::DetailLines& lines, const char* labelKey, bool flag);

    Limits limits;
};

}  // namespace libEDID
