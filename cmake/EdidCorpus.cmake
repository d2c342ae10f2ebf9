# Finds the folder of real EDIDs that the corpus tests and benchmarks read: the environment
# variable EDID_CORPUS_DIR, else shared/edid-corpus beside the repository, else the shared
# folder of the workplace. Sets the cache variable EDID_CORPUS_DIR.
if(NOT DEFINED CACHE{EDID_CORPUS_DIR})
    set(candidates "$ENV{EDID_CORPUS_DIR}"
        "${PROJECT_SOURCE_DIR}/../shared/edid-corpus"
        "/work/shared/edid-corpus")
    set(found "${PROJECT_SOURCE_DIR}/../shared/edid-corpus")
    foreach(candidate IN LISTS candidates)
        if(candidate AND EXISTS "${candidate}/MANIFEST.tsv")
            set(found "${candidate}")
            break()
        endif()
    endforeach()
    set(EDID_CORPUS_DIR "${found}" CACHE PATH "Folder of real EDIDs used by the corpus tests")
endif()
if(NOT EXISTS "${EDID_CORPUS_DIR}")
    message(WARNING "EDID corpus not found at ${EDID_CORPUS_DIR}: the corpus tests will fail. "
                    "Set EDID_CORPUS_DIR to the folder of the real EDIDs.")
endif()
