# The Debian package drovik_VERSION_amd64.deb, made by `cpack -G DEB` in a
# Release build (scripts/package.sh). dpkg-shlibdeps reads the dependencies off
# the programs, so they follow what the build links.
set(drovik_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/drovik)
# A native package's history, in the format Debian's tools read; its latest
# entry names the version being packaged.
file(STRINGS data/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^drovik \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "data/changelog: the latest entry is not version ${PROJECT_VERSION}")
endif()
drovik_gzipped(package_changelog ${PROJECT_SOURCE_DIR}/data/changelog)
install(FILES ${package_changelog_FILES} DESTINATION ${drovik_doc_dir})
install(FILES data/copyright DESTINATION ${drovik_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME drovik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Drovik developers <drovik@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "download and convert the track memory of a GPS data logger")
set(CPACK_PACKAGE_DESCRIPTION
    "Drovik is a desktop utility for owners of a GPS data logger on a serial line.
It shows the live fix and the satellites, reads and changes the logger's
recording settings, downloads and erases its track memory, and saves the
decoded track as CSV, NMEA text, KML or GPX.
.
drovik-cli does the same work from scripts; drovik-sim plays a logger on a
pseudo-terminal for tests and demonstrations.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Peers the tests compare with, useful beside Drovik, never needed by it.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gpsbabel, libimage-exiftool-perl")
include(CPack)
