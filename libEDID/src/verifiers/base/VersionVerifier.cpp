#include "verifiers/base/VersionVerifier.h"

namespace libEDID {

namespace {

constexpr unsigned kVersionOffset = 0x12;
constexpr unsigned kRevisionOffset = 0x13;
constexpr unsigned kMinVersion = 1;
constexpr unsigned kMinRevision = 3;

}  // namespace

void VersionVerifier::verify() {
    const unsigned version = baseBlock()[kVersionOffset];
    const unsigned revision = baseBlock()[kRevisionOffset];
    const qor::String versionText = detail::unsignedText(version);
    const qor::String revisionText = detail::unsignedText(revision);

    // The properties take the reports' text after the label.
    notifySysInfoProperty(
        "VersionNumber", qor::QORValue(reportValue("VersionNumber", versionText).getMesgTrimmed()));
    notifySysInfoProperty(
        "RevisionNumber",
        qor::QORValue(reportValue("RevisionNumber", revisionText).getMesgTrimmed()));
    notifySysInfoProperty("EDIDVersion",
                          qor::QORValue(qor::SprintfFormat("%u.%u", version, revision)));

    if (version < kMinVersion || revision < kMinRevision) {
        LibEDIDLog invalid("InvalidVersion", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                           LibEDIDLog::LIBEDID_LOG_CAT_VERSION);
        invalid.setVariable("minver", detail::unsignedText(kMinVersion));
        invalid.setVariable("minrev", detail::unsignedText(kMinRevision));
        invalid.setVariable("version", versionText);
        invalid.setVariable("revision", revisionText);
        logMesg(invalid);
    }
}

}  // namespace libEDID
