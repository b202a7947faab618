# The program's version has one definition, the project's VERSION; the code
# reads it from "velmor/Version.h", generated here.
configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${PROJECT_BINARY_DIR}/include/velmor/Version.h @ONLY)
add_library(velmor_version INTERFACE)
target_include_directories(velmor_version INTERFACE ${PROJECT_BINARY_DIR}/include)
