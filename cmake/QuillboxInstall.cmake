# What `cmake --install` and the Debian package put on a system: the four programs, their
# private library, the desktop entry, AppStream metainfo, icons, manual pages and catalogues.
include(GNUInstallDirs)

set(QUILLBOX_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/quillbox)
set(QUILLBOX_APP_ID org.quillbox.Quillbox)
set(QUILLBOX_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

# The library is the programs' own, not for others to link: it lives in a folder of the
# package's and the programs find it there.
set(QUILLBOX_PROGRAMS quillbox quillbox-configure quillbox-demo)
if(TARGET quillbox-report)
  list(APPEND QUILLBOX_PROGRAMS quillbox-report)
endif()
set_target_properties(${QUILLBOX_PROGRAMS} PROPERTIES
  INSTALL_RPATH ${CMAKE_INSTALL_PREFIX}/${QUILLBOX_PRIVATE_LIBDIR})
install(TARGETS ${QUILLBOX_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quillbox_core LIBRARY DESTINATION ${QUILLBOX_PRIVATE_LIBDIR} NAMELINK_SKIP)

install(FILES ${QUILLBOX_PACKAGING}/${QUILLBOX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUILLBOX_PACKAGING}/${QUILLBOX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/images/src/quillbox_pro_logo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUILLBOX_APP_ID}.svg)
foreach(size 48 256)
  install(FILES ${QUILLBOX_PACKAGING}/icons/${size}x${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${QUILLBOX_APP_ID}.png)
endforeach()

# Manual pages, changelog and copyright the way Debian keeps them: compressed without a
# time stamp, so two builds of one source give one package.
find_program(QUILLBOX_GZIP gzip REQUIRED)
set(QUILLBOX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quillbox)
file(GLOB QUILLBOX_MAN_PAGES ${QUILLBOX_PACKAGING}/man/*.1)
set(QUILLBOX_COMPRESSED)
foreach(source ${QUILLBOX_MAN_PAGES} ${QUILLBOX_PACKAGING}/changelog)
  get_filename_component(name ${source} NAME)
  set(target ${CMAKE_CURRENT_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
    COMMAND ${QUILLBOX_GZIP} -9nc ${source} > ${target}
    DEPENDS ${source} VERBATIM)
  list(APPEND QUILLBOX_COMPRESSED ${target})
  if(name STREQUAL "changelog")
    install(FILES ${target} DESTINATION ${QUILLBOX_DOC_DIR})
  else()
    install(FILES ${target} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
add_custom_target(quillbox_packaging_files ALL DEPENDS ${QUILLBOX_COMPRESSED})
install(FILES ${QUILLBOX_PACKAGING}/copyright DESTINATION ${QUILLBOX_DOC_DIR})

# The Debian package (scripts/package). Library dependencies come from the binaries; the
# database driver is a plug-in the binaries do not link, and the server only recommended so a
# till that uses the shop's server needs none of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillbox)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quillbox Developers <dev@quillbox.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "point of sale and stock keeping for small shops")
# CPack puts the summary first and indents each line of the long description itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillbox runs the till of a small shop and keeps its stock: cashiers scan
items, take payment and print receipts; managers keep the catalogue, stock
batches with expiry dates, vendors, customers and purchase orders, and read
stock and sales reports. Several tills share one MariaDB server; where none
is set up, the program starts a private one for the user.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quillbox.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt5sql5-mysql")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "mariadb-server-core, mariadb-client-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "mariadb-client")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
