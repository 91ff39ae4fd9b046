# Installing the program as a desktop program, and its Debian package.
#
#   cmake --install build --prefix P    P/games/tamborix, its data in P/share/tamborix, the
#                                       menu entry, icons, AppStream metadata, manual page
#                                       and documents
#   ./tools/package.sh                  tamborix_<version>_<arch>.deb (CPack, see below)
#
# The program finds its data as <program folder>/../share/tamborix, so any prefix works.

set(TAMBORIX_LICENSE "GPL-2.0-or-later")
set(TAMBORIX_HOMEPAGE "https://tamborix.org" CACHE STRING "The project's web page")
set(TAMBORIX_SCREENSHOTS "${TAMBORIX_HOMEPAGE}/screenshots" CACHE STRING
    "Where the screenshots of docs/ are published, for the AppStream metadata")
set(TAMBORIX_MAINTAINER "Tamborix developers <developers@tamborix.org>" CACHE STRING
    "Maintainer of the Debian package")
set(TAMBORIX_RELEASE_DATE "2026-12-09")
set(TAMBORIX_RELEASE_DATE_RFC2822 "Wed, 09 Dec 2026 00:00:00 +0000")

set(TBX_DESKTOP_DIR ${CMAKE_BINARY_DIR}/desktop)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tamborix.desktop.in
               ${TBX_DESKTOP_DIR}/${TAMBORIX_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tamborix.metainfo.xml.in
               ${TBX_DESKTOP_DIR}/${TAMBORIX_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/docs/tamborix.6 ${TBX_DESKTOP_DIR}/tamborix.6 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${TBX_DESKTOP_DIR}/changelog @ONLY)

# Debian keeps manual pages and changelogs compressed, without a time stamp in the file.
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(name tamborix.6 changelog)
  add_custom_command(
    OUTPUT ${TBX_DESKTOP_DIR}/${name}.gz
    COMMAND ${GZIP_PROGRAM} -9nkf ${TBX_DESKTOP_DIR}/${name}
    DEPENDS ${TBX_DESKTOP_DIR}/${name}
    VERBATIM)
endforeach()
add_custom_target(desktop_files ALL
  DEPENDS ${TBX_DESKTOP_DIR}/tamborix.6.gz ${TBX_DESKTOP_DIR}/changelog.gz)

include(GNUInstallDirs)
set(TAMBORIX_INSTALL_BINDIR "games" CACHE STRING "Folder of the program, under the prefix")
set(TBX_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/tamborix)
set(TBX_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tamborix)

install(TARGETS tamborix RUNTIME DESTINATION ${TAMBORIX_INSTALL_BINDIR})
# Only the baked data: the build folder beside the program holds nothing else the program
# reads.
foreach(folder imgs soundfx music language level)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/game/${folder} DESTINATION ${TBX_DATA_DESTINATION})
endforeach()
install(FILES ${TBX_DESKTOP_DIR}/${TAMBORIX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TBX_DESKTOP_DIR}/${TAMBORIX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${TBX_DESKTOP_DIR}/tamborix.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/assets/CREDITS
              ${CMAKE_CURRENT_LIST_DIR}/copyright ${TBX_DESKTOP_DIR}/changelog.gz
        DESTINATION ${TBX_DOC_DESTINATION})

# The Debian package: the binary in /usr/games, its data in /usr/share/tamborix, library
# dependencies worked out from the binary by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamborix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT ${TAMBORIX_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drum kit, rhythm games and drum machine")
# The first line of the package's description is the summary above; these are the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tamborix draws a nine-piece drum kit to play with the mouse or by touch, with a\n"
    "metronome. Two rhythm games are played on it, with high scores: MemoryMaster\n"
    "(repeat a growing sequence) and RhythmMaster (play a bar back in time). A drum\n"
    "machine builds beats of up to 64 steps and chains them into tracks.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAMBORIX_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
