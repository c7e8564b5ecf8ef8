# Where an installed buddycare puts its files, and the Debian package built from them.
include(GNUInstallDirs)

# Folders the same whatever the umask of whoever builds the package.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS buddycare_installed RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The game reads its interface description and pictures from ../share/buddycare beside the program.
install(FILES ${PROJECT_SOURCE_DIR}/resources/storyboard.json DESTINATION ${CMAKE_INSTALL_DATADIR}/buddycare)
file(GLOB BUDDYCARE_PICTURES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/resources/*.jpg ${PROJECT_SOURCE_DIR}/resources/*.png)
install(FILES ${BUDDYCARE_PICTURES} DESTINATION ${CMAKE_INSTALL_DATADIR}/buddycare)
file(GLOB BUDDYCARE_SOUNDS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/sounds/*.ogg)
install(FILES ${BUDDYCARE_SOUNDS} DESTINATION ${CMAKE_INSTALL_DATADIR}/buddycare/sounds)

install(FILES ${PROJECT_SOURCE_DIR}/data/buddycare.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/buddycare.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME app.buddycare.Buddycare.metainfo.xml)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Manual page and Debian documentation, compressed reproducibly.
find_program(GZIP_PROGRAM gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/data/buddycare.6 ${PROJECT_BINARY_DIR}/data/buddycare.6 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/changelog ${PROJECT_BINARY_DIR}/data/changelog @ONLY)
foreach(doc buddycare.6 changelog)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/data/${doc}.gz
    COMMAND ${GZIP_PROGRAM} -9nc ${PROJECT_BINARY_DIR}/data/${doc} > ${PROJECT_BINARY_DIR}/data/${doc}.gz
    DEPENDS ${PROJECT_BINARY_DIR}/data/${doc} VERBATIM)
endforeach()
add_custom_target(buddycare_docs ALL DEPENDS ${PROJECT_BINARY_DIR}/data/buddycare.6.gz ${PROJECT_BINARY_DIR}/data/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/data/buddycare.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_BINARY_DIR}/data/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME buddycare)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "practice game for children with type-1 diabetes")
set(CPACK_PACKAGE_DESCRIPTION "A buddy stands beside a simulated glucose reading and turns sad when
the reading leaves the 70-140 band. The child looks after it through
everyday care: a finger-stick check, the questions before an insulin dose,
the suggested dose and its delivery, a carb counter, a shop and a closet,
and settings behind a lock. Nothing is stored or sent. It is practice,
not medical advice.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The buddycare developers <developers@buddycare.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries come from dpkg-shlibdeps; the font and fontconfig's data are
# loaded at run time, and so are the sound and speech libraries, which it
# cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fontconfig, fonts-comic-neue | fonts-dejavu-core, libsdl2-mixer-2.0-0 (>= 2.6), libespeak-ng1, espeak-ng-data")
set(CPACK_STRIP_FILES ON)
# Every time inside the package is the time of the last commit, so two builds
# of one commit give the same bytes.
set(BUDDYCARE_SOURCE_DIR ${PROJECT_SOURCE_DIR})
configure_file(${PROJECT_SOURCE_DIR}/cmake/PackageTime.cmake.in ${PROJECT_BINARY_DIR}/PackageTime.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/PackageTime.cmake)
include(CPack)
