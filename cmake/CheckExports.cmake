# Fails when the shared library LIBRARY exports a symbol of the standard library (std::, and
# __gnu_cxx::): `nm -D --defined-only`, mangled names, whose outermost scope is std (St, or one
# of the abbreviations Sa Sb Ss Si So Sd) or __gnu_cxx, also behind vtable, typeinfo, guard and
# thunk prefixes.
#   cmake -DNM=<nm> -DLIBRARY=<libEDID.so> -P CheckExports.cmake
execute_process(COMMAND "${NM}" -D --defined-only "${LIBRARY}"
    OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(offenders "")
set(count 0)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^.* " "" symbol "${line}")
    if(symbol MATCHES "^_Z(T[VIST]|GV|Th[^_]*_|Tv[^_]*_[^_]*_)?N?K?(S[tabsiod]|9__gnu_cxx)")
        string(APPEND offenders "\n  ${symbol}")
    endif()
    if(symbol)
        math(EXPR count "${count} + 1")
    endif()
endforeach()
if(offenders)
    message(FATAL_ERROR "${LIBRARY} exports standard-library symbols:${offenders}")
endif()
message(STATUS "${LIBRARY}: ${count} exported symbols, none of the standard library")
