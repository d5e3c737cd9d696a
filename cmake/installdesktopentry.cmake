# Installs the desktop entry with the program's full path below the prefix being installed to.
# Run by the install rules, after POMVEXA_DESKTOP_TEMPLATE, POMVEXA_DESKTOP_STAGE and
# POMVEXA_GAMES_DIR are set.
get_filename_component(name "${POMVEXA_DESKTOP_TEMPLATE}" NAME_WLE)
set(POMVEXA_GAME_PATH "${CMAKE_INSTALL_PREFIX}/${POMVEXA_GAMES_DIR}/pomvexa")
configure_file("${POMVEXA_DESKTOP_TEMPLATE}" "${POMVEXA_DESKTOP_STAGE}/${name}" @ONLY)
file(INSTALL "${POMVEXA_DESKTOP_STAGE}/${name}"
    DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")
