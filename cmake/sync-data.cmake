# Brings a data folder up to date with its source, keeping the player's files.
#   cmake -DSOURCE=<source data folder> -DDESTINATION=<data folder beside the program>
#         -P sync-data.cmake
# Every file of the source is copied over (only when it differs). A file copied
# on an earlier run that is gone from the source now is removed, with any folder
# that leaves empty. Nothing else is touched: the other files in the folder
# (saved results, a map of the player's own) are the player's. The files copied
# are listed in DESTINATION/.source-files for the next run.

cmake_minimum_required(VERSION 3.21)

if(NOT SOURCE OR NOT DESTINATION)
    message(FATAL_ERROR "usage: cmake -DSOURCE=<folder> -DDESTINATION=<folder> -P sync-data.cmake")
endif()

string(REGEX REPLACE "/+$" "" DESTINATION "${DESTINATION}")
set(list_file ${DESTINATION}/.source-files)
set(copied_before "")
set(have_list FALSE)
if(EXISTS ${list_file})
    file(STRINGS ${list_file} copied_before)
    set(have_list TRUE)
endif()
# The earlier build's stamp. Without a list the folder is one the earlier build
# copied whole, so the source's names in it are the game's own copies.
if(NOT have_list AND EXISTS ${DESTINATION}/.stamp)
    file(REMOVE ${DESTINATION}/.stamp)
endif()

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${SOURCE} ${SOURCE}/*)
list(SORT files)
file(MAKE_DIRECTORY ${DESTINATION})

# The source's files that are the game's to write: those not there yet and the
# copies made before.
set(copied "")
foreach(file IN LISTS files)
    set(target ${DESTINATION}/${file})
    if(EXISTS ${target} OR IS_SYMLINK ${target})
        list(FIND copied_before ${file} found)
        if(IS_DIRECTORY ${target} OR IS_SYMLINK ${target} OR (have_list AND found EQUAL -1))
            message(WARNING "${target} is not a copy made by the build: it is kept, "
                            "and the game's file of that name is not copied.")
            continue()
        endif()
    endif()
    list(APPEND copied ${file})
endforeach()

# Listed before copying, so a run cut short leaves no copy that a later run
# would take for the player's.
set(listed ${copied_before} ${copied})
list(REMOVE_DUPLICATES listed)
list(JOIN listed "\n" text)
file(WRITE ${list_file} "${text}\n")

foreach(file IN LISTS copied)
    set(target ${DESTINATION}/${file})
    get_filename_component(folder ${target} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(COPY_FILE ${SOURCE}/${file} ${target} ONLY_IF_DIFFERENT)
endforeach()

foreach(file IN LISTS copied_before)
    if(file IN_LIST files)
        continue()
    endif()
    set(target ${DESTINATION}/${file})
    if(IS_DIRECTORY ${target})
        continue()
    endif()
    file(REMOVE ${target})
    # Folders the removal leaves empty, up to the data folder itself.
    get_filename_component(folder ${target} DIRECTORY)
    string(LENGTH "${DESTINATION}" top)
    string(LENGTH "${folder}" length)
    while(length GREATER top AND IS_DIRECTORY ${folder} AND NOT IS_SYMLINK ${folder})
        file(GLOB left LIST_DIRECTORIES true ${folder}/* ${folder}/.*)
        if(left)
            break()
        endif()
        file(REMOVE_RECURSE ${folder})
        get_filename_component(folder ${folder} DIRECTORY)
        string(LENGTH "${folder}" length)
    endwhile()
endforeach()

list(JOIN copied "\n" text)
file(WRITE ${list_file} "${text}\n")
