# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers

# Warnings and Qt string-safety defines shared by every target of the project.
# Tests pass RELAXED: string literals may then become QStrings, which keeps tables readable.
function(hangardeck_target_defaults target)
    cmake_parse_arguments(ARG "RELAXED" "" "" ${ARGN})
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    if(ARG_RELAXED)
        target_compile_definitions(${target} PRIVATE QT_RESTRICTED_CAST_FROM_ASCII)
    else()
        target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII)
    endif()
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_TO_ASCII
        QT_USE_QSTRINGBUILDER
        QT_NO_KEYWORDS)
endfunction()

# One Qt Test executable per unit, run headless through ctest.
function(hangardeck_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    hangardeck_target_defaults(${name} RELAXED)
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBRARIES})
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
    if(WIN32 AND CMAKE_CROSSCOMPILING)
        # Under Wine, through a script that shows the report Qt Test writes to a file.
        add_test(NAME ${name} COMMAND ${HANGARDECK_WINE_RUN} --qtest $<TARGET_FILE:${name}>)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        TIMEOUT 300)
endfunction()
