# SPDX-License-Identifier: MIT
# What a desktop reads about the program (its desktop entry, AppStream metainfo and icons), the
# documents a Debian package carries, and the package CPack makes of the installed tree:
# `cmake --build <build> --target package` writes tervalo_<version>-<revision>_<arch>.deb there.

# The reverse-DNS id of the program's web site, which the desktop entry and the metainfo are
# named after, so that software centres join the two.
set(TERVALO_APP_ID ru.orvek.tervalo)
set(TERVALO_HOMEPAGE "http://tervalo.orvek.ru/")
set(TERVALO_PACKAGE_REVISION 1 CACHE STRING "The Debian revision of the package")
set(TERVALO_PACKAGE_MAINTAINER "The Tervalo developers <tervalo@orvek.ru>"
    CACHE STRING "The package's Maintainer field and the changelog's signature")
set(TERVALO_PACKAGE_VERSION ${PROJECT_VERSION}-${TERVALO_PACKAGE_REVISION})

# The metainfo's latest release is the one the package is: its version must be the project's,
# and its date is the changelog's.
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
execute_process(COMMAND env LC_ALL=C date --utc --rfc-email --date ${TERVALO_RELEASE_DATE}
                OUTPUT_VARIABLE TERVALO_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)

# Debian keeps a package's changelog and manual page compressed, without a name or time in the
# gzip header so that the same sources give the same package.
set(packaging_dir ${PROJECT_BINARY_DIR}/packaging)
foreach(document changelog.Debian tervalo.1)
  configure_file(packaging/${document}.in ${packaging_dir}/${document} @ONLY)
  execute_process(COMMAND gzip -9nc ${packaging_dir}/${document}
                  OUTPUT_FILE ${packaging_dir}/${document}.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()

install(FILES data/${TERVALO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES resources/icons/hicolor/${size}x${size}/apps/tervalo.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES packaging/copyright ${packaging_dir}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${packaging_dir}/tervalo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tervalo)

# A stripped program keeps the compiler's notes, of no use to anyone running it; they go as
# Debian's own packaging tools take them out.
string(CONFIGURE [[
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND "@CMAKE_STRIP@" --remove-section=.comment --remove-section=.note
                            "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@/tervalo"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
]] strip_notes @ONLY)
install(CODE ${strip_notes})

# Debian's hardening flags (dpkg-buildflags with hardening=+all): fortified libc calls, a
# stack protector, and a global offset table that is read-only once the program runs. They
# need an optimised build, and stay out of the fuzz targets' sanitized one.
if(NOT TERVALO_FUZZ)
  set(optimised $<NOT:$<CONFIG:Debug>>)
  foreach(target tervalo_lib tervalo)
    target_compile_options(${target} PRIVATE -fstack-protector-strong
                           "$<${optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  endforeach()
  target_link_options(tervalo PRIVATE LINKER:-z,relro LINKER:-z,now)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tervalo)
set(CPACK_PACKAGE_VENDOR "The Tervalo developers")
set(CPACK_PACKAGE_CONTACT ${TERVALO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_HOMEPAGE_URL ${TERVALO_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop clock with the weather of your town")
set(CPACK_PACKAGE_DESCRIPTION [=[
Tervalo is a borderless, see-through widget that you drag anywhere on the
desktop: a big clock (flip cards, digital or minimalistic) and, beside it, the
weather of one town, with its temperature, condition, wind, humidity and the
date, and an optional five-day forecast.

Any town on Earth can be found by its name. The forecast comes from Open-Meteo,
directly or through an HTTP proxy with basic authentication; without a
connection the widget shows only the clock and brings the weather back by
itself. Its texts are in Russian.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TERVALO_PACKAGE_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages come from dpkg-shlibdeps; the fonts the program draws with are files
# it looks for at run time, which no library names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-roboto-unhinted")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Whatever the umask of whoever builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
