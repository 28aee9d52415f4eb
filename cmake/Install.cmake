# Installing Quillmarch like any other program: `cmake --install <build> [--prefix <folder>]`
# (/usr/local by default) puts the commands on bin/ and the data under share/; `cpack` in the build
# folder makes the Debian packages quillmarch and quillmarch-observer, laid out as Debian lays out
# games: commands in /usr/games, data under /usr/share/games/. Both layouts come from the rules
# below: the packages' are install components that a plain install leaves out. The programs go to a
# private folder; the commands start them and find everything from their own place, so an installed
# tree may be moved as a whole.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/Release.cmake)

# Folders made by an install are 0755 whatever the umask: a package's folders must be.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(QUILLMARCH_INSTALL_PROGRAMS_DIR ${CMAKE_INSTALL_LIBEXECDIR}/quillmarch)
set(QUILLMARCH_INSTALL_MAN_DIR ${CMAKE_INSTALL_MANDIR}/man6)

# quillmarch_launcher(<template> <layout> <commands folder> <command> <install args...>): the
# template configured with QUILLMARCH_LAUNCHER_TO_<name> for each QUILLMARCH_LAUNCHED_<name>, the
# path from the commands folder to that installed file, and installed as <command>.
function(quillmarch_launcher template layout bin command)
  foreach(target PROGRAM ASSETS OBSERVER TOURNAMENT)
    if(DEFINED QUILLMARCH_LAUNCHED_${target})
      # Relative paths, worked out under any prefix.
      file(RELATIVE_PATH QUILLMARCH_LAUNCHER_TO_${target} /prefix/${bin} /prefix/${QUILLMARCH_LAUNCHED_${target}})
    endif()
  endforeach()
  set(launcher ${CMAKE_BINARY_DIR}/Install/${layout}/${command})
  configure_file(${QUILLMARCH_INSTALL_SOURCES}/${template} ${launcher} @ONLY)
  install(PROGRAMS ${launcher} DESTINATION ${bin} ${ARGN})
endfunction()

# quillmarch_install_program(<layout> <commands folder> <target> <command> <options naming a file>
# <options naming SLOT=FILE> <install args...>): the program, the command that starts it and the
# command's manual page. The options are lists; the file names they take stay relative to where the
# command is typed.
function(quillmarch_install_program layout bin target command path_options slot_path_options)
  install(TARGETS ${target} RUNTIME DESTINATION ${QUILLMARCH_INSTALL_PROGRAMS_DIR} ${ARGN})
  set(QUILLMARCH_LAUNCHED_PROGRAM ${QUILLMARCH_INSTALL_PROGRAMS_DIR}/${target})
  list(JOIN path_options " " QUILLMARCH_LAUNCHER_PATH_OPTIONS)
  list(JOIN slot_path_options " " QUILLMARCH_LAUNCHER_SLOT_PATH_OPTIONS)
  quillmarch_launcher(launcher.sh.in ${layout} ${bin} ${command} ${ARGN})
  install(FILES ${QUILLMARCH_RELEASE_DIR}/man/${command}.6.gz DESTINATION ${QUILLMARCH_INSTALL_MAN_DIR} ${ARGN})
endfunction()

# quillmarch_install_tournament(<layout> <commands folder> <data folder> <install args...>): the
# tournament's package and its command, which plays with the match runner on the same commands folder.
function(quillmarch_install_tournament layout bin data)
  set(folder ${data}/quillmarch/Tournament)
  set(sources ${CMAKE_SOURCE_DIR}/Tools/Tournament)
  install(DIRECTORY ${sources}/quillmarch_tournament DESTINATION ${folder} ${ARGN} PATTERN __pycache__ EXCLUDE)
  install(PROGRAMS ${sources}/quillmarch-tournament DESTINATION ${folder} ${ARGN})
  install(FILES ${QUILLMARCH_RELEASE_DIR}/installed_version.py DESTINATION ${folder} ${ARGN})
  set(QUILLMARCH_LAUNCHED_TOURNAMENT ${folder}/quillmarch-tournament)
  quillmarch_launcher(tournament.sh.in ${layout} ${bin} quillmarch-tournament ${ARGN})
  install(FILES ${QUILLMARCH_RELEASE_DIR}/man/quillmarch-tournament.6.gz DESTINATION ${QUILLMARCH_INSTALL_MAN_DIR}
          ${ARGN})
