# cmake --install: both programs in bin/; on Linux desktops also the sample folder, the desktop
# entry, the AppStream metainfo, the icons, both programs' manual pages, quorvane-list's
# completions for bash, zsh and fish, each where the desktop and the shells look for them, and
# the copyright file and changelog in share/doc/quorvane.
#
# The window program finds the installed sample folder from its own folder by the relative
# path QUORVANE_SAMPLES_FROM_PROGRAM (src/form), so the installed tree may lie under any
# prefix. On Windows everything lies in the one folder, as the setup program and the zip have
# it: both programs, the sample folder beside them, the licence and the changelog as texts.
include(GNUInstallDirs)
if(WIN32)
    set(QUORVANE_PROGRAM_DIR .)
else()
    set(QUORVANE_PROGRAM_DIR ${CMAKE_INSTALL_BINDIR})
endif()

# Manual pages and the changelog are installed compressed (cmake/GzipFile.cmake).
function(quorvane_install_compressed source destination)
    get_filename_component(name ${source} NAME)
    set(compressed ${PROJECT_BINARY_DIR}/compressed/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DOUTPUT=${compressed}
                -P ${PROJECT_SOURCE_DIR}/cmake/GzipFile.cmake
        DEPENDS ${source} ${PROJECT_SOURCE_DIR}/cmake/GzipFile.cmake
        VERBATIM)
    add_custom_target(compressed_${name} ALL DEPENDS ${compressed})
    install(FILES ${compressed} DESTINATION ${destination})
endfunction()

install(TARGETS quorvane-list RUNTIME DESTINATION ${QUORVANE_PROGRAM_DIR})
if(WIN32)
    install(FILES ${PROJECT_SOURCE_DIR}/data/doc/copyright DESTINATION . RENAME License.txt)
    install(FILES ${PROJECT_SOURCE_DIR}/data/doc/changelog DESTINATION . RENAME Changelog.txt)
elseif(UNIX AND NOT APPLE)
    set(QUORVANE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quorvane)
    install(FILES ${PROJECT_SOURCE_DIR}/data/doc/copyright DESTINATION ${QUORVANE_DOC_DIR})
    quorvane_install_compressed(${PROJECT_SOURCE_DIR}/data/doc/changelog ${QUORVANE_DOC_DIR})
    quorvane_install_compressed(${PROJECT_SOURCE_DIR}/data/man/quorvane-list.1
        ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${PROJECT_SOURCE_DIR}/data/completions/quorvane-list.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME quorvane-list)
    install(FILES ${PROJECT_SOURCE_DIR}/data/completions/_quorvane-list
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
    install(FILES ${PROJECT_SOURCE_DIR}/data/completions/quorvane-list.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
endif()

if(NOT TARGET quorvane)
    return()
endif()

install(TARGETS quorvane RUNTIME DESTINATION ${QUORVANE_PROGRAM_DIR})
if(WIN32)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION Samples)
    return()
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION ${QUORVANE_SAMPLES_DIR})

if(UNIX AND NOT APPLE)
    quorvane_install_compressed(${PROJECT_SOURCE_DIR}/data/man/quorvane.1
        ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${PROJECT_SOURCE_DIR}/data/quorvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    set(QUORVANE_METAINFO ${PROJECT_BINARY_DIR}/generated/example.brindlework.Quorvane.metainfo.xml)
    configure_file(${PROJECT_SOURCE_DIR}/data/quorvane.metainfo.xml.in ${QUORVANE_METAINFO} @ONLY)
    install(FILES ${QUORVANE_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 32 48 128 256)
        install(FILES ${PROJECT_SOURCE_DIR}/data/icons/quorvane-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME quorvane.png)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/quorvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
