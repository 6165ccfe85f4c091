# SPDX-License-Identifier: MIT
# What a desktop reads about the program: its desktop entry, AppStream metainfo and icons.

# The reverse-DNS id of the program's web site, which the desktop entry and the metainfo are
# named after, so that software centres join the two.
set(TERVALO_APP_ID ru.orvek.tervalo)

# The metainfo's latest release is the version being built.
set(metainfo ${PROJECT_SOURCE_DIR}/data/${TERVALO_APP_ID}.metainfo.xml)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${metainfo})
file(STRINGS ${metainfo} release REGEX "<release " LIMIT_COUNT 1)
if(NOT release MATCHES "version=\"([^\"]+)\" date=\"([0-9-]+)\"")
  message(FATAL_ERROR "${metainfo}: no <release version=\"…\" date=\"YYYY-MM-DD\"> found")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${metainfo}: the latest release is ${CMAKE_MATCH_1}, the project's "
                      "version ${PROJECT_VERSION}")
endif()
set(TERVALO_RELEASE_DATE ${CMAKE_MATCH_2})

install(FILES data/${TERVALO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES resources/icons/hicolor/${size}x${size}/apps/tervalo.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
