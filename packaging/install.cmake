# Install rules and the Debian package (CPack's DEB generator).
#
#   bin/vsselain
#   share/vsselain/osastolista                 (found there by an installed program)
#   share/applications/fi.vsselain.VSselain.desktop
#   share/icons/hicolor/{48x48,128x128,256x256,scalable}/apps/fi.vsselain.VSselain.*
#   share/metainfo/fi.vsselain.VSselain.metainfo.xml
#   share/doc/vsselain/{copyright,changelog.gz}
#   share/man/man1/vsselain.1.gz
include(GNUInstallDirs)
set(VS_APP_ID fi.vsselain.VSselain)
set(_pkg ${CMAKE_SOURCE_DIR}/packaging)

# "cmake --install" and cpack install what is built; they do not build every
# test program first (scripts/package.sh builds the program itself).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS vsselain RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_data} DESTINATION ${CMAKE_INSTALL_DATADIR}/vsselain)
install(FILES ${_pkg}/${VS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_pkg}/${VS_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(_size 48 128 256)
  install(FILES ${_pkg}/icons/${_size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
          RENAME ${VS_APP_ID}.png)
endforeach()
install(FILES ${_pkg}/icons/${VS_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian wants the changelog and the manual page compressed reproducibly (no
# name, no time stamp). The package is native (no Debian revision), so its
# changelog is changelog.gz.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
foreach(_f changelog vsselain.1)
  execute_process(COMMAND gzip -9nc ${_pkg}/${_f} OUTPUT_FILE ${CMAKE_BINARY_DIR}/packaging/${_f}.gz)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_pkg}/${_f})
endforeach()
install(FILES ${_pkg}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vsselain)
install(FILES ${CMAKE_BINARY_DIR}/packaging/vsselain.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vsselain)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "VSselain <palaute@vsselain.fi>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "web browser for the Vasaro auction marketplace")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "VSselain shows the Finnish online auction marketplace Vasaro in tabs and\n\
adds tools for buyers and sellers: a search form, a seller filter,\n\
favourite sellers and searches, watch-list alerts, listing templates,\n\
re-listing, picture upload and a trade ledger. Its texts are in Finnish.")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE _arch OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_QUIET)
if(NOT _arch)
  set(_arch amd64)
endif()
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${_arch})
set(CPACK_DEBIAN_FILE_NAME "vsselain_${PROJECT_VERSION}_${_arch}.deb")
set(CPACK_STRIP_FILES ON)
# The libraries the program links, computed by dpkg-shlibdeps; then what it
# loads at run time: the engine's helper process, Qt's Wayland platform,
# picture-format and translation plugins, the fonts pictures are drawn with,
# and xdg-open for addresses opened in the default browser.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6webenginecore6-bin, qt6-wayland, qt6-image-formats-plugins, qt6-translations-l10n, fonts-liberation, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.vsselain.fi/")
include(CPack)
