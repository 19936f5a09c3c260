# The version header, install rules, desktop integration and the Debian package.
# The version is set once, by project(VERSION ...) in CMakeLists.txt; everything here follows it.
include(GNUInstallDirs)

# One reverse-DNS name for the desktop entry, the icon and the AppStream metadata, after the
# program's home page (the same address as the Web menu's).
set(ZENTAVOUR_APP_ID "example.zentavour.Zentavour")
set(ZENTAVOUR_HOMEPAGE "https://zentavour.example/")
set(ZENTAVOUR_AUTHORS "The Zentavour developers")
set(ZENTAVOUR_MAINTAINER "${ZENTAVOUR_AUTHORS} <developers@zentavour.example>")
# Dates follow SOURCE_DATE_EPOCH when it is set (scripts/package.sh takes the last commit's), so a
# package built twice from one commit comes out the same.
string(TIMESTAMP ZENTAVOUR_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP ZENTAVOUR_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)

set(ZENTAVOUR_GENERATED "${CMAKE_CURRENT_BINARY_DIR}/generated")
configure_file(packaging/zentavour_version.h.in "${ZENTAVOUR_GENERATED}/zentavour_version.h" @ONLY)
target_include_directories(zentavour-core PUBLIC "${ZENTAVOUR_GENERATED}")

if(NOT TARGET zentavour OR NOT TARGET zentavour-cli)
  return()
endif()

# A window program on Windows and an application bundle on macOS; no effect elsewhere.
set_target_properties(zentavour PROPERTIES WIN32_EXECUTABLE ON MACOSX_BUNDLE ON)
if(UNIX AND NOT APPLE)
  # The installed programs find Qt where the system keeps it; qt_standard_project_setup's
  # $ORIGIN search path would let a stray library beside them take its place.
  set_target_properties(zentavour zentavour-cli PROPERTIES INSTALL_RPATH "")
endif()

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS zentavour zentavour-cli
        RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}"
        BUNDLE DESTINATION .)

if(NOT UNIX OR APPLE)
  return()
endif()

# Desktop entry, icon and AppStream metadata (freedesktop.org locations), and the PCG files' MIME
# type, by name and by the file's signature, so the file manager opens them with the program.
set(ZENTAVOUR_PCG_MIME_TYPE "application/x-orvane-pcg")
configure_file(packaging/zentavour-mime.xml.in
               "${ZENTAVOUR_GENERATED}/${ZENTAVOUR_APP_ID}.xml" @ONLY)
install(FILES "${ZENTAVOUR_GENERATED}/${ZENTAVOUR_APP_ID}.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
configure_file(packaging/zentavour.desktop.in
               "${ZENTAVOUR_GENERATED}/${ZENTAVOUR_APP_ID}.desktop" @ONLY)
configure_file(packaging/zentavour.metainfo.xml.in
               "${ZENTAVOUR_GENERATED}/${ZENTAVOUR_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${ZENTAVOUR_GENERATED}/${ZENTAVOUR_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${ZENTAVOUR_GENERATED}/${ZENTAVOUR_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES resources/icons/zentavour.svg
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        RENAME "${ZENTAVOUR_APP_ID}.svg")

# Manual pages and the package's changelog, compressed as Debian wants them (gzip -n: no name or
# time stamp inside). zentavour-cli's page is made from its own --help by help2man, so it cannot
# fall behind the program; the window program takes no arguments and has a written page.
configure_file(packaging/zentavour.1.in "${ZENTAVOUR_GENERATED}/zentavour.1" @ONLY)
configure_file(packaging/changelog.in "${ZENTAVOUR_GENERATED}/changelog" @ONLY)
set(ZENTAVOUR_DOCS zentavour.1 changelog)
find_program(ZENTAVOUR_HELP2MAN help2man)
if(ZENTAVOUR_HELP2MAN AND NOT CMAKE_CROSSCOMPILING)
  add_custom_command(
    OUTPUT "${ZENTAVOUR_GENERATED}/zentavour-cli.1"
    COMMAND "${ZENTAVOUR_HELP2MAN}" --no-info --section=1
            "--include=${CMAKE_CURRENT_SOURCE_DIR}/packaging/zentavour-cli.h2m"
            "--output=${ZENTAVOUR_GENERATED}/zentavour-cli.1" "$<TARGET_FILE:zentavour-cli>"
    DEPENDS zentavour-cli packaging/zentavour-cli.h2m
    COMMENT "Writing zentavour-cli.1 from zentavour-cli --help"
    VERBATIM)
  list(APPEND ZENTAVOUR_DOCS zentavour-cli.1)
else()
  message(STATUS "help2man not found: zentavour-cli.1 is not made (scripts/package.sh installs it)")
endif()
set(ZENTAVOUR_DOCS_GZ "")
foreach(doc IN LISTS ZENTAVOUR_DOCS)
  add_custom_command(
    OUTPUT "${ZENTAVOUR_GENERATED}/${doc}.gz"
    COMMAND sh -c "gzip -9n < '${doc}' > '${doc}.gz'"
    WORKING_DIRECTORY "${ZENTAVOUR_GENERATED}"
    DEPENDS "${ZENTAVOUR_GENERATED}/${doc}"
    VERBATIM)
  list(APPEND ZENTAVOUR_DOCS_GZ "${ZENTAVOUR_GENERATED}/${doc}.gz")
endforeach()
add_custom_target(zentavour-docs ALL DEPENDS ${ZENTAVOUR_DOCS_GZ})
list(FILTER ZENTAVOUR_DOCS_GZ INCLUDE REGEX "\\.1\\.gz$")
install(FILES ${ZENTAVOUR_DOCS_GZ} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
# Debian keeps a package's notes under its package name, not the project's.
install(FILES "${ZENTAVOUR_GENERATED}/changelog.gz" packaging/copyright
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/zentavour")

# The Debian package (scripts/package.sh). Runtime dependencies come from dpkg-shlibdeps, so they
# follow whatever the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentavour)
set(CPACK_PACKAGE_VENDOR "${ZENTAVOUR_AUTHORS}")
set(CPACK_PACKAGE_CONTACT "${ZENTAVOUR_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the display fonts and pictures of music workstations")
set(CPACK_PACKAGE_DESCRIPTION
    "Zentavour is for owners of the Orvane family of music workstations. It\n"
    "redraws the display fonts and startup pictures inside the instrument's\n"
    "operating-system update files and renews their checksums, and it reads\n"
    "the instrument's PCG bank files: program and combination banks, program\n"
    "parameters, and General MIDI bank transfer into the OS files.\n"
    "\n"
    "The package holds the desktop program and zentavour-cli, which offers the\n"
    "same file operations to scripts.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZENTAVOUR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZENTAVOUR_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
include(CPack)
