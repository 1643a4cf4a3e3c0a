# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers

# The Windows build made on Linux (make windows): the programs and the tests run under Wine, next
# to the Qt and compiler DLLs and the Qt plugins they load, as a copy unzipped anywhere does.

# Every test program runs under Wine, in a Wine prefix of the build's own.
set(HANGARDECK_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${HANGARDECK_WINE_RUN} CACHE FILEPATH "Runs a Windows program built here" FORCE)

# Qt's folder: its DLLs in bin/, its plugins in plugins/.
get_filename_component(HANGARDECK_WINDOWS_QT "${Qt6_DIR}/../../.." ABSOLUTE)

# The C++ runtime the compiler links every program and Qt itself against.
set(runtime_dlls)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE found
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}")
        # libwinpthread lives with the mingw-w64 libraries, which the compiler does not search.
        find_file(found_${dll} ${dll} PATHS /usr/${MINGW_TRIPLET}/lib NO_DEFAULT_PATH REQUIRED)
        set(found ${found_${dll}})
    endif()
    list(APPEND runtime_dlls ${found})
endforeach()

set(qt_dlls ${HANGARDECK_WINDOWS_QT}/bin/Qt6Core.dll ${HANGARDECK_WINDOWS_QT}/bin/Qt6Gui.dll
            ${HANGARDECK_WINDOWS_QT}/bin/Qt6Widgets.dll)
# The windows plugin draws on a desktop, offscreen without one (the tests, a script).
set(platform_plugins ${HANGARDECK_WINDOWS_QT}/plugins/platforms/qwindows.dll
                     ${HANGARDECK_WINDOWS_QT}/plugins/platforms/qoffscreen.dll)
set(image_plugins ${HANGARDECK_WINDOWS_QT}/plugins/imageformats/qjpeg.dll
                  ${HANGARDECK_WINDOWS_QT}/plugins/imageformats/qgif.dll)

# Beside the programs in the build tree: Qt looks for plugins in the program's own folder.
set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
add_custom_target(windows_runtime ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/platforms ${bin}/imageformats
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${runtime_dlls} ${qt_dlls} ${HANGARDECK_WINDOWS_QT}/bin/Qt6Test.dll ${bin}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${platform_plugins} ${bin}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${image_plugins} ${bin}/imageformats
    COMMENT "Copying the Qt and runtime DLLs beside the programs")

# build/hangardeck-<version>-windows-x64.zip: one folder, unzipped anywhere and started.
set(zip_name hangardeck-${PROJECT_VERSION}-windows-x64)
set(stage ${CMAKE_BINARY_DIR}/zip/${zip_name})
set(zip_file ${CMAKE_BINARY_DIR}/../${zip_name}.zip)
add_custom_target(windows_zip
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/zip
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/platforms ${stage}/imageformats ${stage}/licenses
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:hangardeck> $<TARGET_FILE:hangardeck-cli> ${runtime_dlls}
            ${qt_dlls} ${bin}/hangardeck-help.html ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy ${platform_plugins} ${stage}/platforms
    COMMAND ${CMAKE_COMMAND} -E copy ${image_plugins} ${stage}/imageformats
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/samples ${stage}/samples
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${stage}/licenses/hangardeck.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/windows/README.txt ${stage}
    # Qt's licence and that of the compiler's runtime, which the DLLs are shipped under.
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/common-licenses/LGPL-3 ${stage}/licenses/Qt-LGPL-3.0.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/common-licenses/GPL-3 ${stage}/licenses/GPL-3.0.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/gcc-mingw-w64-base/copyright ${stage}/licenses/gcc-runtime.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/mingw-w64-x86-64-dev/copyright ${stage}/licenses/mingw-w64.txt
    # The compiler's runtime DLLs carry their debugging symbols: half the zip's size.
    COMMAND ${CMAKE_STRIP} --strip-unneeded ${stage}/libstdc++-6.dll ${stage}/libgcc_s_seh-1.dll
            ${stage}/libwinpthread-1.dll ${stage}/hangardeck.exe ${stage}/hangardeck-cli.exe
    COMMAND ${CMAKE_COMMAND} -E rm -f ${zip_file}
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/zip ${CMAKE_COMMAND} -E tar cf ${zip_file} --format=zip
            ${zip_name}
    COMMAND ${CMAKE_COMMAND} -E echo "Made ${zip_file}"
    DEPENDS hangardeck hangardeck-cli hangardeck_help
    COMMENT "Making ${zip_name}.zip"
    VERBATIM)
