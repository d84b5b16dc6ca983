# Two builds of one commit give the same bytes, wherever and whenever they run.
#
# The one time that may reach an output is SOURCE_DATE_EPOCH: the builder's if it
# exports one, else the time of the last commit. It holds for this configure run
# (string(TIMESTAMP) reads it), for every custom command of the build (rcc stamps
# resources with the file times of a fresh checkout otherwise) and for CPack
# (packaging/CMakeLists.txt hands it on). The compiler is left without it, so that
# a new commit does not recompile everything: nothing may ask it for the time.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(FORMULA_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
                        WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                        OUTPUT_VARIABLE FORMULA_SOURCE_DATE_EPOCH
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        # A new commit or checkout moves HEAD and appends to its log: configure
        # again then, or the build would keep the time of an older commit.
        execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --path-format=absolute
                                --git-path HEAD --git-path logs/HEAD
                        WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                        OUTPUT_VARIABLE head_files
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        string(REPLACE "\n" ";" head_files "${head_files}")
        foreach(file IN LISTS head_files)
            if(EXISTS "${file}")
                set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
            endif()
        endforeach()
    endif()
    if(NOT FORMULA_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
        message(WARNING "Neither SOURCE_DATE_EPOCH nor a git history: the build will carry "
                        "the time it is made and cannot be reproduced bit for bit.")
        unset(FORMULA_SOURCE_DATE_EPOCH)
    endif()
    if(DEFINED FORMULA_SOURCE_DATE_EPOCH)
        set(ENV{SOURCE_DATE_EPOCH} "${FORMULA_SOURCE_DATE_EPOCH}")
    endif()
endif()

if(DEFINED FORMULA_SOURCE_DATE_EPOCH)
    set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM
                 "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${FORMULA_SOURCE_DATE_EPOCH}")
endif()
add_compile_options(-Werror=date-time)
# MinGW's linker stamps every executable with the time of the link.
if(MINGW)
    add_link_options(-Wl,--no-insert-timestamp)
endif()

# Neither the checkout's nor the build folder's path may reach a binary (__FILE__,
# debug information): both are written as if relative to the checkout.
add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=" "-ffile-prefix-map=${PROJECT_BINARY_DIR}/=")
