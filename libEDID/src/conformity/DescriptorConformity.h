#pragma once

#include "conformity/ConformityCheck.h"
#include "decode/base/BaseBlockDecoder.h"

namespace libEDID::conformity {

/// Rules of E-EDID 1.3/1.4 over the four 18-byte descriptors: empty slots, the strings of the
/// name, serial number and data string descriptors, and the GTF flag of the range limits
/// against the continuous frequency bit.
class DescriptorConformity : public ConformityCheck {
  public:
    DescriptorConformity(EDIDParser* owner, const decode::BaseBlock& base)
        : ConformityCheck(owner), base_(base) {}
    void verify() override;

  private:
    void checkEmpty(const decode::Descriptor& descriptor, unsigned slot);
    void checkString(const decode::Descriptor& descriptor, unsigned slot);
    void checkGTF(const decode::Descriptor& descriptor, unsigned slot);

    const decode::BaseBlock& base_;
};

}  // namespace libEDID::conformity
