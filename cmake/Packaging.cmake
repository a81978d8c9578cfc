# Installing the Linux program like any desktop game, and its Debian
# package: the program, its desktop entry and AppStream metainfo, the icon in the hicolor theme
# and the help document, which the help command finds in
# ../share/doc/quorvex/ seen from the program.
#
#   cmake --install <build> [--prefix DIR]
#   cd <build> && cpack -G DEB
#
# The Windows program's installer and zip: cmake/WindowsPackaging.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackaging.cmake)

# The AppStream metainfo, with its screenshot only where one is published:
# an address the software centres cannot fetch fails their checks.
set(QUORVEX_SCREENSHOT_URL "" CACHE STRING
    "https address where resources/linux/quorvex-screenshot.png is published, for the AppStream metainfo (empty: no screenshot)")
set(QUORVEX_METAINFO_SCREENSHOTS "")
if(QUORVEX_SCREENSHOT_URL)
  if(NOT QUORVEX_SCREENSHOT_URL MATCHES "^https://[^ \t\"'<>]+$")
    message(FATAL_ERROR "QUORVEX_SCREENSHOT_URL must be one https address, not '${QUORVEX_SCREENSHOT_URL}'")
  endif()
  string(REPLACE "&" "&amp;" url "${QUORVEX_SCREENSHOT_URL}")
  # Its size, read from the picture itself (the PNG header's width and height).
  set(shot ${PROJECT_SOURCE_DIR}/resources/linux/quorvex-screenshot.png)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${shot})
  file(READ ${shot} header LIMIT 8 OFFSET 16 HEX)
  string(SUBSTRING "${header}" 0 8 w)
  string(SUBSTRING "${header}" 8 8 h)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  string(CONCAT QUORVEX_METAINFO_SCREENSHOTS
    "  <screenshots>\n"
    "    <screenshot type=\"default\">\n"
    "      <caption>A game in play, with the timer and the count of possible codes</caption>\n"
    "      <image type=\"source\" width=\"${w}\" height=\"${h}\">${url}</image>\n"
    "    </screenshot>\n"
    "  </screenshots>")
endif()
set(QUORVEX_METAINFO ${PROJECT_BINARY_DIR}/com.varnel.quorvex.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/resources/linux/com.varnel.quorvex.metainfo.xml.in ${QUORVEX_METAINFO} @ONLY)

if(NOT TARGET quorvex)
  return()
endif()

include(GNUInstallDirs)
# A game goes to games/ (Debian's rule for the games section); the help is
# still ../share/doc/quorvex/ from there.
install(TARGETS quorvex RUNTIME DESTINATION games)
install(FILES ${PROJECT_SOURCE_DIR}/resources/help/QuorVex.html DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvex)
install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/quorvex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# What software centres list: the AppStream metainfo, named by its id.
install(FILES ${QUORVEX_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The package's copyright and its changelog, compressed as Debian wants it
# (no name or time in the gzip header, so the bytes never change).
install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvex)
find_program(QUORVEX_GZIP gzip)
if(QUORVEX_GZIP)
  set(changelog ${PROJECT_SOURCE_DIR}/resources/linux/changelog)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
  execute_process(COMMAND ${QUORVEX_GZIP} -9nc INPUT_FILE ${changelog}
                  OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvex)
endif()
foreach(size 32 64 96)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/quorvex-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quorvex.png)
endforeach()

set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR Varnel)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "code-breaking board game with coloured balls")
set(CPACK_PACKAGE_DESCRIPTION "QuorVex hides a code of 4 or 5 coloured balls; you find it in at most
12 rows from the red and white pegs each row earns. It keeps the set of codes
still possible, offers hints, times every game and keeps a record for each
setting.")
set(CPACK_PACKAGE_CONTACT "Varnel <quorvex@users.noreply.example>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# What the program links against; xdg-open shows the help.
# The C++ runtime is linked into the program (app/CMakeLists.txt).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0 (>= 2.0.22), libxext6, libx11-6, zlib1g, libc6 (>= 2.34)")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
