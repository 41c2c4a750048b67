# Prints the AppStream release list made from one changelog:
# cmake -DCHANGELOG=FILE -P print-releases.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/Changelog.cmake)
vorel_appstream_releases(${CHANGELOG} releases)
message(NOTICE "${releases}")
