# Installs the controls' libraries for other programs: liblistchart-*.so.1 (component runtime);
# the public headers under include/listchart/ in the source folders' layout, the .so links,
# the CMake package ListChart and one pkg-config file per library (component dev).
include(CMakePackageConfigHelpers)

set(listchart_libraries platform treelist chart widgets)
set(listchart_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/ListChart)
set(listchart_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

foreach(lib ${listchart_libraries})
  install(TARGETS listchart_${lib} EXPORT ListChartTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)  # not executable
  get_target_property(headers listchart_${lib} LISTCHART_PUBLIC_HEADERS)
  foreach(header ${headers})
    get_filename_component(folder ${header} DIRECTORY)
    install(FILES ${CMAKE_SOURCE_DIR}/src/${header}
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/listchart/${folder} COMPONENT dev)
  endforeach()
endforeach()

install(EXPORT ListChartTargets NAMESPACE ListChart:: DESTINATION ${listchart_cmake_dir}
        COMPONENT dev)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/ListChartConfig.cmake.in
  ${CMAKE_BINARY_DIR}/ListChartConfig.cmake INSTALL_DESTINATION ${listchart_cmake_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/ListChartConfigVersion.cmake
  VERSION ${LISTCHART_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/ListChartConfig.cmake
              ${CMAKE_BINARY_DIR}/ListChartConfigVersion.cmake
        DESTINATION ${listchart_cmake_dir} COMPONENT dev)

# The pkg-config files find the prefix from where they lie, so the same file serves /usr, a
# temporary prefix and an unpacked package.
file(RELATIVE_PATH listchart_pc_up /${listchart_pc_dir} /)
string(REGEX REPLACE "/$" "" listchart_pc_up "${listchart_pc_up}")
function(listchart_pkg_config lib summary requires)
  set(LISTCHART_PC_NAME listchart-${lib})
  set(LISTCHART_PC_SUMMARY "${summary}")
  set(LISTCHART_PC_REQUIRES "${requires}")
  configure_file(${CMAKE_SOURCE_DIR}/cmake/listchart.pc.in
                 ${CMAKE_BINARY_DIR}/pkgconfig/listchart-${lib}.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/pkgconfig/listchart-${lib}.pc DESTINATION ${listchart_pc_dir}
          COMPONENT dev)
endfunction()
listchart_pkg_config(platform "Drawing, window host interface and services of the listchart controls"
                     "Qt6Core Qt6Gui")
listchart_pkg_config(treelist "Multi-column tree-list control" "listchart-platform")
listchart_pkg_config(chart "Chart control with bar, line, area and point series" "listchart-platform")
listchart_pkg_config(widgets "QWidget faces of the listchart tree-list and chart"
                     "listchart-treelist listchart-chart Qt6Widgets")
