# libedid_check_headers(<target> <include dir> <pattern> <libraries>...)
#
# Compiles every header under <include dir> that matches <pattern> (for example "libEDID/*.h")
# in a translation unit of its own that includes that header, twice, and nothing else. A public
# header that relies on an include it does not make itself, or that lacks its include guard,
# then breaks the build. <libraries> give the include folders and definitions the headers need.
# The object library <target> is part of the default build.
function(libedid_check_headers target include_dir pattern)
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${include_dir} ${include_dir}/${pattern})
    set(sources)
    foreach(header IN LISTS headers)
        string(MAKE_C_IDENTIFIER ${header} stem)
        set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}/${stem}.cpp)
        file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${header}\"\n#include \"${header}\"\n")
        list(APPEND sources ${source})
    endforeach()
    add_library(${target} OBJECT ${sources})
    target_link_libraries(${target} PRIVATE ${ARGN} libedid_warnings)
endfunction()
