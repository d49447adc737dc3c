# The packages, built by cpack from the install tree: a .deb on Linux, a .zip on Windows.
# Name, version and texts come from project() and version.cmake.
set(CPACK_PACKAGE_NAME zentrel)
set(CPACK_PACKAGE_VENDOR "The Zentrel Developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${ZENTREL_FILE_DESCRIPTION}")
# Lines of at most 79 characters, as the Debian control file wants them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Prints the date some days before or after a date, the days between two dates,\n"
  "the day of the week and of the year, leap years and month ends, durations in\n"
  "63 formats, a time plus or minus a duration, random numbers, ready-made script\n"
  "variables and a section-by-section comparison of two timing files: one answer\n"
  "per run on standard output and a fixed exit code, for shell and batch scripts.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME zentrel-${PROJECT_VERSION}-windows-x64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Zentrel Developers <zentrel@example.org>")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS bash-completion)
  # Computed from the executable: none for the static release build.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
