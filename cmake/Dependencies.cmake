# The system libraries the game links, as imported targets. Debian ships no CMake packages for
# Irrlicht and Recast/Detour, so they are found by header and library name.
find_package(PkgConfig REQUIRED)

find_path(IRRLICHT_INCLUDE_DIR irrlicht.h PATH_SUFFIXES irrlicht REQUIRED)
find_library(IRRLICHT_LIBRARY Irrlicht REQUIRED)
add_library(Quillmarch::Irrlicht INTERFACE IMPORTED)
target_include_directories(Quillmarch::Irrlicht SYSTEM INTERFACE ${IRRLICHT_INCLUDE_DIR})
target_link_libraries(Quillmarch::Irrlicht INTERFACE ${IRRLICHT_LIBRARY})

find_path(RECAST_INCLUDE_DIR DetourNavMesh.h PATH_SUFFIXES recastnavigation REQUIRED)
find_library(DETOUR_LIBRARY Detour REQUIRED)
find_library(RECAST_LIBRARY Recast REQUIRED)
add_library(Quillmarch::Recast INTERFACE IMPORTED)
target_include_directories(Quillmarch::Recast SYSTEM INTERFACE ${RECAST_INCLUDE_DIR})
target_link_libraries(Quillmarch::Recast INTERFACE ${DETOUR_LIBRARY} ${RECAST_LIBRARY})

pkg_check_modules(OPENAL REQUIRED IMPORTED_TARGET openal)
add_library(Quillmarch::OpenAL ALIAS PkgConfig::OPENAL)
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
add_library(Quillmarch::Sndfile ALIAS PkgConfig::SNDFILE)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
add_library(Quillmarch::Freetype ALIAS PkgConfig::FREETYPE)
# The settings file and the orcs' parameter files are read by Debian's inih.
pkg_check_modules(INIH REQUIRED IMPORTED_TARGET inih)
add_library(Quillmarch::Inih ALIAS PkgConfig::INIH)
# The desktop's size, where the engine library cannot tell it.
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
add_library(Quillmarch::X11 ALIAS PkgConfig::X11)

# Command lines: Debian's header-only CLI11 ships its CMake package.
find_package(CLI11 CONFIG REQUIRED)

find_package(Threads REQUIRED)
