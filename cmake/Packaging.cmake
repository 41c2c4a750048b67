# The Debian package: `cpack` in the build folder (or `make package` at the
# top) writes vorel_<version>_<arch>.deb from the install rules. Its
# dependencies are read from the binaries by dpkg-shlibdeps, so they follow
# whatever Qt libraries the programs link.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorel)
set(CPACK_PACKAGE_VENDOR "The Vorel developers")
set(CPACK_PACKAGE_CONTACT "The Vorel developers <vorel@vorel.example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "depth-of-field and blur calculator for photographers")
set(CPACK_PACKAGE_DESCRIPTION
    "Vorel shows how sharp a picture will be before you take it. Set up two\n"
    "cameras side by side - focus distance, f-number, focal length and circle\n"
    "of confusion (typed in, or derived from sensor format and pixel count,\n"
    "crop factor or viewing distance) - and read each one's hyperfocal\n"
    "distance and near and far limits of sharpness, with or without\n"
    "diffraction. One diagram plots the blur of both cameras against the\n"
    "distance, with the sharp zones shaded. Comparisons are saved as project\n"
    "files (.vlp) and the diagram can be exported as an image.\n"
    "\n"
    "The command-line program vorel-calc answers the reverse questions: where\n"
    "to focus and which f-number keeps everything from a near to a far\n"
    "distance sharpest, how many frames a focus stack needs, and it prints\n"
    "depth-of-field tables and renders saved projects to image files.")
# The description above is a list of lines; CPack wants one text.
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries come from shlibdeps; lensfun's camera data is no library.
set(CPACK_DEBIAN_PACKAGE_DEPENDS liblensfun-data-v1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vorel.example.org/)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# The diagram asks for "Arial"; Liberation Sans has the same metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)

# Time stamps from the last commit (see CPackProject.cmake.in).
configure_file(${PROJECT_SOURCE_DIR}/cmake/CPackProject.cmake.in
    ${PROJECT_BINARY_DIR}/CPackProject.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackProject.cmake)

include(CPack)
