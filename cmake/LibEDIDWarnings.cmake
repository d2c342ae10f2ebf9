# Warning flags shared by every target of the project; LIBEDID_WERROR turns them into errors.
option(LIBEDID_WERROR "Treat compiler warnings as errors" OFF)
if(NOT TARGET libedid_warnings)
    add_library(libedid_warnings INTERFACE)
    if(MSVC)
        target_compile_options(libedid_warnings INTERFACE /W4 $<$<BOOL:${LIBEDID_WERROR}>:/WX>)
    else()
        target_compile_options(libedid_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
            $<$<BOOL:${LIBEDID_WERROR}>:-Werror>)
    endif()
endif()
