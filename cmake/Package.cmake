# SPDX-License-Identifier: GPL-3.0-or-later
# ./package: a Debian package made by CPack from the install rules, into dist/.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME radioprog)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "RadioProg")
# CPACK_PACKAGE_CONTACT (the Maintainer field) is RADIOPROG_MAINTAINER, set with the install rules.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "programming software for a 16-channel hand-held two-way radio")
# The extended description; CPack puts the summary before it and formats the
# lines as the control file wants them (a blank line becomes " .").
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "RadioProg reads the 1024-byte memory of a 16-channel hand-held radio over a
serial programming cable, edits its channels (receive and transmit
frequency, QT/DQT tones, power, scan add, busy lock, bandwidth, compand) and
its settings, saves the image as a .dat file, prints a report (also as PDF)
and writes the image back into the radio. English and Chinese.

The package holds the desktop program radioprog, the command-line tool
radioprog-cli for scripts, and radioprog-sim, a virtual radio on a
pseudo-terminal for trying the programs without a cable.")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(RADIOPROG_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${RADIOPROG_HOMEPAGE})
endif()
# Depends from the libraries the programs really link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts the report and the Chinese texts are drawn with.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, fonts-liberation")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# strip keeps the compilers' .comment notes; they go too, before the package is made.
find_program(RADIOPROG_OBJCOPY NAMES ${CMAKE_OBJCOPY} objcopy)
set(CPACK_RADIOPROG_OBJCOPY ${RADIOPROG_OBJCOPY})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/PackageStripComments.cmake)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/dist)
# No maintainer scripts: dpkg's triggers refresh the menus, icons and man index.
include(CPack)
