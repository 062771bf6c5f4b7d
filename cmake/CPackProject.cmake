# Read by cpack before it packs, as dpkg-buildpackage would do it: every file
# dated from the changelog's newest entry, and Depends and Recommends made of
# what dpkg-shlibdeps finds the program and its plugins link, with what
# debian/control adds by hand.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} ${CPACK_MERCANZOLA_SOURCE_DATE_EPOCH})
endif()

file(GLOB plugins ${CPACK_MERCANZOLA_BINARY_DIR}/plugins/*.so)
set(required ${CPACK_MERCANZOLA_BINARY_DIR}/mercanzola ${CPACK_MERCANZOLA_BINARY_DIR}/mercanzola-consegna)
set(optional)
foreach(plugin IN LISTS plugins)
    get_filename_component(name ${plugin} NAME)
    list(FIND CPACK_MERCANZOLA_OPTIONAL_PLUGINS ${name} optional_at)
    if(optional_at GREATER -1)
        list(APPEND optional ${plugin})
    else()
        list(APPEND required ${plugin})
    endif()
endforeach()
# dpkg-shlibdeps reads debian/control from the folder it runs in.
execute_process(
    COMMAND dpkg-shlibdeps -O -dDepends ${required} -dRecommends ${optional}
    WORKING_DIRECTORY ${CPACK_MERCANZOLA_SOURCE_DIR}
    OUTPUT_VARIABLE substvars ERROR_VARIABLE warnings RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "dpkg-shlibdeps failed: ${warnings}")
endif()
foreach(field Depends Recommends)
    string(TOUPPER ${field} upper)
    set(found)
    if(substvars MATCHES "shlibs:${field}=([^\n]*)")
        set(found "${CMAKE_MATCH_1}, ")
    endif()
    set(CPACK_DEBIAN_PACKAGE_${upper} "${found}${CPACK_MERCANZOLA_${upper}}")
endforeach()
