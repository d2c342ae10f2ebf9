#pragma once

#include "report/EDIDVerifier.h"

namespace libEDID {

/// EDID structure version and revision (12h, 13h): reports both and flags every structure
/// older than 1.3 (version 0, or a revision below 3).
class VersionVerifier : public EDIDVerifier {
  public:
    using EDIDVerifier::EDIDVerifier;

    void verify() override;
};

}  // namespace libEDID
