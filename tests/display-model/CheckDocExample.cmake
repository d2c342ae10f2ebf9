# Fails unless docs/display-model.md holds the example program verbatim (from its first
# #include on) and the program has at most MAX_LINES lines that are not blank.
#   cmake -DDOC=<display-model.md> -DEXAMPLE=<Program.cpp> -DMAX_LINES=<n> -P CheckDocExample.cmake
file(READ "${DOC}" doc)
file(READ "${EXAMPLE}" example)
string(FIND "${example}" "#include" start)
string(SUBSTRING "${example}" ${start} -1 code)
string(FIND "${doc}" "${code}" found)
if(found EQUAL -1)
    message(FATAL_ERROR "${DOC} does not hold the code of ${EXAMPLE}; copy it over")
endif()
string(REGEX MATCHALL "[^\n]*[^ \n][^\n]*" lines "${code}")
list(LENGTH lines count)
if(count GREATER MAX_LINES)
    message(FATAL_ERROR "${EXAMPLE} has ${count} lines, more than ${MAX_LINES}")
endif()
