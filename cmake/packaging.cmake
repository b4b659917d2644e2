# What `cmake --install` puts beside the two programs on Linux, and the Debian package that
# CPack makes of it (scripts/package.sh). Included from the top CMakeLists.txt.
include(GNUInstallDirs)

set(PILE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/rockpile)

# Manual pages and the package's changelog, compressed as Debian wants them: gzip -9 without
# a name or a time stamp inside, so that two builds of one source give the same bytes.
set(compressed "")
foreach(page pilecalc.1 rockpile.1)
  set(out ${CMAKE_BINARY_DIR}/packaging/${page}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND gzip -9 -n -c ${PILE_ROOT}/docs/${page} > ${out}
    DEPENDS ${PILE_ROOT}/docs/${page}
    VERBATIM)
  list(APPEND compressed ${out})
  install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9 -n -c ${PILE_ROOT}/packaging/changelog > ${changelog}
  DEPENDS ${PILE_ROOT}/packaging/changelog
  VERBATIM)
list(APPEND compressed ${changelog})
add_custom_target(pile_compressed_docs ALL DEPENDS ${compressed})

install(FILES ${changelog} ${PILE_ROOT}/packaging/copyright DESTINATION ${PILE_DOC_DIR})
install(FILES ${PILE_ROOT}/docs/用户手册.md DESTINATION ${PILE_DOC_DIR})
install(DIRECTORY ${PILE_ROOT}/docs/screenshots DESTINATION ${PILE_DOC_DIR}
        FILES_MATCHING PATTERN "*.png")

set(CPACK_PACKAGE_NAME rockpile)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "rockpile project")
set(CPACK_PACKAGE_CONTACT "rockpile project <pile@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator of rock-socketed piles by DBJ 50-200-2014")
set(CPACK_PACKAGE_DESCRIPTION
    "嵌岩桩承载力计算: for one pile at a time, the characteristic value of
the vertical bearing capacity Ra and the compressive capacity of the shaft
Rc of a rock-socketed pile by the Chongqing standard DBJ 50-200-2014, with
the soil's down-drag and side resistance; the calculation book as text,
PDF and OpenDocument; a search over ranges of candidate piles. pilecalc
computes batches of piles from JSON Lines.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.invalid/rockpile/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the binaries do not name but the program needs at run time: the platform plugins of
# the window, the Chinese font of the books and the typeset books' Latin and Greek letters,
# and Qt's Chinese translations of its standard dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-arphic-uming, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
