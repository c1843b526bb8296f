# The Debian package: "cpack -G DEB" in a build folder (scripts/package does
# it) packs the installed tree as varnel_VERSION_ARCH.deb. Its run-time
# dependencies are computed from the programs' libraries by dpkg-shlibdeps,
# never listed by hand.
set(CPACK_PACKAGE_NAME varnel)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Orvane <varnel@orvane.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${VARNEL_HOME_PAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# F1 and the Edit commands open files with the desktop's default programs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
# The first line is the synopsis; CPack indents the lines after it, so they
# are written here without the leading blank of a control file.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"compare two files or two folders, moved content included
Varnel compares two files or two directory trees and shows where they
differ. It finds what was removed, what was added and what moved, and
marks moved content at both of its places. Text files are compared line
by line, other files byte by byte; results show as one composite listing
or side by side, with an overview of the whole comparison.
.
The same comparison is printed on standard output with varnel --report,
for scripts and git difftool, with the exit status of diff.")

include(CPack)
