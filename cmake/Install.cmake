# What `cmake --install` and the .deb put where:
#   <prefix>/lib/tabwright/       tabwright, tabwright-cli, *.lng, tabwright<language>.chm,
#                                 help/<language>/*.html, tabwright.png
#   <prefix>/bin/                 links to the two programs
#   <prefix>/share/applications/  the desktop entry
#   <prefix>/share/icons/hicolor/ the program icon, 32x32 and larger, and scalable
#   <prefix>/share/metainfo/      AppStream metainfo
#   <prefix>/share/man/man1/      the two manual pages

set(TABWRIGHT_DESKTOP_ID org.tabwright.Tabwright)
set(desktop_dir ${CMAKE_SOURCE_DIR}/data/desktop)

install(TARGETS tabwright-cli RUNTIME DESTINATION ${TABWRIGHT_PROGRAM_DIR})
if(TABWRIGHT_GUI)
  install(TARGETS tabwright RUNTIME DESTINATION ${TABWRIGHT_PROGRAM_DIR})
endif()
install(FILES ${TABWRIGHT_LANGUAGE_FILES} DESTINATION ${TABWRIGHT_PROGRAM_DIR})

# Relative links, made here and installed as links, so they hold under any prefix and
# inside the package.
set(link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_dir})
set(linked_programs tabwright-cli)
if(TABWRIGHT_GUI)
  list(APPEND linked_programs tabwright)
endif()
foreach(program ${linked_programs})
  file(CREATE_LINK ../${TABWRIGHT_PROGRAM_DIR}/${program} ${link_dir}/${program} SYMBOLIC)
  install(FILES ${link_dir}/${program} DESTINATION bin)
endforeach()

install(FILES man/tabwright.1 man/tabwright-cli.1 DESTINATION share/man/man1)

if(TABWRIGHT_GUI)
  install(FILES ${desktop_dir}/${TABWRIGHT_DESKTOP_ID}.desktop DESTINATION share/applications)
  install(FILES ${desktop_dir}/${TABWRIGHT_DESKTOP_ID}.metainfo.xml DESTINATION share/metainfo)
  install(FILES ${desktop_dir}/tabwright.svg DESTINATION share/icons/hicolor/scalable/apps)
  foreach(size 32 48 64 128 256)
    install(FILES ${desktop_dir}/icons/tabwright-${size}.png
      DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME tabwright.png)
  endforeach()
  # The window icon when the desktop's icon theme does not have ours (a run from the
  # build folder, or a prefix outside the theme's search path).
  install(FILES ${desktop_dir}/icons/tabwright-64.png DESTINATION ${TABWRIGHT_PROGRAM_DIR}
    RENAME tabwright.png)
endif()

# The package: `cpack -G DEB` in the build folder (scripts/package).
set(CPACK_PACKAGE_NAME tabwright)
set(CPACK_PACKAGE_VENDOR "Tabwright developers")
set(CPACK_PACKAGE_CONTACT "Tabwright developers <tabwright@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "editor for the tab tables, message and dialog files of a role-playing game")
set(CPACK_PACKAGE_DESCRIPTION
  "Tabwright opens a tab table (above all protos.tab), a message file or a dialog file into\none grid, shows header sets and reference lists, and saves the file back byte for byte.\nCompare and Combine report and merge the changes of several files; tabwright-cli runs\nthe same operations for scripts.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The shared libraries are found by dpkg-shlibdeps; the rest the program only opens:
# xdg-open for the help, a viewer for compiled help (else the browser shows the pages).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xchm | kchmviewer")
include(CPack)
