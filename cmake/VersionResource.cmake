# The version is written in one place, project() in CMakeLists.txt. The version resource and
# the manifest take it from files made here at configure time out of the templates in res/.
#
#   vesk_version_resource(<target> <rc-file> <version>)
#
# writes veskmaker-version.h and veskmaker.manifest for <version> (one to four numbers) into
# <build>/generated and lets <rc-file> of <target> find them there.
include_guard(GLOBAL)

set(VESK_RES_DIR ${CMAKE_CURRENT_LIST_DIR}/../res)
cmake_path(NORMAL_PATH VESK_RES_DIR)

function(vesk_version_resource target rc version)
    if(NOT version MATCHES "^([0-9]+)(\\.([0-9]+))?(\\.([0-9]+))?(\\.([0-9]+))?$")
        message(FATAL_ERROR "vesk_version_resource: '${version}' is not a version number")
    endif()
    # Windows wants all four numbers; the ones project() leaves out are 0.
    set(numbers)
    foreach(i 1 3 5 7)
        if("${CMAKE_MATCH_${i}}" STREQUAL "")
            list(APPEND numbers 0)
        else()
            list(APPEND numbers ${CMAKE_MATCH_${i}})
        endif()
    endforeach()
    set(VESK_VERSION ${version})
    list(JOIN numbers "," VESK_VERSION_COMMAS4)
    list(JOIN numbers "." VESK_VERSION_DOTTED4)

    set(dir ${CMAKE_BINARY_DIR}/generated)
    configure_file(${VESK_RES_DIR}/veskmaker-version.h.in ${dir}/veskmaker-version.h @ONLY)
    configure_file(${VESK_RES_DIR}/veskmaker.manifest.in ${dir}/veskmaker.manifest @ONLY)

    # The .rc may sit in another folder than the target's CMakeLists.txt.
    get_filename_component(rc ${rc} ABSOLUTE)
    set_property(SOURCE ${rc} TARGET_DIRECTORY ${target} APPEND PROPERTY
        INCLUDE_DIRECTORIES ${dir})
    set_property(SOURCE ${rc} TARGET_DIRECTORY ${target} APPEND PROPERTY
        OBJECT_DEPENDS ${VESK_RES_DIR}/veskmaker.ico ${dir}/veskmaker-version.h ${dir}/veskmaker.manifest)
endfunction()
