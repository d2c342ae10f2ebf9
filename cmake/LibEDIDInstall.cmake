# Install tree: the libEDID shared library with the public headers of libEDID, qorbase and
# qorwin (which it exports), a CMake package that gives consumers the target libEDID::libEDID,
# and the edid-check tool when it is built.
#   cmake --install <build> --prefix <dir>
#   consumer: find_package(libEDID REQUIRED) + target_link_libraries(app PRIVATE libEDID::libEDID)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(LIBEDID_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/libEDID)

install(TARGETS libEDID qorbase_headers qorwin_headers
    EXPORT libEDIDTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY
        ${PROJECT_SOURCE_DIR}/libEDID/include/
        ${PROJECT_SOURCE_DIR}/qorbase/include/
        ${PROJECT_SOURCE_DIR}/qorwin/include/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT libEDIDTargets
    NAMESPACE libEDID::
    DESTINATION ${LIBEDID_PACKAGE_DIR})

file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/libEDIDConfig.cmake
    "include(\${CMAKE_CURRENT_LIST_DIR}/libEDIDTargets.cmake)\n")
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/libEDIDConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES
        ${CMAKE_CURRENT_BINARY_DIR}/libEDIDConfig.cmake
        ${CMAKE_CURRENT_BINARY_DIR}/libEDIDConfigVersion.cmake
    DESTINATION ${LIBEDID_PACKAGE_DIR})

if(TARGET edid-check)
    install(TARGETS edid-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    if(NOT WIN32)
        # The installed tool finds the installed library beside its own folder.
        set_target_properties(edid-check PROPERTIES
            INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
    endif()
endif()
