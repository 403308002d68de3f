# Installation into the freedesktop layout, and the Debian package built from it with CPack.
include(GNUInstallDirs)

set(FDLOG_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS fdlog fdlog-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The band plan and the section table are compiled in; these copies show what the program uses,
# and the band plan is the starting point for a BandPlan.txt of one's own in the data folder.
install(FILES ${PROJECT_SOURCE_DIR}/src/rig/BandPlan.txt ${PROJECT_SOURCE_DIR}/src/log/sections.txt
  DESTINATION ${CMAKE_INSTALL_DATADIR}/fdlog)

install(FILES ${FDLOG_PACKAGING_DIR}/fdlog.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${FDLOG_PACKAGING_DIR}/fdlog.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# PNG icons for menus and docks that do not draw SVG, rendered from the one drawing.
set(FDLOG_ICON_SIZES 16 22 24 32 48 64 128 256)
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  set(icon_files)
  foreach(size IN LISTS FDLOG_ICON_SIZES)
    set(dir ${CMAKE_BINARY_DIR}/icons/${size}x${size})
    add_custom_command(OUTPUT ${dir}/fdlog.png
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${dir}/fdlog.png
              ${FDLOG_PACKAGING_DIR}/fdlog.svg
      DEPENDS ${FDLOG_PACKAGING_DIR}/fdlog.svg
      VERBATIM)
    list(APPEND icon_files ${dir}/fdlog.png)
    install(FILES ${dir}/fdlog.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(fdlog_icons ALL DEPENDS ${icon_files})
else()
  message(WARNING "rsvg-convert (Debian librsvg2-bin) not found: the PNG icons are not installed")
endif()

# Manual pages from the programs' own --help, so they cannot drift from it.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(man_files)
  foreach(program fdlog fdlog-cli)
    if(program STREQUAL "fdlog")
      set(summary "logger for the ARRL Field Day operating event")
    else()
      set(summary "Field Day reports, imports and rig checks from the command line")
    endif()
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              ${HELP2MAN} --no-info --name ${summary} --version-string ${PROJECT_VERSION}
              --include ${FDLOG_PACKAGING_DIR}/${program}.h2m --output ${page} $<TARGET_FILE:${program}>
      DEPENDS ${program} ${FDLOG_PACKAGING_DIR}/${program}.h2m
      VERBATIM)
    list(APPEND man_files ${page})
  endforeach()
  add_custom_target(fdlog_man ALL DEPENDS ${man_files})
  install(FILES ${man_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "help2man not found: the manual pages are not installed")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fdlog)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Field Day Logger developers <fdlog@localhost>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Logger for the ARRL Field Day operating event")
set(CPACK_PACKAGE_DESCRIPTION
  "Logs contacts for a club or group station: checks each exchange, refuses duplicates,
stamps the time, band, mode and rig frequency, and keeps every contact on disk as it is made.
fdlog-cli writes the summary, ADIF and Cabrillo files after the event.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# dpkg-shlibdeps names the Qt 6 runtime packages the binaries link against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Wayland sessions draw natively with it; without it Qt falls back to XWayland.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
include(CPack)
