# `cpack -G DEB` in the build folder makes a Debian package of what
# `cmake --install` installs, under /usr.
set(CPACK_PACKAGE_NAME dezoredu)
set(CPACK_PACKAGE_VENDOR "The Dezoredu developers")
set(CPACK_PACKAGE_CONTACT "The Dezoredu developers <dezoredu@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sort digital photographs into dated albums")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://dezoredu.example.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The first packaging of each release: 1.3-1. A package with a revision is
# one of an upstream release, whose Debian changelog is changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The summary is the package's first description line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Dezoredu reads the EXIF data of every JPEG picture below a source folder,
lets you define albums as time ranges of shots on a film of thumbnails, and
copies or moves each album's pictures into a folder tree under a target
folder. dezoredu-cli does the same from scripts.")

# What Debian wants beside the programs: the licence in machine-readable form
# and a changelog, both under /usr/share/doc/dezoredu, the changelog
# compressed as gzip -9n does (no name or time stored, so the same bytes each
# time).
include(GNUInstallDirs)
execute_process(COMMAND date -u -R -d "${DEZOREDU_RELEASE_DATE}" OUTPUT_VARIABLE DEZOREDU_CHANGELOG_DATE
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog.Debian
               @ONLY)
execute_process(COMMAND gzip -9n -c ${PROJECT_BINARY_DIR}/packaging/changelog.Debian
                OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
include(CPack)
