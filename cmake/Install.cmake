# Installs a self-contained game: the program with its data folder beside it in
# lib/norppala (the game looks for data next to its own executable), a launcher
# in bin, and the desktop entry, AppStream metainfo and icons under share.

set(NORPPALA_APP_ID fi.norppala.Norppala)
set(NORPPALA_INSTALL_BINDIR bin)
set(NORPPALA_INSTALL_APPDIR lib/norppala)
set(NORPPALA_DIST_DIR ${CMAKE_CURRENT_LIST_DIR}/../dist)

install(TARGETS norppala RUNTIME DESTINATION ${NORPPALA_INSTALL_APPDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/
        DESTINATION ${NORPPALA_INSTALL_APPDIR}/data
        PATTERN README.md EXCLUDE)

# The launcher finds the program relative to itself, so the tree can be moved.
file(RELATIVE_PATH NORPPALA_LAUNCHER_TARGET
     /prefix/${NORPPALA_INSTALL_BINDIR} /prefix/${NORPPALA_INSTALL_APPDIR}/norppala)
configure_file(${NORPPALA_DIST_DIR}/norppala.in ${CMAKE_BINARY_DIR}/dist/norppala @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/dist/norppala DESTINATION ${NORPPALA_INSTALL_BINDIR})

install(FILES ${NORPPALA_DIST_DIR}/${NORPPALA_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${NORPPALA_DIST_DIR}/${NORPPALA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/pictures/icon${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps
            RENAME ${NORPPALA_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/README.md
        DESTINATION share/doc/norppala)

if(NORPPALA_TESTS)
    # Installs into a throw-away prefix, checks and validates what landed there
    # and starts the installed game headless through its launcher.
    add_test(NAME install
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/test-install.sh
                     ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} $<TARGET_FILE:norppala>)
    set_tests_properties(install PROPERTIES
        REQUIRED_FILES $<TARGET_FILE:norppala>
        RESOURCE_LOCK norppala_install
        TIMEOUT 180)
endif()
