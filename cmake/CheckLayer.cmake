# Run at build time (cmake -P) for one layer of src/: every quoted include of
# another folder must name a layer that this one links. A wrong include fails
# the build, naming the file and the line, before anything is compiled.
#   -DFOLDER=ui -DALLOWED="ui" -DSOURCE_DIR=... -DSTAMP=...
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE sources ${SOURCE_DIR}/src/${FOLDER}/*.h ${SOURCE_DIR}/src/${FOLDER}/*.cpp)
string(REPLACE " " ";" allowed "${ALLOWED}")
set(wrong "")
foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/")
    foreach(line ${lines})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*" "\\1" target "${line}")
        if(NOT target IN_LIST allowed)
            file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
            string(APPEND wrong "\n  ${shown}: ${line}")
        endif()
    endforeach()
endforeach()
if(wrong)
    message(FATAL_ERROR "src/${FOLDER} may include only ${ALLOWED}:${wrong}")
endif()
file(TOUCH ${STAMP})
