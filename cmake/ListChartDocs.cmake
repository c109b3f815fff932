# The HTML reference of the public headers with the getting-started pages, made by doxygen
# (Debian's package) with warnings as errors, installed with the development files. Without
# doxygen the build goes on without it.
find_program(DOXYGEN_EXECUTABLE doxygen)
if(NOT DOXYGEN_EXECUTABLE)
  message(STATUS "doxygen not found: the HTML reference is not made")
  return()
endif()

set(LISTCHART_DOCS_DIR ${CMAKE_BINARY_DIR}/docs)
set(docs_inputs)
foreach(lib platform treelist chart widgets)
  get_target_property(headers listchart_${lib} LISTCHART_PUBLIC_HEADERS)
  list(TRANSFORM headers PREPEND ${CMAKE_SOURCE_DIR}/src/)
  list(APPEND docs_inputs ${headers})
endforeach()
file(GLOB docs_pages ${CMAKE_SOURCE_DIR}/docs/*.md)
file(GLOB_RECURSE docs_examples ${CMAKE_SOURCE_DIR}/examples/*.cpp)
list(APPEND docs_inputs ${docs_pages})
list(JOIN docs_inputs " " LISTCHART_DOCS_INPUT)
configure_file(${CMAKE_SOURCE_DIR}/docs/Doxyfile.in ${CMAKE_BINARY_DIR}/Doxyfile @ONLY)

add_custom_command(OUTPUT ${LISTCHART_DOCS_DIR}/html/index.html
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${LISTCHART_DOCS_DIR}/html
  COMMAND ${DOXYGEN_EXECUTABLE} ${CMAKE_BINARY_DIR}/Doxyfile
  DEPENDS ${docs_inputs} ${docs_examples} ${CMAKE_SOURCE_DIR}/docs/Doxyfile.in
          ${CMAKE_SOURCE_DIR}/docs/comments-as-docs
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Making the HTML reference"
  VERBATIM)
add_custom_target(listchart_docs ALL DEPENDS ${LISTCHART_DOCS_DIR}/html/index.html)
install(DIRECTORY ${LISTCHART_DOCS_DIR}/html/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/liblistchart-dev/html
        COMPONENT dev)
