# listchart_add_library(<name> <ExportName> SOURCES ... PRIVATE_HEADERS ... [DEPENDS ...]
#                       [QT ...] [PRIVATE_LIBS ...])
#
# One library of the controls, compiled once into position-independent objects with hidden
# symbols, and made from them twice:
#   listchart_<name>          liblistchart-<name>.so.1, alias ListChart::<ExportName>, for
#                             every program (the demo, the tools, the examples, other people's);
#   listchart_<name>_static   an archive of the same objects, for the tests and fuzzers,
#                             which reach internals the shared library hides.
#   tankdemo_<name>           links one or the other: the archive for a target whose property
#                             LISTCHART_STATIC is set (see listchart_link_statically), else the
#                             shared library. So a program gets each library one way only.
# The headers of the folder, less PRIVATE_HEADERS, are installed under
# include/listchart/<folder>/ (FOLDER, default <name>).
function(listchart_add_library name export_name)
  cmake_parse_arguments(ARG "" "FOLDER" "SOURCES;PRIVATE_HEADERS;PUBLIC_HEADERS;DEPENDS;QT;PRIVATE_LIBS" ${ARGN})
  set(objects listchart_${name}_objects)
  add_library(${objects} OBJECT ${ARG_SOURCES})
  set_target_properties(${objects} PROPERTIES POSITION_INDEPENDENT_CODE ON
                        CXX_VISIBILITY_PRESET hidden)
  target_include_directories(${objects} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${objects} PUBLIC ${ARG_QT})

  set(shared listchart_${name})
  add_library(${shared} SHARED $<TARGET_OBJECTS:${objects}>)
  add_library(ListChart::${export_name} ALIAS ${shared})
  # Installed anywhere, a library finds the others beside it: a program's own run path does
  # not reach the libraries its libraries load.
  set_target_properties(${shared} PROPERTIES OUTPUT_NAME listchart-${name} EXPORT_NAME ${export_name}
                        VERSION ${LISTCHART_VERSION} SOVERSION ${LISTCHART_SOVERSION}
                        INSTALL_RPATH "$ORIGIN")
  # The headers need C++20 of every program that includes them.
  target_compile_features(${shared} PUBLIC cxx_std_20)
  if(NOT TANKDEMO_SANITIZE AND NOT TANKDEMO_FUZZ)
    # A symbol another library hides shows here, not when a program first links.
    target_link_options(${shared} PRIVATE LINKER:--no-undefined)
  endif()
  target_include_directories(${shared} PUBLIC $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/src>
                             $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/listchart>)
  set(static listchart_${name}_static)
  add_library(${static} STATIC $<TARGET_OBJECTS:${objects}>)
  target_include_directories(${static} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  foreach(dep ${ARG_DEPENDS})
    target_link_libraries(${shared} PUBLIC listchart_${dep})
    target_link_libraries(${static} PUBLIC listchart_${dep}_static)
  endforeach()
  target_link_libraries(${shared} PUBLIC ${ARG_QT} PRIVATE ${ARG_PRIVATE_LIBS})
  target_link_libraries(${static} PUBLIC ${ARG_QT} PRIVATE ${ARG_PRIVATE_LIBS})

  add_library(tankdemo_${name} INTERFACE)
  target_link_libraries(tankdemo_${name} INTERFACE
    "$<IF:$<BOOL:$<TARGET_PROPERTY:LISTCHART_STATIC>>,${static},${shared}>")

  # The public headers, for installing and for the exported-symbol check.
  if(NOT ARG_FOLDER)
    set(ARG_FOLDER ${name})
  endif()
  if(ARG_PUBLIC_HEADERS)
    set(headers ${ARG_PUBLIC_HEADERS})
  else()
    file(GLOB_RECURSE headers RELATIVE ${CMAKE_SOURCE_DIR}/src CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/src/${ARG_FOLDER}/*.h)
    list(REMOVE_ITEM headers ${ARG_PRIVATE_HEADERS})
  endif()
  set_target_properties(${shared} PROPERTIES LISTCHART_PUBLIC_HEADERS "${headers}"
                        LISTCHART_DEPENDS "${ARG_DEPENDS}")
endfunction()

# Tests, fuzzers and benchmarks reach internals: they link the archives.
function(listchart_link_statically)
  foreach(target ${ARGN})
    set_target_properties(${target} PROPERTIES LISTCHART_STATIC ON)
  endforeach()
endfunction()
