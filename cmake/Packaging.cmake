# The Debian package: `cpack -G DEB` in the build folder. Depends is computed from the
# program's shared libraries (dpkg-shlibdeps), plus the font the windows ask for.
set(CPACK_PACKAGE_NAME vantrel-search)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vantrel Search Machine developers")
set(CPACK_PACKAGE_CONTACT "Vantrel Search Machine developers <developers@vantrel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "player search for ice-hockey league simulation files")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads a league (a .tms team file and a .ros roster file) and finds its players by team,
name pattern, status, assignment, position, age, salary and fourteen rating thresholds;
lists, sorts, compares and exports them and explains a search that found nobody. It
never writes a league file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Liberation Sans: without it the windows fall back to a wider font and the criteria
# panel cuts its captions off (tools/package-check.sh measures them).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation | fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vantrel.invalid/")
include(CPack)
