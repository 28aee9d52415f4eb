# What an installed Quillmarch says about its release: the version is the project's, and
# Tools/Install/changelog holds one entry per version, newest first. Its entries give the release
# dates of the AppStream metainfo and of the manual pages, which are built here, gzipped as Debian
# wants them (-9n: no name or time stamp, so the same sources give the same bytes).
set(QUILLMARCH_INSTALL_SOURCES ${CMAKE_SOURCE_DIR}/Tools/Install)
set(QUILLMARCH_RELEASE_DIR ${CMAKE_BINARY_DIR}/Release)
# The desktop entry and the metainfo are named by this id, as software centres require.
set(QUILLMARCH_APP_ID io.github.quillmarch.quillmarch)

set(QUILLMARCH_CHANGELOG ${QUILLMARCH_INSTALL_SOURCES}/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUILLMARCH_CHANGELOG})

# quillmarch_read_changelog(): sets QUILLMARCH_RELEASE_DATE (the newest entry's, YYYY-MM-DD) and
# QUILLMARCH_APPSTREAM_RELEASES (a <release> line per entry); stops when the newest entry is not
# for the project's version.
function(quillmarch_read_changelog)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  file(STRINGS ${QUILLMARCH_CHANGELOG} lines REGEX "^(quillmarch \\(| -- )")
  set(releases "")
  set(newest "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^quillmarch \\(([^)]+)\\)")
      set(version ${CMAKE_MATCH_1})
    elseif(line MATCHES "^ -- .*>  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
      list(FIND months ${CMAKE_MATCH_2} month)
      math(EXPR month "${month} + 1")
      math(EXPR day "${CMAKE_MATCH_1}")
      foreach(part month day)
        string(LENGTH ${${part}} digits)
        if(digits EQUAL 1)
          set(${part} 0${${part}})
        endif()
      endforeach()
      set(date ${CMAKE_MATCH_3}-${month}-${day})
      string(APPEND releases "    <release version=\"${version}\" date=\"${date}\"/>\n")
      if(NOT newest)
        set(newest ${version})
        set(QUILLMARCH_RELEASE_DATE ${date} PARENT_SCOPE)
      endif()
    endif()
  endforeach()
  if(NOT newest STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The newest entry of ${QUILLMARCH_CHANGELOG} is for version '${newest}', "
                        "the project's is ${PROJECT_VERSION}: add an entry for it at the top.")
  endif()
  set(QUILLMARCH_APPSTREAM_RELEASES "${releases}" PARENT_SCOPE)
endfunction()
quillmarch_read_changelog()

configure_file(${QUILLMARCH_INSTALL_SOURCES}/quillmarch.metainfo.xml.in
               ${QUILLMARCH_RELEASE_DIR}/${QUILLMARCH_APP_ID}.metainfo.xml @ONLY)
# The observer's and the tournament's --version read this module beside them.
file(CONFIGURE OUTPUT ${QUILLMARCH_RELEASE_DIR}/installed_version.py
     CONTENT "VERSION = \"@PROJECT_VERSION@\"\n" @ONLY)

# The gzipped files, made by the build so that an install only copies them.
set(QUILLMARCH_MAN_PAGES quillmarch quillmarch-match-runner quillmarch-observer quillmarch-tournament)
set(gzipped ${QUILLMARCH_RELEASE_DIR}/changelog.gz)
add_custom_command(OUTPUT ${QUILLMARCH_RELEASE_DIR}/changelog.gz
                   COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${QUILLMARCH_CHANGELOG}
                           ${QUILLMARCH_RELEASE_DIR}/changelog.gz
                   DEPENDS ${QUILLMARCH_CHANGELOG} VERBATIM)
foreach(page ${QUILLMARCH_MAN_PAGES})
  set(source ${QUILLMARCH_INSTALL_SOURCES}/man/${page}.6.in)
  set(configured ${QUILLMARCH_RELEASE_DIR}/man/${page}.6)
  configure_file(${source} ${configured} @ONLY)
  add_custom_command(OUTPUT ${configured}.gz
                     COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${configured} ${configured}.gz
                     DEPENDS ${configured} VERBATIM)
  list(APPEND gzipped ${configured}.gz)
endforeach()
add_custom_target(QuillmarchReleaseFiles ALL DEPENDS ${gzipped})
