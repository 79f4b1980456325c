# Install rules and packages.
#   component Tapmon       Tapmon.exe, README.md, LICENSE: the release ZIP (cpack)
#   component Development  the framework: headers, static libraries, find_package(ZEB) files
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS Tapmon RUNTIME DESTINATION . COMPONENT Tapmon)
install(FILES README.md LICENSE DESTINATION . COMPONENT Tapmon)

# The process entry is in the archive, but the C runtime asks for WinMain only after the archive
# was searched: a program whose own code names nothing of EXWinMain would not get it. Programs
# on the installed package therefore ask for it by name.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(zeb_entry _WinMain@16)
else()
    set(zeb_entry WinMain)
endif()
target_link_options(zeb INTERFACE $<INSTALL_INTERFACE:-Wl,-u,${zeb_entry}>)
install(TARGETS zeb zebcore EXPORT ZEBTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
install(DIRECTORY Source/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ZEB COMPONENT Development
        FILES_MATCHING PATTERN "*.h" PATTERN "ZEB.manifest")
set(zeb_cmakedir ${CMAKE_INSTALL_LIBDIR}/cmake/ZEB)
install(EXPORT ZEBTargets NAMESPACE ZEB:: DESTINATION ${zeb_cmakedir} COMPONENT Development)
configure_package_config_file(cmake/ZEBConfig.cmake.in ZEBConfig.cmake
                              INSTALL_DESTINATION ${zeb_cmakedir})
write_basic_package_version_file(ZEBConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ZEBConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/ZEBConfigVersion.cmake
        DESTINATION ${zeb_cmakedir} COMPONENT Development)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(zeb_pkg_arch win64)
else()
    set(zeb_pkg_arch win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tapmon)
set(CPACK_PACKAGE_VENDOR "Tapmon developers")
set(CPACK_PACKAGE_FILE_NAME Tapmon-${PROJECT_VERSION}-${zeb_pkg_arch})
set(CPACK_COMPONENTS_ALL Tapmon)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
include(CPack)
