# Installs the game in one of two layouts (NORPPALA_INSTALL_LAYOUT):
#  bundle: self-contained, the program with its data folder beside it in
#          lib/norppala and a launcher in bin; the tree can be moved as a whole.
#  games:  the layout of a system package: the program as games/norppala and its
#          data in share/games/norppala/data, which the program finds relative to
#          its own place (platform/paths.cpp).
# Both add the desktop entry, AppStream metainfo, icons and manual page under share.

set(NORPPALA_APP_ID fi.norppala.Norppala)
set(NORPPALA_DIST_DIR ${CMAKE_CURRENT_LIST_DIR}/../dist)

if(NORPPALA_INSTALL_LAYOUT STREQUAL "bundle")
    set(NORPPALA_INSTALL_BINDIR bin)
    set(NORPPALA_INSTALL_APPDIR lib/norppala)
    set(NORPPALA_INSTALL_DATADIR lib/norppala)
elseif(NORPPALA_INSTALL_LAYOUT STREQUAL "games")
    set(NORPPALA_INSTALL_BINDIR games)
    set(NORPPALA_INSTALL_APPDIR games)
    set(NORPPALA_INSTALL_DATADIR share/games/norppala)
else()
    message(FATAL_ERROR "NORPPALA_INSTALL_LAYOUT is '${NORPPALA_INSTALL_LAYOUT}': "
                        "use bundle or games")
endif()

install(TARGETS norppala RUNTIME DESTINATION ${NORPPALA_INSTALL_APPDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/
        DESTINATION ${NORPPALA_INSTALL_DATADIR}/data
        PATTERN README.md EXCLUDE)

if(NOT NORPPALA_INSTALL_BINDIR STREQUAL NORPPALA_INSTALL_APPDIR)
    # The launcher finds the program relative to itself, so the tree can be moved.
    file(RELATIVE_PATH NORPPALA_LAUNCHER_TARGET
         /prefix/${NORPPALA_INSTALL_BINDIR} /prefix/${NORPPALA_INSTALL_APPDIR}/norppala)
    configure_file(${NORPPALA_DIST_DIR}/norppala.in ${CMAKE_BINARY_DIR}/dist/norppala @ONLY)
    install(PROGRAMS ${CMAKE_BINARY_DIR}/dist/norppala DESTINATION ${NORPPALA_INSTALL_BINDIR})
endif()

configure_file(${NORPPALA_DIST_DIR}/${NORPPALA_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/${NORPPALA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${NORPPALA_DIST_DIR}/${NORPPALA_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/dist/${NORPPALA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/pictures/icon${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps
            RENAME ${NORPPALA_APP_ID}.png)
endforeach()
configure_file(${NORPPALA_DIST_DIR}/norppala.6.in ${CMAKE_BINARY_DIR}/dist/norppala.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/dist/norppala.6 DESTINATION share/man/man6)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/README.md
        DESTINATION share/doc/norppala)

if(NORPPALA_TESTS)
    # Installs into a throw-away prefix, checks and validates what landed there
    # and starts the installed game headless.
    add_test(NAME install
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/test-install.sh
                     ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} $<TARGET_FILE:norppala>
                     ${NORPPALA_INSTALL_LAYOUT} ${PROJECT_VERSION})
    set_tests_properties(install PROPERTIES
        REQUIRED_FILES $<TARGET_FILE:norppala>
        RESOURCE_LOCK norppala_install
        TIMEOUT 180)
endif()
