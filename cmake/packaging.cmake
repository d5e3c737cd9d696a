# Installs the game where a Linux desktop finds it, and packages it for Debian with CPack.

include(GNUInstallDirs)

# The release's date, for the metainfo and the changelog, from its time (reproducible.cmake).
set(saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${POMVEXA_RELEASE_EPOCH})
string(TIMESTAMP POMVEXA_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP POMVEXA_RELEASE_TIME "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${saved_epoch}")
if(saved_epoch STREQUAL "")
    unset(ENV{SOURCE_DATE_EPOCH})
endif()
# The package's maintainer, also the author of its changelog.
set(CPACK_PACKAGE_CONTACT "Pomvexa maintainers <maintainers@users.noreply.c-seed-30381532.example>"
    CACHE STRING "Maintainer of the Debian package")
set(POMVEXA_ICON_SIZES 16 22 24 32 48 64 128 256)

# A game's program goes to games/ below the prefix, as Debian's policy has it.
set(POMVEXA_GAMES_DIR games)
install(TARGETS pomvexa RUNTIME DESTINATION ${POMVEXA_GAMES_DIR})
# Without the compilers' and linkers' notes, which say nothing to a player.
install(CODE "execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
    --remove-section=.note \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${POMVEXA_GAMES_DIR}/pomvexa\")")

# The desktop entry starts the program by its full path, which is known only when installing
# (CPack installs below /usr whatever the build's prefix).
install(CODE "set(POMVEXA_DESKTOP_TEMPLATE \"${CMAKE_CURRENT_SOURCE_DIR}/resources/${POMVEXA_APP_ID}.desktop.in\")
    set(POMVEXA_DESKTOP_STAGE \"${CMAKE_CURRENT_BINARY_DIR}/desktop-entry\")
    set(POMVEXA_GAMES_DIR ${POMVEXA_GAMES_DIR})")
install(SCRIPT cmake/installdesktopentry.cmake)

# Manual pages and the changelog are installed compressed, without a time stamp, as Debian
# wants them; the copyright file as it is.
configure_file(packaging/debian/changelog.in changelog @ONLY)
set(compressed_dir ${CMAKE_CURRENT_BINARY_DIR}/compressed)
set(compressed_files)
function(pomvexa_compress source name)
    set(output ${compressed_dir}/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${compressed_dir}
        COMMAND gzip -9n --stdout ${source} > ${output}
        DEPENDS ${source} VERBATIM)
    set(compressed_files ${compressed_files} ${output} PARENT_SCOPE)
endfunction()
pomvexa_compress(${CMAKE_CURRENT_SOURCE_DIR}/packaging/man/pomvexa.6 pomvexa.6)
pomvexa_compress(${CMAKE_CURRENT_SOURCE_DIR}/packaging/man/zh_CN/pomvexa.6 zh_CN.pomvexa.6)
pomvexa_compress(${CMAKE_CURRENT_BINARY_DIR}/changelog changelog)
add_custom_target(compressed_docs ALL DEPENDS ${compressed_files})

install(FILES ${compressed_dir}/pomvexa.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${compressed_dir}/zh_CN.pomvexa.6.gz RENAME pomvexa.6.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man6)
install(FILES ${compressed_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pomvexa)
install(FILES packaging/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pomvexa)
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
# with the Chinese texts, the sound library that is loaded for the first hit, and the sound.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk | fonts-wqy-zenhei, libcanberra0")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sound-theme-freedesktop, libcanberra-pulse")
# The same build always gives the same package (see debrepack.cmake).
set(CPACK_POMVEXA_SOURCE_DATE_EPOCH ${POMVEXA_SOURCE_DATE_EPOCH})
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/debrepack.cmake)
include(CPack)
