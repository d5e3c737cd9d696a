# Installs the game where a Linux desktop finds it, and packages it for Debian with CPack.

include(GNUInstallDirs)

set(POMVEXA_RELEASE_DATE 2026-12-08)
set(POMVEXA_ICON_SIZES 16 22 24 32 48 64 128 256)

install(TARGETS pomvexa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/${POMVEXA_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(resources/${POMVEXA_APP_ID}.metainfo.xml.in
    ${POMVEXA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${POMVEXA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS POMVEXA_ICON_SIZES)
    install(FILES resources/icons/face-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${POMVEXA_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pomvexa)
set(CPACK_PACKAGE_VENDOR Tarnik)
set(CPACK_PACKAGE_CONTACT "Pomvexa maintainers <maintainers@users.noreply.c-seed-30381532.example>"
    CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "click the jumping smiley face before it jumps again")
set(CPACK_PACKAGE_DESCRIPTION "\
A smiley face jumps to a random place inside a double frame on every tick
of a timer. Click it before it jumps again: every hit beeps and scores a
point, and after 30 jumps a message shows the score. Four difficulty
levels set the pace of the next round. All texts of the game are in
Simplified Chinese.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries' dependencies cannot show: the platform plugin that opens windows, a font
# with the Chinese texts, and the sound played for a hit.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk | fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sound-theme-freedesktop, libcanberra-pulse")
include(CPack)
