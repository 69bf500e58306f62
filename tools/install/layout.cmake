# Where `cmake --install` puts the demo: its launcher `qo`, the program the
# launcher runs, and the data the demo reads from its working directory.
# QO_GAMES_LAYOUT gives Debian's layout for games (tools/build-deb.sh).
option(QO_GAMES_LAYOUT "Install the demo in Debian's layout for games" OFF)
if(QO_GAMES_LAYOUT)
  set(QO_INSTALL_LAUNCHER_DIR games)
  set(QO_INSTALL_PROGRAM_DIR lib/games/qo)
  set(QO_INSTALL_DATA_DIR share/games/qo)
else()
  set(QO_INSTALL_LAUNCHER_DIR bin)
  set(QO_INSTALL_PROGRAM_DIR libexec/qo)
  set(QO_INSTALL_DATA_DIR share/qo)
endif()
