# Turns the PNP ID registry (Debian's hwdata pnp.ids: "<ID>\t<name>" lines) into a C++ source
# with a table sorted by ID:
#   cmake -DINPUT=<pnp.ids> -DOUTPUT=<file.cpp> -P EmbedPnpIds.cmake
# An INPUT that does not exist gives an empty table: the library then knows no manufacturer
# names. Only IDs of three capital letters are kept (an EDID cannot hold others).
set(rows "")
set(count 0)
if(EXISTS "${INPUT}")
    file(STRINGS "${INPUT}" lines ENCODING UTF-8 REGEX "^[A-Z][A-Z][A-Z]\t.")
    list(SORT lines)
    foreach(line IN LISTS lines)
        string(SUBSTRING "${line}" 0 3 id)
        string(SUBSTRING "${line}" 4 -1 name)
        string(STRIP "${name}" name)
        string(REPLACE "\\" "\\\\" name "${name}")
        string(REPLACE "\"" "\\\"" name "${name}")
        string(APPEND rows "    {\"${id}\", \"${name}\"},\n")
        math(EXPR count "${count} + 1")
    endforeach()
endif()
if(count EQUAL 0)
    set(rows "    {\"\", \"\"},\n")
endif()
file(WRITE "${OUTPUT}.tmp"
    "// Generated from the PNP ID registry; do not edit.\n"
    "#include \"decode/base/PnpIds.h\"\n\n"
    "namespace libEDID::decode {\n\n"
    "const std::size_t kPnpIdCount = ${count};\n"
    "const PnpId kPnpIds[] = {\n${rows}};\n\n"
    "}  // namespace libEDID::decode\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
