# The game's texts are written in Finnish; translations/norppala_en.ts holds
# their English. The build compiles it with lrelease into the program, lists
# the texts that have no English yet (or no longer exist), and a test fails
# while any text is untranslated. `make translations` (the `translations`
# target) brings the file up to date with the sources for a translator.
set(NORPPALA_QT_BINS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
find_program(NORPPALA_LUPDATE NAMES lupdate PATHS ${NORPPALA_QT_BINS} /usr/lib/qt6/bin NO_DEFAULT_PATH)
find_program(NORPPALA_LRELEASE NAMES lrelease PATHS ${NORPPALA_QT_BINS} /usr/lib/qt6/bin NO_DEFAULT_PATH)
if(NOT NORPPALA_LUPDATE OR NOT NORPPALA_LRELEASE)
    message(FATAL_ERROR "Qt 6's lupdate and lrelease are missing: install qt6-l10n-tools "
                        "(tools/install-deps.sh does)")
endif()

set(NORPPALA_TS ${CMAKE_SOURCE_DIR}/translations/norppala_en.ts)
set(NORPPALA_TS_WORK ${CMAKE_BINARY_DIR}/translations)
file(MAKE_DIRECTORY ${NORPPALA_TS_WORK})

# Every source the player's texts can come from; tests, tools and benchmarks show none.
file(GLOB_RECURSE NORPPALA_TR_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/core/*.cpp ${CMAKE_SOURCE_DIR}/core/*.h
    ${CMAKE_SOURCE_DIR}/platform/*.cpp ${CMAKE_SOURCE_DIR}/platform/*.h
    ${CMAKE_SOURCE_DIR}/game/*.cpp ${CMAKE_SOURCE_DIR}/game/*.h
    ${CMAKE_SOURCE_DIR}/menu/*.cpp ${CMAKE_SOURCE_DIR}/menu/*.h
    ${CMAKE_SOURCE_DIR}/setup/*.cpp ${CMAKE_SOURCE_DIR}/setup/*.h
    ${CMAKE_SOURCE_DIR}/results/*.cpp ${CMAKE_SOURCE_DIR}/results/*.h
    ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/app/*.h
    ${CMAKE_SOURCE_DIR}/main.cpp)
list(SORT NORPPALA_TR_SOURCES)
list(JOIN NORPPALA_TR_SOURCES "\n" sources_text)
set(NORPPALA_TR_LIST ${NORPPALA_TS_WORK}/sources.lst)
file(CONFIGURE OUTPUT ${NORPPALA_TR_LIST} CONTENT "${sources_text}\n")

set(NORPPALA_QM ${NORPPALA_TS_WORK}/norppala_en.qm)
add_custom_command(
    OUTPUT ${NORPPALA_QM}
    COMMAND ${NORPPALA_LRELEASE} -silent ${NORPPALA_TS} -qm ${NORPPALA_QM}
    DEPENDS ${NORPPALA_TS}
    COMMENT "Compiling the English translation")
set_source_files_properties(${NORPPALA_QM} PROPERTIES GENERATED TRUE)
add_library(norppala_translations STATIC)
target_link_libraries(norppala_translations PUBLIC Qt6::Core)
qt_add_resources(norppala_translations translations PREFIX "/translations"
                 BASE ${NORPPALA_TS_WORK} FILES ${NORPPALA_QM})
target_link_libraries(norppala_app PUBLIC norppala_translations)

set(check_args
    -DLUPDATE=${NORPPALA_LUPDATE} -DTSCHECK=$<TARGET_FILE:norppala_tscheck>
    -DTS=${NORPPALA_TS} -DROOT=${CMAKE_SOURCE_DIR} -DLIST=${NORPPALA_TR_LIST} -DWORK=${NORPPALA_TS_WORK}/check)
add_custom_command(
    OUTPUT ${NORPPALA_TS_WORK}/report.stamp
    COMMAND ${CMAKE_COMMAND} ${check_args} -DMODE=report -P ${CMAKE_SOURCE_DIR}/cmake/CheckTranslations.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${NORPPALA_TS_WORK}/report.stamp
    DEPENDS ${NORPPALA_TR_SOURCES} ${NORPPALA_TS} norppala_tscheck
            ${CMAKE_SOURCE_DIR}/cmake/CheckTranslations.cmake
    COMMENT "Looking for texts without English")
add_custom_target(translation_report ALL DEPENDS ${NORPPALA_TS_WORK}/report.stamp)

# Rewrites translations/norppala_en.ts: new texts appear unfinished for the
# translator, vanished ones go. No source lines are stored, so moving code
# does not touch the file.
add_custom_target(translations
    COMMAND ${NORPPALA_LUPDATE} -I ${CMAKE_SOURCE_DIR} -locations none -no-obsolete @${NORPPALA_TR_LIST} -ts ${NORPPALA_TS}
    COMMAND $<TARGET_FILE:norppala_tscheck> --report ${NORPPALA_TS}
    DEPENDS norppala_tscheck
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Updating translations/norppala_en.ts from the sources"
    VERBATIM)

if(NORPPALA_TESTS)
    add_test(NAME translations_complete
             COMMAND ${CMAKE_COMMAND} ${check_args} -DMODE=strict
                     -P ${CMAKE_SOURCE_DIR}/cmake/CheckTranslations.cmake)
endif()
