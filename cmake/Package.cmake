# `cpack -G DEB` in a build folder makes tankdemo_VERSION_ARCH.deb: the three programs, the
# desktop entry, the icon and the manual pages, installed under /usr, with the libraries they
# link found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME tankdemo)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_CONTACT "Velmora tank demo developers <tankdemo@velmora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tank level monitoring demonstration")
# The long description below the summary; CPack indents it and marks the empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[A desktop program that watches the liquid levels of 37 storage tanks on twelve
sites, shown as a sortable, expandable tree-list and a stacked 3D bar chart,
with a simulation that drains and refills the tanks. The plant's table can be
saved as tab-separated text or handed to the desktop's mail program.

tankdemo-export writes the table and tankdemo-snapshot draws the chart, the
tree-list or the window into a PNG file, both without a display.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the linked libraries: the font the pictures are drawn in, and the mail hand-off.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_GENERATOR DEB)
include(CPack)
