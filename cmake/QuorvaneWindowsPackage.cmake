# The Windows build's package target (cmake --build build/windows --target package, or cpack in
# that folder) makes, of what cmake --install puts in place (both programs, Samples beside them,
# the licence and the changelog):
#   Quorvane-VERSION-win64-setup.exe     a setup program for the current user, made by NSIS
#                                        (Debian's nsis) from cmake/NSIS.template.in
#   Quorvane-VERSION-win64-portable.zip  one folder that runs wherever it is unpacked
set(CPACK_GENERATOR NSIS64 ZIP)
set(CPACK_PACKAGE_NAME Quorvane)
set(CPACK_PACKAGE_VENDOR Brindlework)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quorvane)
set(CPACK_STRIP_FILES ON)
# The file names, which follow the version that cpack builds (cpack -R makes another).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/QuorvaneWindowsPackageNames.cmake)
# CPack takes the setup program's script from this folder, before its own.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_QUORVANE_ICON ${PROJECT_SOURCE_DIR}/data/icons/quorvane.ico)
set(CPACK_QUORVANE_COPYRIGHT "${QUORVANE_COPYRIGHT}")
include(CPack)
