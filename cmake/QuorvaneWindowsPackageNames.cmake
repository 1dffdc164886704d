# Read by cpack for each package it makes (CPACK_PROJECT_CONFIG_FILE): the name of the setup
# program and of the zip (whose one folder takes that name too), and the version in the four
# numbers that Windows' version information holds.
set(name "Quorvane-${CPACK_PACKAGE_VERSION}-win64")
if(CPACK_GENERATOR MATCHES "^NSIS")
    set(CPACK_PACKAGE_FILE_NAME ${name}-setup)
elseif(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_PACKAGE_FILE_NAME ${name}-portable)
endif()
string(REGEX MATCHALL "[0-9]+" numbers "${CPACK_PACKAGE_VERSION}")
list(APPEND numbers 0 0 0 0)
list(SUBLIST numbers 0 4 numbers)
list(JOIN numbers . CPACK_QUORVANE_VERSION_QUAD)
