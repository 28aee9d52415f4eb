# Installing the game like any other: `cmake --install <build> [--prefix <folder>]` (/usr/local by
# default), and a Debian package with `cpack -G DEB` in the build folder. The programs go to a private
# folder; commands of the same names in lower case on bin/ start them from inside the installed assets
# folder, which they find from their own place, so the installed tree may be moved.
include(GNUInstallDirs)

set(QUILLMARCH_INSTALL_PROGRAMS_DIR ${CMAKE_INSTALL_LIBEXECDIR}/quillmarch)
set(QUILLMARCH_INSTALL_ASSETS_DIR ${CMAKE_INSTALL_DATADIR}/quillmarch/Assets)
set(QUILLMARCH_INSTALL_ICONS_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
set(QUILLMARCH_INSTALL_SOURCES ${CMAKE_SOURCE_DIR}/Tools/Install)

# quillmarch_install_program(<target> <command> [<option naming a file>...] [SLOT_FILES <option>...]):
# the program and the command on bin/ that starts it; the options' file names (after SLOT= for
# SLOT_FILES) are kept relative to where it is typed.
function(quillmarch_install_program target command)
  cmake_parse_arguments(PARSE_ARGV 2 QUILLMARCH "" "" "SLOT_FILES")
  install(TARGETS ${target} RUNTIME DESTINATION ${QUILLMARCH_INSTALL_PROGRAMS_DIR})
  # Relative paths from bin/ to the rest, worked out under any prefix.
  file(RELATIVE_PATH QUILLMARCH_LAUNCHER_TO_PROGRAM /prefix/${CMAKE_INSTALL_BINDIR}
       /prefix/${QUILLMARCH_INSTALL_PROGRAMS_DIR}/${target})
  file(RELATIVE_PATH QUILLMARCH_LAUNCHER_TO_ASSETS /prefix/${CMAKE_INSTALL_BINDIR}
       /prefix/${QUILLMARCH_INSTALL_ASSETS_DIR})
  set(QUILLMARCH_LAUNCHED_PROGRAM ${target})
  list(JOIN QUILLMARCH_UNPARSED_ARGUMENTS " " QUILLMARCH_LAUNCHER_PATH_OPTIONS)
  list(JOIN QUILLMARCH_SLOT_FILES " " QUILLMARCH_LAUNCHER_SLOT_PATH_OPTIONS)
  set(launcher ${CMAKE_BINARY_DIR}/Install/${command})
  configure_file(${QUILLMARCH_INSTALL_SOURCES}/launcher.sh.in ${launcher} @ONLY)
  install(PROGRAMS ${launcher} DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

quillmarch_install_program(Quillmarch quillmarch)
if(TARGET QuillmarchMatchRunner)
  quillmarch_install_program(QuillmarchMatchRunner quillmarch-match-runner --telemetry SLOT_FILES --orc-params)
  # The tournament (Python) beside the programs; its command on bin/ plays with the runner there.
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/Tools/Tournament/quillmarch_tournament
          DESTINATION ${QUILLMARCH_INSTALL_PROGRAMS_DIR} PATTERN __pycache__ EXCLUDE)
  install(PROGRAMS ${CMAKE_SOURCE_DIR}/Tools/Tournament/quillmarch-tournament
          DESTINATION ${QUILLMARCH_INSTALL_PROGRAMS_DIR})
  file(RELATIVE_PATH QUILLMARCH_LAUNCHER_TO_TOURNAMENT /prefix/${CMAKE_INSTALL_BINDIR}
       /prefix/${QUILLMARCH_INSTALL_PROGRAMS_DIR}/quillmarch-tournament)
  configure_file(${QUILLMARCH_INSTALL_SOURCES}/tournament.sh.in ${CMAKE_BINARY_DIR}/Install/quillmarch-tournament
                 @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/Install/quillmarch-tournament DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The generated files, each in its folder; the icons go to the desktop's icon theme instead.
foreach(asset ${QUILLMARCH_ASSET_FILES})
  if(asset MATCHES "^Icons/quillmarch_([0-9]+)\\.png$")
    set(size ${CMAKE_MATCH_1})
    install(FILES ${QUILLMARCH_ASSETS_DIR}/${asset} DESTINATION ${QUILLMARCH_INSTALL_ICONS_DIR}/${size}x${size}/apps
            RENAME quillmarch.png)
  else()
    get_filename_component(folder ${asset} DIRECTORY)
    install(FILES ${QUILLMARCH_ASSETS_DIR}/${asset} DESTINATION ${QUILLMARCH_INSTALL_ASSETS_DIR}/${folder})
  endif()
endforeach()

install(FILES ${QUILLMARCH_INSTALL_SOURCES}/quillmarch.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The Debian package: its runtime dependencies are read off the programs by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmarch)
set(CPACK_PACKAGE_VENDOR "Quillmarch")
set(CPACK_PACKAGE_CONTACT "Quillmarch maintainers <maintainers@quillmarch.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small real-time strategy game in a 3-D arena")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "You, the dragon, meet one to four computer players in matches of 90 seconds: collect free units, "
       "lead them in a chain, turn them into camps whose rings of territory make your score, and capture "
       "your rivals' camps.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libGL opens the OpenGL driver at run time, so no library names it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
# quillmarch-tournament runs on Dask and plots with matplotlib.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3-distributed, python3-matplotlib")
include(CPack)
