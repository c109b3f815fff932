# `cpack -G DEB` in a build folder makes three packages from the one build:
#   liblistchart1_VERSION_ARCH.deb      the controls' shared libraries (component runtime);
#   liblistchart-dev_VERSION_ARCH.deb   their headers, the .so links, the CMake package, the
#                                       pkg-config files and the HTML reference (component dev);
#   tankdemo_VERSION_ARCH.deb           the three programs, the desktop entry, the icon and the
#                                       manual pages (component program), on liblistchart1.
# Everything installs under /usr; dpkg-shlibdeps finds the system libraries each one links.
set(CPACK_PACKAGE_NAME tankdemo)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_CONTACT "Velmora tank demo developers <tankdemo@velmora.invalid>")
# No package-wide summary: each package's description starts with its own.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev program)
# Each package's Depends names the others by exact version: they come from one build.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_COMPONENT_PROGRAM_DEPENDS runtime)
# The runtime package's shlibs file gives programs built against it "liblistchart1 (>= 1.0.0)";
# its trigger runs ldconfig once dpkg is done (CPack's own shlibs would add maintainer scripts
# that call ldconfig themselves).
set(listchart_control ${CMAKE_BINARY_DIR}/debian/liblistchart1.control)
set(listchart_shlibs)
foreach(lib platform treelist chart widgets)
  string(APPEND listchart_shlibs
         "liblistchart-${lib} ${LISTCHART_SOVERSION} liblistchart1 (>= ${LISTCHART_VERSION})\n")
endforeach()
file(WRITE ${listchart_control}/shlibs "${listchart_shlibs}")
file(WRITE ${listchart_control}/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${listchart_control}/shlibs ${listchart_control}/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The programs link the libraries of the runtime package, which no installed package holds yet.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${CMAKE_BINARY_DIR}/_CPack_Packages/Linux/DEB/${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-Linux/runtime/usr/${CMAKE_INSTALL_LIBDIR})

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME liblistchart1)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION [=[tree-list and chart controls for Qt programs (libraries)
A multi-column tree-list that stays fast with a million rows (sortable, sizable
and movable columns, bands, footers, search, custom drawing, text export) and a
chart with bar, line, area and point series, automatic or fixed axes, a 3D view,
and zoom and pan with the mouse, each with a QWidget to place in a layout.

This package holds the shared libraries.]=])

set(CPACK_DEBIAN_DEV_PACKAGE_NAME liblistchart-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qt6-base-dev")
set(CPACK_COMPONENT_DEV_DESCRIPTION [=[tree-list and chart controls for Qt programs (development files)
A multi-column tree-list that stays fast with a million rows and a chart with
zoom and pan, for Qt 6 programs.

This package holds the headers, the CMake package (find_package(ListChart)),
the pkg-config files and the HTML reference with a getting-started page per
control.]=])

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME tankdemo)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION x11)
# Beyond the linked libraries: the font the pictures are drawn in, and the mail hand-off.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_COMPONENT_PROGRAM_DESCRIPTION [=[tank level monitoring demonstration
A desktop program that watches the liquid levels of 37 storage tanks on twelve
sites, shown as a sortable, expandable tree-list and a stacked 3D bar chart,
with a simulation that drains and refills the tanks. The plant's table can be
saved as tab-separated text or handed to the desktop's mail program.

tankdemo-export writes the table and tankdemo-snapshot draws the chart, the
tree-list or the window into a PNG file, both without a display.]=])
# Each package's /usr/share/doc/<package>/: the copyright note and its changelog, compressed
# as Debian keeps it.
foreach(component runtime dev program)
  string(TOUPPER ${component} upper)
  set(PACKAGE ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  set(VERSION ${PROJECT_VERSION})
  set(out ${CMAKE_BINARY_DIR}/debian/${PACKAGE})
  configure_file(${CMAKE_SOURCE_DIR}/data/debian/copyright ${out}/copyright @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/data/debian/changelog.in ${out}/changelog @ONLY)
  add_custom_command(OUTPUT ${out}/changelog.gz
    COMMAND ${GZIP_EXECUTABLE} -9nkf ${out}/changelog
    DEPENDS ${out}/changelog VERBATIM)
  add_custom_target(debian_changelog_${component} ALL DEPENDS ${out}/changelog.gz)
  install(FILES ${out}/copyright ${out}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${PACKAGE}
          COMPONENT ${component})
endforeach()
set(CPACK_GENERATOR DEB)
include(CPack)