endfunction()

# quillmarch_install_game(<layout> <commands folder> <data folder> <install args...>): the game,
# the match runner and the tournament, their assets, desktop entry, icons and metainfo.
function(quillmarch_install_game layout bin data)
  set(assets ${data}/quillmarch/Assets)
  set(QUILLMARCH_LAUNCHED_ASSETS ${assets})
  quillmarch_install_program(${layout} ${bin} Quillmarch quillmarch "" "" ${ARGN})
  if(TARGET QuillmarchMatchRunner)
    quillmarch_install_program(${layout} ${bin} QuillmarchMatchRunner quillmarch-match-runner --telemetry --orc-params
                               ${ARGN})
    quillmarch_install_tournament(${layout} ${bin} ${data} ${ARGN})
  endif()

  # The generated files, each in its folder; the icons go to the desktop's icon theme instead.
  foreach(asset ${QUILLMARCH_ASSET_FILES})
    if(asset MATCHES "^Icons/quillmarch_([0-9]+)\\.png$")
      set(size ${CMAKE_MATCH_1}x${CMAKE_MATCH_1})
      install(FILES ${QUILLMARCH_ASSETS_DIR}/${asset} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps
              RENAME quillmarch.png ${ARGN})
    else()
      get_filename_component(folder ${asset} DIRECTORY)
      install(FILES ${QUILLMARCH_ASSETS_DIR}/${asset} DESTINATION ${assets}/${folder} ${ARGN})
    endif()
  endforeach()

  install(FILES ${QUILLMARCH_INSTALL_SOURCES}/quillmarch.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          RENAME ${QUILLMARCH_APP_ID}.desktop ${ARGN})
  install(FILES ${QUILLMARCH_RELEASE_DIR}/${QUILLMARCH_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo ${ARGN})
endfunction()

# quillmarch_install_observer(<layout> <commands folder> <data folder> <install args...>): the
# observer's modules, its page and its manual page. Its tools for developers stay in the checkout.
function(quillmarch_install_observer layout bin data)
  set(folder ${data}/quillmarch-observer)
  set(sources ${CMAKE_SOURCE_DIR}/Tools/Observer)
  file(GLOB modules CONFIGURE_DEPENDS ${sources}/*.py)
  list(REMOVE_ITEM modules ${sources}/observer.py ${sources}/measure.py ${sources}/sample_match.py
       ${sources}/flood.py ${sources}/game_texts.py)
  install(PROGRAMS ${sources}/observer.py DESTINATION ${folder} ${ARGN})
  install(FILES ${modules} ${QUILLMARCH_RELEASE_DIR}/installed_version.py DESTINATION ${folder} ${ARGN})
  install(DIRECTORY ${sources}/page DESTINATION ${folder} ${ARGN})
  set(QUILLMARCH_LAUNCHED_OBSERVER ${folder}/observer.py)
  quillmarch_launcher(observer.sh.in ${layout} ${bin} quillmarch-observer ${ARGN})
  install(FILES ${QUILLMARCH_RELEASE_DIR}/man/quillmarch-observer.6.gz DESTINATION ${QUILLMARCH_INSTALL_MAN_DIR}
          ${ARGN})
endfunction()

# A plain install, under its prefix.
quillmarch_install_game(prefix ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_DATADIR})
quillmarch_install_observer(prefix ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_DATADIR})

# The Debian packages, one install component each, named as the package, with the licence and
# changelog Debian asks of every package.
set(QUILLMARCH_PACKAGES quillmarch quillmarch-observer)
foreach(package ${QUILLMARCH_PACKAGES})
  set(only_${package} COMPONENT ${package} EXCLUDE_FROM_ALL)
  install(FILES ${QUILLMARCH_INSTALL_SOURCES}/copyright ${QUILLMARCH_RELEASE_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} ${only_${package}})
endforeach()
quillmarch_install_game(debian games share/games ${only_quillmarch})
quillmarch_install_observer(debian games share/games ${only_quillmarch-observer})
install(FILES ${QUILLMARCH_INSTALL_SOURCES}/quillmarch-observer.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME quillmarch-observer
        ${only_quillmarch-observer})

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
