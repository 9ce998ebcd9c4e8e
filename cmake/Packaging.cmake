# The Debian package: `cpack -G DEB` in the build folder writes
# vantrel_<version>_<arch>.deb from the install rules, installed under /usr.
# The run-time libraries become dependencies through dpkg-shlibdeps (from
# dpkg-dev, which needs `file`), so the package follows whatever the program
# links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planning board for the orders and workers of a small workshop")
# One string without semicolons: CMake would read them as list separators.
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrel lays the jobs of a workshop's orders out on the working weeks of
its workers, around holidays, off-days and illness days, and shows the plan
as a calendar. Orders and workers are edited in their own windows, keys
close the gaps between jobs, and projects are exported as XML, HTML reports
and text lists. A demo project comes with it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# An unusual umask on the build machine must not reach the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The build keeps its debug information; the package does not need it.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantrel developers <vantrel@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The user interface asks fontconfig for DejaVu by name; fontconfig itself
# is content with any of several font packages.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
# Reports open in the desktop's browser through xdg-open; printing goes
# through lp.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups-client")

include(CPack)
