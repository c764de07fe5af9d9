# The exe's version stamp and the release zip:
#
#   cmake --build --preset win32 --target package
#
# writes Veskmaker-<version>-win32.zip (win64 under the win64 preset) and beside it
# Veskmaker-<version>-win32.zip.sha256. The zip holds the stripped Veskmaker.exe, README.txt and
# LICENSE.txt, in that order and nothing else, flat: unpacked into the folder that holds VKB.exe,
# the exe lands where it looks for the builder. Every clone of one commit makes the same zip,
# byte for byte (tools/make-zip writes it; its entries carry the commit's date). tools/release
# makes both zips from clean folders.
include_guard(GLOBAL)

include(${CMAKE_CURRENT_LIST_DIR}/VersionResource.cmake)
vesk_version_resource(Veskmaker ${CMAKE_CURRENT_LIST_DIR}/../res/veskmaker.rc ${PROJECT_VERSION})

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VESK_PACKAGE_ARCH win64)
    set(VESK_PACKAGE_BITS 64)
else()
    set(VESK_PACKAGE_ARCH win32)
    set(VESK_PACKAGE_BITS 32)
endif()

# Text files for Notepad: CRLF line ends.
set(VESK_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package)
configure_file(${CMAKE_CURRENT_LIST_DIR}/../res/README.txt.in ${VESK_PACKAGE_FILES}/README.txt
    @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_CURRENT_LIST_DIR}/../LICENSE ${VESK_PACKAGE_FILES}/LICENSE.txt
    @ONLY NEWLINE_STYLE CRLF)

# The exe is stripped even from a build type that keeps the symbols. strip would write its own
# time into the PE header; from SOURCE_DATE_EPOCH=0 it writes 0, as the linker does.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(VESK_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/Veskmaker-${PROJECT_VERSION}-${VESK_PACKAGE_ARCH}.zip)
# A build folder that CPack once packaged keeps its CPackConfig.cmake, and while that file is
# there CMake reserves the name "package".
file(REMOVE ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${CMAKE_BINARY_DIR}/CPackSourceConfig.cmake)
add_custom_target(package
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
        ${CMAKE_STRIP} -o ${VESK_PACKAGE_FILES}/Veskmaker.exe $<TARGET_FILE:Veskmaker>
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/../tools/make-zip ${VESK_PACKAGE_ZIP}
        ${VESK_PACKAGE_FILES}/Veskmaker.exe ${VESK_PACKAGE_FILES}/README.txt
        ${VESK_PACKAGE_FILES}/LICENSE.txt
    VERBATIM)
add_dependencies(package Veskmaker)
