# Runs lupdate over the game's sources into a copy of the translation file, so
# texts added to the code since the file was last updated show up too, then
# lists what has no English. MODE=strict fails on any missing text; MODE=report
# only lists. Called by the build and by the test translations_complete.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS} NAME)
set(copy ${WORK}/${name})
file(COPY_FILE ${TS} ${copy})
execute_process(
    COMMAND ${LUPDATE} -silent -I ${ROOT} -locations none @${LIST} -ts ${copy}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE out
    ERROR_VARIABLE out)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed:\n${out}")
endif()
if(MODE STREQUAL "report")
    execute_process(COMMAND ${TSCHECK} --report ${copy} RESULT_VARIABLE status)
else()
    execute_process(COMMAND ${TSCHECK} ${copy} RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "Texts without English: add them with `make translations` and "
                        "translate them in translations/${name}")
endif()
