# The game reads its pictures, tunes and maps from the data folder beside the
# program, and saves a player's results (<nimi>.kal) into that same folder. So
# the copy beside the built program is refreshed file by file, never replaced
# whole: cmake/sync-data.cmake copies the source's files over and removes only
# the files it copied itself that are gone from the source. Whatever else is in
# the folder is the player's and stays, through any rebuild and `make clean`.

set(NORPPALA_SYNC_DATA_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/sync-data.cmake)

# Adds a target that keeps `destination` up to date with the folder `source`.
function(norppala_data_folder target source destination)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${source}/*)
    # The names alone, written only when they change: a file that is only
    # removed from the source leaves no newer file behind to start the refresh.
    list(JOIN files "\n" names)
    file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}-files.txt CONTENT "${names}\n")
    # The list of copied files sits in the folder, so a folder deleted by hand
    # is filled again on the next build.
    set(copied ${destination}/.source-files)
    add_custom_command(
        OUTPUT ${copied}
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DDESTINATION=${destination}
                -P ${NORPPALA_SYNC_DATA_SCRIPT}
        DEPENDS ${files} ${CMAKE_CURRENT_BINARY_DIR}/${target}-files.txt
                ${NORPPALA_SYNC_DATA_SCRIPT}
        COMMENT "Refreshing the data folder beside the program"
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${copied})
endfunction()
