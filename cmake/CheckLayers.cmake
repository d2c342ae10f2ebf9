# cmake -DSOURCE_DIR=<libEDID/src> -P CheckLayers.cmake
#
# The sources of libEDID lie in layers that include in one direction only:
#   sources -> decode -> model -> report -> verifiers, conformity -> parser
# A layer may include itself and the layers listed for it below. The pure layers (decode, model)
# may not include the public headers that carry messages, texts or the parser either, so that
# the typed fast path never pulls in the text machinery. Fails with one line per offending
# include.
cmake_minimum_required(VERSION 3.25)

set(layers sources decode model report verifiers conformity parser)
set(allowed_sources sources)
set(allowed_decode sources decode)
set(allowed_model sources decode model)
set(allowed_report sources decode model report)
set(allowed_verifiers sources decode model report verifiers)
set(allowed_conformity sources decode model report verifiers conformity)
set(allowed_parser ${layers})
set(forbidden_public_decode libEDID/EDIDParser.h libEDID/LibEDIDLog.h libEDID/libEDID.h
    libEDID/EDIDCallback.h qor/Resource.h qor/Logging.h)
set(forbidden_public_model ${forbidden_public_decode})

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
if(NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "CheckLayers: SOURCE_DIR \"${SOURCE_DIR}\" is not a folder")
endif()

set(violations "")
set(checked 0)
foreach(layer IN LISTS layers)
    file(GLOB_RECURSE files "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
    foreach(file IN LISTS files)
        math(EXPR checked "${checked} + 1")
        file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" target "${line}")
            string(REGEX MATCH "^[^/]*" top "${target}")
            if(top IN_LIST layers AND NOT top IN_LIST allowed_${layer})
                list(APPEND violations "${shown} includes ${target}: ${layer} may not include ${top}")
            endif()
            if(target IN_LIST forbidden_public_${layer})
                list(APPEND violations "${shown} includes ${target}: ${layer} stays free of texts and the parser")
            endif()
        endforeach()
    endforeach()
endforeach()

# Every folder of the sources must be a known layer, so that a new folder is placed knowingly.
file(GLOB entries RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
foreach(entry IN LISTS entries)
    if(IS_DIRECTORY "${SOURCE_DIR}/${entry}" AND NOT entry IN_LIST layers)
        list(JOIN layers ", " known)
        list(APPEND violations "${entry}/ is not a layer (${known})")
    endif()
endforeach()

if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "Layer check failed:\n  ${text}")
endif()
message(STATUS "Layer check: ${checked} files, every include goes down the layers")
