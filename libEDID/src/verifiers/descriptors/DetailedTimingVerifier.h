#pragma once

#include <string>

#include "report/EDIDVerifier.h"

namespace libEDID {

/// Detailed timing descriptors (18 bytes each) in the four descriptor slots of the base block
/// (36h, 48h, 5Ah, 6Ch). One object serves every slot of a parse; the timing in slot 0 is the
/// preferred mode when the feature support byte (18h bit 1) says so.
class DetailedTimingVerifier : public EDIDVerifier {
  public:
    using EDIDVerifier::EDIDVerifier;

    /// Verifies the timing of slot 0.
    void verify() override;

    /// Decodes and reports the 18 bytes at `descriptor`, the timing of slot `slot` (0 to 3).
    void verifyTiming(const unsigned char* descriptor, unsigned slot);

    /// Notifies the property `name` followed by the slot index (PixelClock2).
    /// `name` is of static storage (a literal).
    void notifyIndexedProperty(const char* name, unsigned slot, const qor::QORValue& value);

  private:
    /// The preferred-mode report of slot 0; `pixelClockHz` over the total pixels per frame
    /// gives its refresh rate.
    void reportPreferredMode(unsigned pixelClockHz, unsigned hAddressable, unsigned hBlanking,
                             unsigned vAddressable, unsigned vBlanking);
    /// The multi-line sync signal text of the flags byte (byte 17), notifying its properties.
    qor::String syncSignalText(unsigned char flags, unsigned slot);
    /// Appends the serrations line of the flags' bit 2 and notifies its property.
    void appendSerrations(std::string& text, unsigned char flags, unsigned slot);
};

}  // namespace libEDID
