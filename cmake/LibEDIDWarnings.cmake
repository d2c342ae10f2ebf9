# Warning flags shared by every target of the project.
if(NOT TARGET libedid_warnings)
    add_library(libedid_warnings INTERFACE)
    if(MSVC)
        target_compile_options(libedid_warnings INTERFACE /W4)
    else()
        target_compile_options(libedid_warnings INTERFACE -Wall -Wextra -Wpedantic)
    endif()
endif()
