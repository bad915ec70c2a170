# The Debian package, built from the build folder with `cpack -G DEB`. Its dependencies come from
# dpkg-shlibdeps, plus what the program loads without linking to it.
set(KODVIK_MAINTAINER "The Kodvik developers <dev@kodvik.se>"
    CACHE STRING "Maintainer of the Debian package, also named in its changelog")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kodvik)
set(CPACK_PACKAGE_VENDOR "The Kodvik developers")
set(CPACK_PACKAGE_CONTACT "${KODVIK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert between character codes and characters")
set(CPACK_PACKAGE_DESCRIPTION
    "Kodvik is a small window that converts between a character code from 0 to
255 and its character in the Windows-1252 code page, in both directions.
The arrow buttons step through the codes and keep stepping while held down,
codes without a printable character are named, and Print writes the table
of all 256 codes to a text file and opens it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KODVIK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://kodvik.se/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its platform plugin (xcb, wayland) at run time, so no linked library names it; libqt6gui6
# only recommends it, and without it the window cannot open. The window's layout is measured in
# Liberation Sans: in a wider fallback face the longest notes run under the "<" button.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
# "Print" opens the table through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# Installed-Size from the package's content, not from the file system it was made on.
set(CPACK_POST_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/deb-installed-size.cmake")

include(CPack)
