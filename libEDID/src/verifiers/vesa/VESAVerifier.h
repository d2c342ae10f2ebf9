#pragma once

#include <array>

#include "decode/vesa/VESADecoder.h"
#include "libEDID/VESAExtensions.h"
#include "report/EDIDVerifier.h"
#include "report/ReportText.h"

namespace libEDID {

/// Base of the verifiers of the VESA extension blocks (tags 10h, 40h, 50h, 60h, F0h): reports
/// of one extension block, whose number suffixes the properties and fills the "block"
/// placeholder of the findings.
class VESAVerifier : public EDIDVerifier {
  public:
    VESAVerifier(EDIDParser* owner, unsigned number)
        : EDIDVerifier(owner), blockNumber(number), blockText(detail::unsignedText(number)) {}

  protected:
    /// The block's first line: its kind (label `kindKey`), number and tag.
    void reportSection(const char* kindKey);
    /// An indented value line; with `property` (of static storage) also that property,
    /// suffixed with the block number, holding `value`.
    void reportLine(const char* typeKey, const qor::String& value, const char* property = nullptr);
    /// Logs the finding `key` with "block" and `variables` filled; category EXTENSION_BLOCK
    /// unless told otherwise.
    void logBlockFinding(const char* key, Level level, Variables variables = {},
                         Category category = LibEDIDLog::LIBEDID_LOG_CAT_EXTENSION_BLOCK);
    /// The version line and property `property`; a version other than `known` is reported.
    void reportVersion(unsigned version, unsigned known, const char* property);
    /// The extension block being verified.
    const EDIDBlock& block() const { return extensionBlocks()[blockNumber - 1]; }
    vesa::Block bytes() const { return vesa::Block(block().data(), block().size()); }
    VESAExtensionBlocks& results() { return vesaExtensions(); }

    const unsigned blockNumber;
    const qor::String blockText;
};

/// Block map (tag F0h): the tags it lists, judged against the blocks present.
class VESABlockMapVerifier : public VESAVerifier {
  public:
    using VESAVerifier::VESAVerifier;
    void verify() override;

  private:
    void checkPlacement();
    void checkEntries(const VESABlockMap& map);
    void checkSecondMap();
};

/// Video timing block extension (tag 10h): its counts and the modes of its descriptors.
class VESAVideoTimingVerifier : public VESAVerifier {
  public:
    using VESAVerifier::VESAVerifier;
    void verify() override;

  private:
    void reportModes(const VESAVideoTimingBlock& vtb);
    void checkDescriptors(const VESAVideoTimingBlock& vtb);
};

/// Display information extension (tag 40h): interface, display device, capabilities and
/// transfer characteristic.
class VESADisplayInfoVerifier : public VESAVerifier {
  public:
    using VESAVerifier::VESAVerifier;
    void verify() override;

  private:
    void reportInterface(const VESADIInterface& link);
    void reportDevice(const VESADisplayInformation& di);
    void reportCapabilities(const VESADisplayInformation& di);
    void reportTransfer(const VESADisplayInformation& di);
    /// The label of `code` in `keys`, or the reserved label with the code (and a finding).
    qor::String codeName(std::span<const char* const> keys, unsigned code, const char* field);
};

/// Localized string (tag 50h) and digital packet video link (tag 60h) extensions: the header
/// is reported, the rest is kept as stored.
class VESAHeaderOnlyVerifier : public VESAVerifier {
  public:
    using VESAVerifier::VESAVerifier;
    void verify() override;
};

/// The modes of a video timing block's descriptors: detailed timings, every rate of each CVT
/// code, then the standard timings.
detail::ModeList videoTimingModes(const VESAVideoTimingBlock& vtb);

/// A value in hundredths as "0.28".
qor::String hundredthsText(unsigned value);

/// First pixel upper left, upper right, lower left, lower right: the zero pixel codes that the
/// display information extension and the display device data block share.
inline constexpr std::array<const char*, 4> kVESAZeroPixel{
    "VESADIZeroUpperLeft", "VESADIZeroUpperRight", "VESADIZeroLowerLeft", "VESADIZeroLowerRight"};

/// Runs the verifier of the VESA extension tag `tag` over extension block `number`; false when
/// the tag is none of them.
bool verifyVESAExtension(EDIDParser* owner, unsigned number, unsigned char tag);

}  // namespace libEDID
