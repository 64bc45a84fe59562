# `make package` (or `cmake --build <dir> --target package`): the installed layout as one
# Debian package, kestro_<version>_<arch>.deb in the build folder.
#
# Its dependencies are read off the programs themselves by dpkg-shlibdeps (from dpkg-dev):
# the Qt 6 libraries the editor links, and libngspice once the engine links it, each with
# the lowest version that provides what the programs use. The xcb platform plugin comes
# with libqt6gui6 on Debian, so nothing loaded at run time needs declaring by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestro)
set(CPACK_PACKAGE_VENDOR Quorvant)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "schematic editor for power-electronics simulation")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kestro draws converters and drives from a library of elements (switches, passive\n\
parts, sources, machines, meters and control blocks), nests sheets as subcircuits,\n\
writes the netlist for its simulation engine and shows the results in its waveform\n\
viewer. The package holds the editor, the element library, the engine tarn (on\n\
ngspice's shared library), the viewer graphon, the command-line tools kestro-lib,\n\
kestro-sch, kestro-netlist and kestro-examples, example schematics and the\n\
documentation.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kestro developers <kestro@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The build keeps its debugging information; the package does without.
set(CPACK_STRIP_FILES ON)

find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT DPKG_SHLIBDEPS)
    message(STATUS "dpkg-shlibdeps is missing (package dpkg-dev): `make package` will fail")
endif()

include(CPack)
