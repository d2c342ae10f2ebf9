#pragma once

#include <cstdlib>
#include <string>

// Folders of test data, as the build configured them (TEST_DATA_DIR, EDID_CORPUS_DIR).
namespace edidtest {

/// The EDIDs kept in the repository (tests/data/edid).
inline std::string edidDataDir() {
    return std::string(TEST_DATA_DIR) + "/edid";
}

/// The optional corpus of real EDIDs: the environment variable EDID_CORPUS_DIR, else the folder
/// found when the build was configured; empty when there is none.
inline std::string corpusDir() {
    const char* fromEnvironment = std::getenv("EDID_CORPUS_DIR");
    return fromEnvironment != nullptr && *fromEnvironment != '\0' ? fromEnvironment
                                                                  : EDID_CORPUS_DIR;
}

}  // namespace edidtest
