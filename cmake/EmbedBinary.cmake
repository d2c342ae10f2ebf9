# Turns the files of a folder into a C++ source that defines one table of embedded files.
#   cmake -DINPUT_DIR=<folder> -DPATTERN=<glob, e.g. *.bin> -DOUTPUT=<file.cpp>
#         -DHEADER=<header declaring TYPE> -DTYPE=<aggregate {const char*, const unsigned char*,
#         std::size_t}> -DSYMBOL=<name> -P EmbedBinary.cmake
# Defines `const TYPE SYMBOL[]` (file name, bytes, size; files in name order) and
# `const std::size_t SYMBOLCount`.
file(GLOB files LIST_DIRECTORIES false RELATIVE "${INPUT_DIR}" "${INPUT_DIR}/${PATTERN}")
list(SORT files)
if(NOT files)
    message(FATAL_ERROR "EmbedBinary: no file matches ${INPUT_DIR}/${PATTERN}")
endif()

set(arrays "")
set(entries "")
set(index 0)
foreach(name IN LISTS files)
    file(READ "${INPUT_DIR}/${name}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    # 16 bytes per line: "0xNN, " for every pair of hex digits.
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " bytes "${hex}")
    string(REGEX REPLACE "((0x[0-9a-f][0-9a-f], ){16})" "\\1\n    " bytes "${bytes}")
    if(size EQUAL 0)
        set(bytes "0")
    endif()
    string(APPEND arrays "const unsigned char kData${index}[] = {\n    ${bytes}};\n")
    string(APPEND entries "    {\"${name}\", kData${index}, ${size}},\n")
    math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT_DIR}/${PATTERN}; do not edit.\n"
    "#include <cstddef>\n\n"
    "#include \"${HEADER}\"\n\n"
    "namespace {\n${arrays}}  // namespace\n\n"
    "extern const ${TYPE} ${SYMBOL}[];\n"
    "extern const std::size_t ${SYMBOL}Count;\n"
    "const ${TYPE} ${SYMBOL}[] = {\n${entries}};\n"
    "const std::size_t ${SYMBOL}Count = ${index};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
