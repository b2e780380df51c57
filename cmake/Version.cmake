# The Debian package takes its version from debian/changelog, which must name
# the version the program reports; a disagreement stops the configuration
# (and so the package build) instead of shipping a package that lies about it.
set(NORPPALA_CHANGELOG ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog)
if(EXISTS ${NORPPALA_CHANGELOG})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${NORPPALA_CHANGELOG})
    file(STRINGS ${NORPPALA_CHANGELOG} NORPPALA_CHANGELOG_HEAD LIMIT_COUNT 1)
    if(NOT NORPPALA_CHANGELOG_HEAD MATCHES "^norppala \\(([^)]*)\\) ")
        message(FATAL_ERROR "debian/changelog does not begin with a norppala entry: "
                            "${NORPPALA_CHANGELOG_HEAD}")
    endif()
    if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
        message(FATAL_ERROR "debian/changelog names version ${CMAKE_MATCH_1}, the program is "
                            "${PROJECT_VERSION} (CMakeLists.txt): give both the same version")
    endif()
endif()
