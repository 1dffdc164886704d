# cpack -G DEB: a Debian package of what cmake --install puts in place, under /usr. Its
# dependencies on shared libraries are found by dpkg-shlibdeps; what the programs load or run
# without linking to it is named here. The Windows build makes a setup program and a zip
# (cmake/QuorvaneWindowsPackage.cmake).
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/QuorvaneWindowsPackage.cmake)
    return()
endif()
if(NOT (UNIX AND NOT APPLE))
    return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR Brindlework)
set(CPACK_PACKAGE_CONTACT "Brindlework <quorvane@brindlework.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "list every folder below a folder or drive")
# Each line of the description within 80 columns, as the package's control file shows it.
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvane lists every folder below a target you choose (one folder, one drive,
or every drive) down to the depth you choose, shows the full path of each in a
results list, lets you prune the list, and exports it: a text file,
column-aligned clipboard text, or a spreadsheet workbook. The command
quorvane-list gives the same lists to scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.brindlework.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QUORVANE_BUILD_GUI)
    # Qt's platform plugins (the window on X11), and Arial's metric twin for the fixed layout.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
    # xdg-mime finds the spreadsheet application; the platform themes give the desktop's own
    # file dialogs (GTK's, and through the desktop portal GNOME's and KDE's).
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
        "xdg-utils, qt6-gtk-platformtheme, qt6-xdgdesktopportal-platformtheme")
endif()
include(CPack)
