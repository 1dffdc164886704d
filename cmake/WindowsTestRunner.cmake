# The Windows cross-build runs its programs and tests under Wine (CTest and test discovery go
# through CMAKE_CROSSCOMPILING_EMULATOR), in a Wine prefix of this build folder's own. Its
# drives are those a test can rely on:
#   c:  the prefix's own drive, where the temporary folder is
#   d:  an empty folder of the build (wine-drive-d) labelled SCRATCH, for tests that walk a
#       whole drive
#   p:  the build's bin folder, which holds every program, so a test finds quorvane-list.exe
#       beside itself
# Wine's z: (the whole Linux file system) is removed, so nothing outside the build is seen.
find_program(QUORVANE_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(QUORVANE_WINE64 wine64)
find_program(QUORVANE_WINESERVER NAMES wineserver PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(QUORVANE_WINESERVER wineserver)
if(NOT QUORVANE_WINE64 OR NOT QUORVANE_WINESERVER)
    message(WARNING "wine64 not found: the Windows tests are built but cannot run")
    return()
endif()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
set(QUORVANE_WINE_RUNNER ${PROJECT_BINARY_DIR}/run-under-wine.sh)
configure_file(${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh.in ${QUORVANE_WINE_RUNNER}
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                     WORLD_READ WORLD_EXECUTE
    @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVANE_WINE_RUNNER})
