# The child's language: one catalogue per language listed in po/LINGUAS,
# compiled into the build folder's locale/ (where the program in the build
# folder reads them) and installed under share/locale.
find_program(MSGFMT_PROGRAM msgfmt REQUIRED)
file(STRINGS ${PROJECT_SOURCE_DIR}/po/LINGUAS BUDDYCARE_LANGUAGES REGEX "^[^#]")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/po/LINGUAS)
set(BUDDYCARE_CATALOGUES)
foreach(lang ${BUDDYCARE_LANGUAGES})
  set(mo ${PROJECT_BINARY_DIR}/locale/${lang}/LC_MESSAGES/buddycare.mo)
  add_custom_command(OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/locale/${lang}/LC_MESSAGES
    COMMAND ${MSGFMT_PROGRAM} --check -o ${mo} ${PROJECT_SOURCE_DIR}/po/${lang}.po
    DEPENDS ${PROJECT_SOURCE_DIR}/po/${lang}.po VERBATIM)
  list(APPEND BUDDYCARE_CATALOGUES ${mo})
  install(FILES ${mo} DESTINATION ${CMAKE_INSTALL_DATADIR}/locale/${lang}/LC_MESSAGES)
endforeach()
add_custom_target(buddycare_catalogues ALL DEPENDS ${BUDDYCARE_CATALOGUES})

# After texts change: `cmake --build build --target update-po` gathers every
# message into po/buddycare.pot and merges it into each language's .po file.
find_program(XGETTEXT_PROGRAM xgettext)
find_program(MSGCAT_PROGRAM msgcat)
find_program(MSGMERGE_PROGRAM msgmerge)
add_custom_target(update-po
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DWORK_DIR=${PROJECT_BINARY_DIR}/po
          -DXGETTEXT=${XGETTEXT_PROGRAM} -DMSGCAT=${MSGCAT_PROGRAM} -DMSGMERGE=${MSGMERGE_PROGRAM}
          -P ${PROJECT_SOURCE_DIR}/cmake/UpdatePo.cmake
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)
