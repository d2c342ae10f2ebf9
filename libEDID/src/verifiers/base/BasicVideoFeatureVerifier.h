#pragma once

#include <span>

#include "report/EDIDVerifier.h"

namespace libEDID {

/// Basic display parameters (14h-18h): video input definition, screen size or aspect ratio,
/// gamma and feature support. Reserved or undefined codes give a warning and a report.
class BasicVideoFeatureVerifier : public EDIDVerifier {
  public:
    using EDIDVerifier::EDIDVerifier;

    void verify() override;

    /// One Yes/No report of a bit (see EDIDVerifier::reportFlag).
    struct FlagReport {
        const char* key;
        const char* typeKey;  // null when the message has no "type"
        unsigned char mask;
        const char* property;
    };

  private:
    /// Returns true for a digital input.
    bool verifyInputType(unsigned char input);
    void verifyDigitalInput(unsigned char input);
    void verifyAnalogInput(unsigned char input);
    void verifyScreenSize();
    void verifyGamma();
    void verifyFeatures(bool digital);

    void reportFlags(std::span<const FlagReport> flags, unsigned char byte);
    /// Reports one of the two screen dimensions, or the aspect ratio when the other is 0.
    void reportDimension(bool horizontal, unsigned size, unsigned otherSize);
    /// Warns that the value at `offset` is undefined or reserved.
    void reportUnknown(const char* offset, const qor::String& type);
};

}  // namespace libEDID
