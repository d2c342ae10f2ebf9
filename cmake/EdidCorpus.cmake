# Finds the optional folder of real EDIDs that the corpus test and the benchmarks read: the
# environment variable EDID_CORPUS_DIR, else shared/edid-corpus beside the repository. Sets the
# cache variable EDID_CORPUS_DIR, empty when there is no corpus (the corpus test then skips).
if(NOT DEFINED CACHE{EDID_CORPUS_DIR})
    set(found "")
    foreach(candidate IN ITEMS "$ENV{EDID_CORPUS_DIR}" "${PROJECT_SOURCE_DIR}/../shared/edid-corpus")
        if(candidate AND EXISTS "${candidate}/MANIFEST.tsv")
            get_filename_component(found "${candidate}" ABSOLUTE)
            break()
        endif()
    endforeach()
    set(EDID_CORPUS_DIR "${found}" CACHE PATH "Folder of real EDIDs for the optional corpus test")
endif()
if(EDID_CORPUS_DIR)
    message(STATUS "EDID corpus: ${EDID_CORPUS_DIR}")
else()
    message(STATUS "EDID corpus: none (the corpus test will skip)")
endif()
