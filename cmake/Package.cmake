# `cpack -G DEB` in the build folder makes a Debian package of what
# `cmake --install` installs, under /usr.
set(CPACK_PACKAGE_NAME dezoredu)
set(CPACK_PACKAGE_VENDOR "The Dezoredu developers")
set(CPACK_PACKAGE_CONTACT "The Dezoredu developers <dezoredu@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sort digital photographs into dated albums")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://dezoredu.example.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The summary is the package's first description line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Dezoredu reads the EXIF data of every JPEG picture below a source folder,
lets you define albums as time ranges of shots on a film of thumbnails, and
copies or moves each album's pictures into a folder tree under a target
folder. dezoredu-cli does the same from scripts.")
include(CPack)
