#pragma once

#include "report/EDIDVerifier.h"

namespace libEDID {

/// Vendor and product identification (08h-11h): manufacturer ID and name, product code,
/// serial number, week and year of manufacture or model year. Gives the parser its default
/// product name (ID-code) and the numeric serial number.
class VendorProductVerifier : public EDIDVerifier {
  public:
    using EDIDVerifier::EDIDVerifier;

    void verify() override;

  private:
    /// Returns the three letters of the manufacturer ID.
    qor::String verifyManufacturer();
    void verifyProductCode(const qor::String& manufacturerID);
    void verifySerialNumber();
    void verifyDate();
};

}  // namespace libEDID
