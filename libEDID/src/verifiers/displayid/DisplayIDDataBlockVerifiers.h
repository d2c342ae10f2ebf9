#pragma once

#include <span>

#include "decode/displayid/DisplayIDDecode.h"
#include "verifiers/displayid/DisplayIDVerifier.h"

namespace libEDID {

/// What a data-block verifier works on: the section being filled, its header, and the block
/// with its tag entry and payload (the bytes after the block's 3-byte header).
struct DisplayIDDataBlockContext {
    DisplayIDSection& section;
    const displayid::SectionHeader& header;
    const DisplayIDDataBlock& block;
    const displayid::TagInfo& info;
    std::span<const unsigned char> payload;
};

/// Base of the verifiers of one decoded data-block kind: they decode the payload into the
/// section and report each decoded item on its own line under the block's line.
class DisplayIDDataBlockVerifier : public DisplayIDVerifier {
  public:
    DisplayIDDataBlockVerifier(EDIDParser* owner, const DisplayIDDataBlockContext& where)
        : DisplayIDVerifier(owner, where.section.blockNumber), context(where) {}

  protected:
    /// reportLine under the block's line.
    void reportItem(const char* typeKey, const qor::String& value);
    /// reportItem, then the indexed property `property` holding `value`.
    void reportItemProperty(const char* typeKey, const qor::String& value, const char* property);
    /// True when the payload holds the `info.minLength` bytes that the decoder reads; else
    /// logs "DisplayIDDataBlockSize" (warning) and the block is not decoded.
    bool payloadLongEnough();
    /// Logs the size warning `key` with "length" = the payload length and "expected".
    void reportBadSize(const char* key, unsigned expected);
    /// Logs "DisplayIDReservedValue" (warning): the field named by `fieldKey` holds `value`.
    void reportReserved(const char* fieldKey, unsigned value);

    const DisplayIDDataBlockContext context;
};

/// Type I (tag 03h, pixel clock in 10 kHz units) and type VII (tag 22h, 1 kHz units) detailed
/// timings: 20 bytes each.
class DisplayIDTimingVerifier : public DisplayIDDataBlockVerifier {
  public:
    DisplayIDTimingVerifier(EDIDParser* owner, const DisplayIDDataBlockContext& where,
                            unsigned unitKHz)
        : DisplayIDDataBlockVerifier(owner, where), clockUnitKHz(unitKHz) {}
    void verify() override;

  private:
    unsigned clockUnitKHz;
};

/// Product identification (tag 00h or 20h).
class DisplayIDProductVerifier : public DisplayIDDataBlockVerifier {
  public:
    using DisplayIDDataBlockVerifier::DisplayIDDataBlockVerifier;
    void verify() override;
};

/// Display parameters (tag 01h or 21h): image size and native format.
class DisplayIDParametersVerifier : public DisplayIDDataBlockVerifier {
  public:
    using DisplayIDDataBlockVerifier::DisplayIDDataBlockVerifier;
    void verify() override;
};

/// Tiled display topology (tag 12h or 28h).
class DisplayIDTiledTopologyVerifier : public DisplayIDDataBlockVerifier {
  public:
    using DisplayIDDataBlockVerifier::DisplayIDDataBlockVerifier;
    void verify() override;
};

}  // namespace libEDID

namespace libEDID {

/// The further decoded kinds: VESA and CTA timing bitmaps, serial number and string, display
/// interface (1.x), interface features, dynamic range limits, adaptive sync (2.x), colour
/// characteristics, vendor-specific blocks and container ID. One value line under the data
/// block and the indexed property of the kind.
class DisplayIDFurtherBlockVerifier : public DisplayIDDataBlockVerifier {
  public:
    using DisplayIDDataBlockVerifier::DisplayIDDataBlockVerifier;
    void verify() override;

  private:
    void verifyBitmap();
    void verifyInterface();
    void verifyInterfaceFeatures();
    void verifyDynamicRange();
    void verifyAdaptiveSync();
    void verifyColor();
};

/// The timing kinds beyond types I and VII: detailed types II and VI (into the section's
/// timings), formula-based types III, V, IX and X, and the timing codes of types IV and VIII.
/// One line per timing; the formula-based and coded ones also as an indexed list property.
class DisplayIDTimingKindsVerifier : public DisplayIDDataBlockVerifier {
  public:
    using DisplayIDDataBlockVerifier::DisplayIDDataBlockVerifier;
    void verify() override;

  private:
    void verifyFormulaTimings();
    void verifyTimingCodes();
    /// The size warning when descriptors leave bytes over.
    void checkLeftover(unsigned leftover, unsigned size);
};

/// The device blocks of 1.x (video timing range limits, display device data, interface power
/// sequencing, transfer characteristics) and the stereo display interface: one value line
/// under the data block and the indexed property of the kind.
class DisplayIDDeviceBlockVerifier : public DisplayIDDataBlockVerifier {
  public:
    using DisplayIDDataBlockVerifier::DisplayIDDataBlockVerifier;
    void verify() override;

  private:
    void verifyRangeLimits();
    void verifyDeviceData();
    void verifyPowerSequencing();
    void verifyTransfer();
    void verifyStereo();
};

}  // namespace libEDID
