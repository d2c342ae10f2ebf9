# Fails unless README.md holds the example program verbatim (from its first #include on).
#   cmake -DREADME=<README.md> -DEXAMPLE=<ReadmeExample.cpp> -P CheckReadmeExample.cmake
file(READ "${README}" readme)
file(READ "${EXAMPLE}" example)
string(FIND "${example}" "#include" start)
string(SUBSTRING "${example}" ${start} -1 code)
string(FIND "${readme}" "${code}" found)
if(found EQUAL -1)
    message(FATAL_ERROR "README.md does not hold the code of ${EXAMPLE}; copy it over")
endif()
