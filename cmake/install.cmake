# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts in place, and the Debian package CPack makes of it: the program, its
# menu entry, its AppStream metainfo, its icon and the MIME type of its design files, all under the
# id org.velmaro.Velmaro; its manual page; the copyright file and the changelog a Debian package
# carries; the user's manual with its pictures, which "Aiuto" > "Manuale" opens. Nothing else is
# installed: no libraries, tests, benchmarks or build tools.

include(GNUInstallDirs)

set(VELMARO_APP_ID org.velmaro.Velmaro)
# The date of the release whose number project() gives; move both together.
set(VELMARO_RELEASE_DATE 2026-12-08)
# Every rule below belongs to this component, and the package takes this component alone.
set(VELMARO_INSTALL_COMPONENT velmaro)

install(TARGETS velmaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  COMPONENT ${VELMARO_INSTALL_COMPONENT})

install(FILES ${PROJECT_SOURCE_DIR}/assets/${VELMARO_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT ${VELMARO_INSTALL_COMPONENT})

configure_file(${PROJECT_SOURCE_DIR}/assets/${VELMARO_APP_ID}.metainfo.xml.in
  ${PROJECT_BINARY_DIR}/${VELMARO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${VELMARO_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT ${VELMARO_INSTALL_COMPONENT})

# The icon: assets/icon.svg as it is, and the PNG sizes launchers ask for, rendered from it at
# build time.
install(FILES ${PROJECT_SOURCE_DIR}/assets/icon.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${VELMARO_APP_ID}.svg COMPONENT ${VELMARO_INSTALL_COMPONENT})

add_executable(velmaro_render_icon ${PROJECT_SOURCE_DIR}/assets/render_icon.cpp)
target_link_libraries(velmaro_render_icon PRIVATE Qt6::Gui Qt6::Svg)

set(VELMARO_ICON_PNGS)
foreach(size IN ITEMS 16 24 32 48 64 128 256)
  set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/${VELMARO_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
    COMMAND velmaro_render_icon ${PROJECT_SOURCE_DIR}/assets/icon.svg ${size} ${png}
    DEPENDS velmaro_render_icon ${PROJECT_SOURCE_DIR}/assets/icon.svg
    COMMENT "Rendering the ${size}x${size} icon"
    VERBATIM)
  list(APPEND VELMARO_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    COMPONENT ${VELMARO_INSTALL_COMPONENT})
endforeach()

# The MIME type of a design file, application/x-velmaro for *.velmaro, as shared-mime-info reads it.
install(FILES ${PROJECT_SOURCE_DIR}/assets/${VELMARO_APP_ID}.mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${VELMARO_APP_ID}.xml
  COMPONENT ${VELMARO_INSTALL_COMPONENT})

# The manual page and the changelog, compressed as Debian wants them (gzip -9, without the name
# and time stamp of the source); the copyright file as it is. The changelog is a native package's,
# one entry per version.
find_program(VELMARO_GZIP gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/assets/velmaro.1.in ${PROJECT_BINARY_DIR}/man/velmaro.1 @ONLY)
set(VELMARO_COMPRESSED)
foreach(source IN ITEMS ${PROJECT_BINARY_DIR}/man/velmaro.1 ${PROJECT_SOURCE_DIR}/assets/changelog)
  get_filename_component(name ${source} NAME)
  set(compressed ${PROJECT_BINARY_DIR}/compressed/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${PROJECT_BINARY_DIR}/compressed/${name}
    COMMAND ${VELMARO_GZIP} -9nf ${PROJECT_BINARY_DIR}/compressed/${name}
    DEPENDS ${source}
    COMMENT "Compressing ${name}"
    VERBATIM)
  list(APPEND VELMARO_COMPRESSED ${compressed})
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/compressed/velmaro.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${VELMARO_INSTALL_COMPONENT})
install(FILES ${PROJECT_BINARY_DIR}/compressed/changelog.gz ${PROJECT_SOURCE_DIR}/assets/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmaro COMPONENT ${VELMARO_INSTALL_COMPONENT})

# The manual and every picture it shows, beside the copyright file.
file(GLOB VELMARO_MANUAL_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.png)
install(FILES ${PROJECT_SOURCE_DIR}/docs/manual.md ${VELMARO_MANUAL_PICTURES}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmaro COMPONENT ${VELMARO_INSTALL_COMPONENT})

add_custom_target(velmaro_installed_files DEPENDS ${VELMARO_ICON_PNGS} ${VELMARO_COMPRESSED})
# Whatever builds the program (scripts/start.sh builds nothing else) leaves all it installs ready.
add_dependencies(velmaro velmaro_installed_files)

# The Debian package: velmaro_<version>_<arch>.deb, installing under /usr, its dependencies read
# by dpkg-shlibdeps from the libraries the program links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velmaro project")
set(CPACK_PACKAGE_CONTACT "The Velmaro project <packages@velmaro.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "passive RC integrator designer and simulator")
# Lines under 80 characters, as Debian descriptions want them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Velmaro designs the resistor-capacitor filter that turns a PWM pulse train\n"
  "into a DC level: from the pulse amplitude, the wanted mean output, the\n"
  "frequency, the allowed ripple and the resistor it computes the duty cycle\n"
  "and the capacitor. It then simulates the circuit until it settles, plots\n"
  "input voltage, capacitor current and output voltage, and reports the real\n"
  "ripple and mean. The interface is in Italian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS
  "${PROJECT_BINARY_DIR};${PROJECT_NAME};${VELMARO_INSTALL_COMPONENT};/")
set(CPACK_DEBIAN_PACKAGE_NAME velmaro)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.velmaro.org)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts in Italian (the fields' menus, the file dialogs), which the program loads at
# start; the libraries' packages come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
set(CPACK_STRIP_FILES ON)
include(CPack)
