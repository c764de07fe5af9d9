# The exe's version stamp and the release zip, made by CPack:
#
#   cmake --build --preset win32 --target package
#
# writes Veskmaker-<version>-win32.zip (win64 under the win64 preset) and beside it
# Veskmaker-<version>-win32.sha256. The zip holds the stripped Veskmaker.exe, README.txt and
# LICENSE.txt and nothing else, flat: unpacked into the folder that holds VKB.exe, the exe
# lands where it looks for the builder. tools/release makes both zips from clean folders.
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

# Only the files of this component go into the zip: the test programs and GoogleTest have
# install rules of their own (or may get them) and must stay out.
install(TARGETS Veskmaker RUNTIME DESTINATION . COMPONENT release)
install(FILES ${VESK_PACKAGE_FILES}/README.txt ${VESK_PACKAGE_FILES}/LICENSE.txt
    DESTINATION . COMPONENT release)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Veskmaker)
set(CPACK_PACKAGE_VENDOR "the Veskmaker authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Veskmaker-${PROJECT_VERSION}-${VESK_PACKAGE_ARCH})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_LIST_DIR}/../LICENSE)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Veskmaker;release;/")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# The zip gets a stripped exe even from a build type that keeps the symbols.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
