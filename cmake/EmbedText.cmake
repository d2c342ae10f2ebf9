# Turns a text file into a C++ source that defines one string constant.
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P EmbedText.cmake
# The text is split into raw-string chunks so that no compiler limit on literal length is hit.
file(READ "${INPUT}" content)
string(LENGTH "${content}" length)
set(chunks "")
set(pos 0)
while(pos LESS length)
    string(SUBSTRING "${content}" ${pos} 4000 piece)
    string(APPEND chunks "    R\"QORTEXT(${piece})QORTEXT\"\n")
    math(EXPR pos "${pos} + 4000")
endwhile()
if(chunks STREQUAL "")
    set(chunks "    \"\"\n")
endif()
file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT}; do not edit.\n"
    "extern const char* const ${SYMBOL};\n"
    "const char* const ${SYMBOL} =\n${chunks};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
