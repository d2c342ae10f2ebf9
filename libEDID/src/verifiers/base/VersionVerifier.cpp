#include "verifiers/base/VersionVerifier.h"

#include "decode/base/BaseBlockLayout.h"

namespace libEDID {

namespace {

constexpr unsigned kMinVersion = 1;
constexpr unsigned kMinRevision = 3;

}  // namespace

void VersionVerifier::verify() {
    const unsigned version = baseBlock()[layout::kVersion];
    const unsigned revision = baseBlock()[layout::kRevision];
    const qor::String versionText = detail::unsignedText(version);
    const qor::String revisionText = detail::unsignedText(revision);

    // The properties take the reports' text after the label.
    notifySysInfoProperty("VersionNumber",
                          qor::QORValue(reportValueTrimmed("VersionNumber", versionText)));
    notifySysInfoProperty("RevisionNumber",
                          qor::QORValue(reportValueTrimmed("RevisionNumber", revisionText)));
    notifySysInfoProperty("EDIDVersion", qor::QORValue(detail::unsignedText(version) + "." +
                                                       detail::unsignedText(revision)));

    if (version < kMinVersion || revision < kMinRevision) {
        logFinding("InvalidVersion", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                   LibEDIDLog::LIBEDID_LOG_CAT_VERSION,
                   {{"minver", detail::unsignedText(kMinVersion)},
                    {"minrev", detail::unsignedText(kMinRevision)},
                    {"version", versionText},
                    {"revision", revisionText}});
    }
}

}  // namespace libEDID
