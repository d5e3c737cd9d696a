# Builds that anyone can repeat byte for byte: the same sources give the same program and the
# same packages whatever folder they are built in, whenever, and under whichever umask, time
# zone and locale.
#
# Every time recorded in an artifact is POMVEXA_SOURCE_DATE_EPOCH: the caller's
# SOURCE_DATE_EPOCH where it is set, else the time of the last commit, else (in a copy of the
# sources without their git history, such as a source archive) the release date below.

set(POMVEXA_RELEASE_EPOCH 1796731200) # 2026-12-08 12:00:00 UTC

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(POMVEXA_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
    set(epoch_origin "SOURCE_DATE_EPOCH")
else()
    set(POMVEXA_SOURCE_DATE_EPOCH ${POMVEXA_RELEASE_EPOCH})
    set(epoch_origin "the release date (no git history)")
    find_package(Git QUIET)
    if(GIT_FOUND)
        # Only the sources' own history, not that of a repository they happen to lie in: the
        # sources' folder must be the top of the work tree.
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-prefix
            WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
            OUTPUT_VARIABLE prefix OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
            RESULT_VARIABLE failed)
        if(NOT failed AND prefix STREQUAL "")
            execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
                RESULT_VARIABLE failed)
            if(NOT failed AND commit_time MATCHES "^[0-9]+$")
                set(POMVEXA_SOURCE_DATE_EPOCH ${commit_time})
                set(epoch_origin "the last commit")
            endif()
        endif()
    endif()
endif()
message(STATUS "Times in the packages: ${POMVEXA_SOURCE_DATE_EPOCH}, from ${epoch_origin}")

# No build path in the programs: file names in debug information and macros are recorded
# relative to the sources (.) and to the build tree (build), wherever either lies.
add_compile_options(
    -ffile-prefix-map=${CMAKE_CURRENT_SOURCE_DIR}=.
    -ffile-prefix-map=${CMAKE_CURRENT_BINARY_DIR}=build
)
if(WIN32)
    # No link time in a program's header.
    add_link_options(-Wl,--no-insert-timestamp)
endif()
# Folders made by the install rules get the usual modes, not whatever the umask leaves.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
