# Rewrites the angler's subtitle table from the voice clips in data/sound into
# WORK and fails unless it matches core/chatterlines_table.h byte for byte.
# Usage: cmake -DPYTHON=... -DROOT=... -DWORK=... -P CheckChatterTable.cmake
set(checked_in ${ROOT}/core/chatterlines_table.h)
set(fresh ${WORK}/chatterlines_table.h)
file(MAKE_DIRECTORY ${WORK})
file(REMOVE ${fresh})
execute_process(
    COMMAND ${PYTHON} ${ROOT}/tools/make_assets.py --only texts --table ${fresh}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tools/make_assets.py --only texts failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${checked_in} ${fresh} RESULT_VARIABLE differs)
if(differs)
    execute_process(COMMAND diff -u ${checked_in} ${fresh})
    message(FATAL_ERROR "core/chatterlines_table.h is not what the voice lines and clips give: "
                        "run tools/make_assets.py --only texts (or make assets) and commit it")
endif()
