#pragma once

#include "verifiers/ReportingVerifier.h"

namespace libEDID {

/// EDID structure version and revision (12h, 13h): reports both and flags every structure
/// older than 1.3 (version 0, or a revision below 3).
class VersionVerifier : public ReportingVerifier {
  public:
    using ReportingVerifier::ReportingVerifier;

    void verify() override;
};

}  // namespace libEDID
