# The Debian packages from one `cpack` run, one per install component of cmake/Install.cmake:
# quillmarch (the game and the match runner) and quillmarch-observer. The version is the project's.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmarch)
set(CPACK_PACKAGE_VENDOR "The Quillmarch developers")
set(CPACK_PACKAGE_CONTACT "Quillmarch maintainers <maintainers@quillmarch.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL ${QUILLMARCH_PACKAGES})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Both come from one source, whose changelog they carry.
set(CPACK_DEBIAN_PACKAGE_SOURCE quillmarch)

# The first line is the summary; Debian wants the rest in lines of at most 80 characters.
set(CPACK_DEBIAN_QUILLMARCH_PACKAGE_NAME quillmarch)
string(JOIN "\n" CPACK_DEBIAN_QUILLMARCH_DESCRIPTION
       "small real-time strategy game in a 3-D arena"
       "You, the dragon, meet one to four computer players (orcs) in matches of"
       "90 seconds: collect the free units scattered over the arena, lead them in a"
       "chain, turn them into camps whose rings of territory make your score,"
       "capture your rivals' camps and dash into rivals to scatter their units."
       ""
       "The match runner plays whole matches without a window, for tuning the"
       "computer players and measuring a match; the tournament plays parameter"
       "sets of the computer players against each other on a Dask cluster. With"
       "the quillmarch-observer package, a match can be watched live in a web"
       "browser.")
# The libraries are read off the programs by dpkg-shlibdeps; libGL opens the OpenGL driver at run
# time, so no library names it.
set(CPACK_DEBIAN_QUILLMARCH_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_QUILLMARCH_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
# The tournament is Python; it runs on Dask and plots with matplotlib, which only it needs.
set(CPACK_DEBIAN_QUILLMARCH_PACKAGE_DEPENDS "python3")
set(CPACK_DEBIAN_QUILLMARCH_PACKAGE_SUGGESTS "quillmarch-observer, python3-distributed, python3-matplotlib")

set(CPACK_DEBIAN_QUILLMARCH-OBSERVER_PACKAGE_NAME quillmarch-observer)
set(CPACK_DEBIAN_QUILLMARCH-OBSERVER_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_QUILLMARCH-OBSERVER_PACKAGE_DEPENDS "python3, python3-aiohttp, libjs-chart.js")
string(JOIN "\n" CPACK_DEBIAN_QUILLMARCH-OBSERVER_DESCRIPTION
       "watch Quillmarch matches live in a web browser"
       "The observer waits for the game Quillmarch, started with its switch ws,"
       "and serves a page that shows every match as it is played: the arena from"
       "above with its influence map, every player with a trail, the scores and a"
       "chart of them. It records each match and replays recordings."
       ""
       "It listens on the loopback address only.")
include(CPack)
