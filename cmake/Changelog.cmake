# The package's version and its date come from the newest entry of
# debian/changelog, so a new version is made by writing what it brings.

set(MERCANZOLA_CHANGELOG ${CMAKE_SOURCE_DIR}/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MERCANZOLA_CHANGELOG})
file(STRINGS ${MERCANZOLA_CHANGELOG} heading LIMIT_COUNT 1 REGEX "^mercanzola \\(")
file(STRINGS ${MERCANZOLA_CHANGELOG} trailer LIMIT_COUNT 1 REGEX "^ -- ")
if(NOT heading MATCHES "^mercanzola \\(([0-9.]+)\\)")
    message(FATAL_ERROR "${MERCANZOLA_CHANGELOG}: the first line names no version")
endif()
set(MERCANZOLA_VERSION ${CMAKE_MATCH_1})
if(NOT trailer MATCHES "^ -- .+ <[^>]+>  ([A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9]+) .+)$")
    message(FATAL_ERROR "${MERCANZOLA_CHANGELOG}: the newest entry has no maintainer and date")
endif()
set(date_text "${CMAKE_MATCH_1}")
set(day ${CMAKE_MATCH_2})
set(month_name ${CMAKE_MATCH_3})
set(year ${CMAKE_MATCH_4})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${month_name} month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
if(month LESS 10)
    set(month 0${month})
endif()
# As AppStream and the manual page want it.
set(MERCANZOLA_DATE ${year}-${month}-${day})

# Every time the package holds is this one, as with dpkg-buildpackage: the same
# sources make the same package whenever and wherever they are built.
execute_process(COMMAND date -u -d "${date_text}" +%s
    OUTPUT_VARIABLE MERCANZOLA_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE failed)
if(failed OR NOT MERCANZOLA_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "${MERCANZOLA_CHANGELOG}: the newest entry's date '${date_text}' does not read")
endif()
