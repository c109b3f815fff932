# The HTML reference of the public headers with the getting-started pages, made by doxygen
# (Debian's package) with warnings as errors, installed with the development files. Without
# doxygen the build goes on without it; the sanitizer build never makes it.
option(LISTCHART_DOCS "Make the HTML reference when doxygen is installed" ON)
if(NOT LISTCHART_DOCS OR TANKDEMO_SANITIZE)
  return()
endif()
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
# The pages show the examples' code as it is (EXAMPLE_MILLION_ROWS, ...).
foreach(example million-rows live-chart linked)
  set(file ${CMAKE_SOURCE_DIR}/examples/${example}/main.cpp)
  string(TOUPPER "EXAMPLE_${example}" name)
  string(REPLACE "-" "_" name ${name})
  file(READ ${file} ${name})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
endforeach()
foreach(page mainpage treelist chart)
  configure_file(${CMAKE_SOURCE_DIR}/docs/${page}.md ${LISTCHART_DOCS_DIR}/pages/${page}.md @ONLY)
  list(APPEND docs_inputs ${LISTCHART_DOCS_DIR}/pages/${page}.md)
endforeach()
list(JOIN docs_inputs " " LISTCHART_DOCS_INPUT)
configure_file(${CMAKE_SOURCE_DIR}/docs/Doxyfile.in ${CMAKE_BINARY_DIR}/Doxyfile @ONLY)

add_custom_command(OUTPUT ${LISTCHART_DOCS_DIR}/html/index.html
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${LISTCHART_DOCS_DIR}/html
  COMMAND ${DOXYGEN_EXECUTABLE} ${CMAKE_BINARY_DIR}/Doxyfile
  DEPENDS ${docs_inputs} ${CMAKE_SOURCE_DIR}/docs/Doxyfile.in
          ${CMAKE_SOURCE_DIR}/docs/comments-as-docs
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Making the HTML reference"
  VERBATIM)
add_custom_target(listchart_docs ALL DEPENDS ${LISTCHART_DOCS_DIR}/html/index.html)
install(DIRECTORY ${LISTCHART_DOCS_DIR}/html/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/liblistchart-dev/html
        COMPONENT dev)
