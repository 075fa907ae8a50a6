# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install build --prefix P: the programs in P/bin, their installation
# data in P/share/radioprog (found there through ../share/radioprog), man pages,
# desktop entry, icons, AppStream data and bash completion where Debian keeps them.
include(GNUInstallDirs)

set(RADIOPROG_DATA_DIR ${CMAKE_INSTALL_DATADIR}/radioprog)
# What the project has no fixed value for, a distributor can give. The
# AppStream id should be the reverse of a domain its publisher owns; without
# one it is the program's name. Without a web address the package names no
# homepage and the AppStream data no screenshots (they must be reachable there).
set(RADIOPROG_APPSTREAM_ID "radioprog" CACHE STRING "AppStream component id (reverse-DNS when you own a domain)")
set(RADIOPROG_HOMEPAGE "" CACHE STRING
    "Project web address, if any; the README screenshots are expected under <address>/screenshots")
# The package's Maintainer: Debian's packager variables when set, else a neutral name.
if(DEFINED ENV{DEBEMAIL} AND DEFINED ENV{DEBFULLNAME})
  set(maintainer_default "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
  # Debian wants an address; .invalid can never be mistaken for a real one.
  set(maintainer_default "RadioProg developers <radioprog@packages.invalid>")
endif()
set(RADIOPROG_MAINTAINER "${maintainer_default}" CACHE STRING
    "Maintainer of the Debian package and its changelog entry, as \"Name <mail>\"")

install(TARGETS radioprog-cli radioprog-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The installation data as shipped: from the sources, never the build tree's
# copies, which carry the developer's own Language choice.
file(GLOB shipped_data ${CMAKE_SOURCE_DIR}/res/install/*)
install(FILES ${shipped_data} ${CMAKE_BINARY_DIR}/enHelp.html ${CMAKE_BINARY_DIR}/chHelp.html
        DESTINATION ${RADIOPROG_DATA_DIR})

# Man pages, compressed as Debian keeps them (-n: no time stamp, reproducible).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(man_outputs)
foreach(page radioprog radioprog-cli radioprog-sim)
  set(src ${CMAKE_SOURCE_DIR}/res/man/${page}.1)
  set(out ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${GZIP_PROGRAM} -9nc ${src} > ${out}
    DEPENDS ${src}
    COMMENT "Man page ${page}.1.gz")
  list(APPEND man_outputs ${out})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_outputs})
install(FILES ${man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# One completion script serves all three programs; bash loads it by the program's name.
# What Debian expects of every package: its copyright and its changelog.
set(CPACK_PACKAGE_CONTACT "${RADIOPROG_MAINTAINER}")
configure_file(${CMAKE_SOURCE_DIR}/res/debian/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
set(changelog ${CMAKE_BINARY_DIR}/debian/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${GZIP_PROGRAM} -9nc ${CMAKE_BINARY_DIR}/debian/changelog > ${changelog}
  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog
  COMMENT "changelog.gz")
add_custom_target(package_changelog ALL DEPENDS ${changelog})
install(FILES ${CMAKE_SOURCE_DIR}/res/debian/copyright ${changelog}
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The script is installed once; bash finds it for the other programs by links.
set(completions ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${CMAKE_SOURCE_DIR}/res/completion/radioprog DESTINATION ${completions})
foreach(program radioprog-cli radioprog-sim)
  install(CODE "file(CREATE_LINK radioprog
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${completions}/${program}\" SYMBOLIC)")
endforeach()
# The Help command opens the manuals in the program's data folder, not /usr/share/doc.
install(FILES ${CMAKE_SOURCE_DIR}/res/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME radioprog)

if(RADIOPROG_WITH_GUI)
  install(TARGETS radioprog RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/English.qm ${CMAKE_BINARY_DIR}/Chinese.qm
          DESTINATION ${RADIOPROG_DATA_DIR})
  install(FILES ${CMAKE_SOURCE_DIR}/res/desktop/radioprog.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/res/desktop/icons/radioprog.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/res/desktop/icons/radioprog-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME radioprog.png)
  endforeach()
  # The homepage and the screenshots only where there is a web address to give.
  set(RADIOPROG_APPSTREAM_WEB "")
  if(RADIOPROG_HOMEPAGE)
    string(CONCAT RADIOPROG_APPSTREAM_WEB
      "  <url type=\"homepage\">${RADIOPROG_HOMEPAGE}</url>\n"
      "  <screenshots>\n"
      "    <screenshot type=\"default\">\n"
      "      <caption>The channel grid</caption>\n"
      "      <image>${RADIOPROG_HOMEPAGE}/screenshots/editor-grid-en.png</image>\n"
      "    </screenshot>\n"
      "    <screenshot>\n"
      "      <caption>Reading the radio</caption>\n"
      "      <image>${RADIOPROG_HOMEPAGE}/screenshots/english-process.png</image>\n"
      "    </screenshot>\n"
      "  </screenshots>\n")
  endif()
  configure_file(${CMAKE_SOURCE_DIR}/res/desktop/radioprog.metainfo.xml
                 ${CMAKE_BINARY_DIR}/${RADIOPROG_APPSTREAM_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${RADIOPROG_APPSTREAM_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
