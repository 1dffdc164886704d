# cmake --install: the window program with its Samples folder beside it, quorvane-list, and on
# Linux desktops the desktop entry and the icons.
#
# The window program looks for Samples (and the optional skin and cursor files) in the folder
# of its own file, so on Linux it lives in a folder of its own under lib/, and bin/quorvane is
# a relative symbolic link to it: the program's folder is where the link leads, not bin/.
include(GNUInstallDirs)

if(WIN32)
    set(QUORVANE_PROGRAM_DIR ${CMAKE_INSTALL_BINDIR})
else()
    set(QUORVANE_PROGRAM_DIR lib/quorvane)
endif()

install(TARGETS quorvane-list RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(NOT TARGET quorvane)
    return()
endif()

install(TARGETS quorvane RUNTIME DESTINATION ${QUORVANE_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION ${QUORVANE_PROGRAM_DIR}/Samples)

if(UNIX AND NOT APPLE)
    file(RELATIVE_PATH program_from_bin /${CMAKE_INSTALL_BINDIR} /${QUORVANE_PROGRAM_DIR}/quorvane)
    install(CODE "
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quorvane\")
        message(STATUS \"Installing: \${link} -> ${program_from_bin}\")
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        file(REMOVE \"\${link}\")
        file(CREATE_LINK \"${program_from_bin}\" \"\${link}\" SYMBOLIC)
    ")
    install(FILES ${PROJECT_SOURCE_DIR}/data/quorvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size 32 48 128 256)
        install(FILES ${PROJECT_SOURCE_DIR}/data/icons/quorvane-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME quorvane.png)
    endforeach()
endif()
