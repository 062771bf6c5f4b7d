# Reads a field of debian/control: what the package is, needs and recommends
# is written there once, for dpkg-buildpackage and for CPack alike.
set(MERCANZOLA_CONTROL ${CMAKE_SOURCE_DIR}/debian/control)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MERCANZOLA_CONTROL})
file(READ ${MERCANZOLA_CONTROL} control_text)

# The field's value with its continuation lines; a list of dependencies comes
# without the substitution variables (${...}), which only debhelper fills in.
function(debian_control_field field out)
    if(NOT control_text MATCHES "(^|\n)${field}:([^\n]*(\n[ \t][^\n]*)*)")
        message(FATAL_ERROR "${MERCANZOLA_CONTROL}: no ${field}")
    endif()
    set(value "${CMAKE_MATCH_2}")
    if(field MATCHES "^(Depends|Recommends|Suggests)$")
        string(REGEX REPLACE "\\\$\\{[^}]*\\}[ \t\n]*,?" "" value "${value}")
        string(REGEX REPLACE "[ \t\n]+" " " value "${value}")
    endif()
    string(STRIP "${value}" value)
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

# The extended description as dpkg-deb wants it from CPack: lines without the
# leading space, and "." for an empty line.
function(debian_control_description summary_out text_out)
    debian_control_field(Description description)
    string(FIND "${description}" "\n" end)
    string(SUBSTRING "${description}" 0 ${end} summary)
    math(EXPR end "${end} + 2")
    string(SUBSTRING "${description}" ${end} -1 text)
    string(REPLACE "\n " "\n" text "${text}")
    set(${summary_out} "${summary}" PARENT_SCOPE)
    set(${text_out} "${text}" PARENT_SCOPE)
endfunction()
