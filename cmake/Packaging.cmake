# SPDX-License-Identifier: GPL-3.0-or-later
# Installation layout and the Debian package (cpack -G DEB in the build folder).
#
#   /usr/lib/chengmu/      the program and its character files, which it finds beside itself
#   /usr/bin/chengmu       a relative symlink to the program
#   /usr/share/chengmu/    the help texts, read from the current directory (the menu entry's
#                          Path), and the sample lessons in lessons/
#   /usr/share/applications, metainfo, icons/hicolor, man/man1, doc/chengmu
#
# The menu entry names the help texts' folder by its full path, so the package installs under
# /usr; see docs/packaging.md.

set(CHENGMU_APP_ID io.github.chengmu.Chengmu)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CHENGMU_SHARE_DIR ${CPACK_PACKAGING_INSTALL_PREFIX}/share/chengmu)
set(packaging_source ${CMAKE_SOURCE_DIR}/packaging)
set(packaging_build ${CMAKE_BINARY_DIR}/packaging)

find_program(HELP2MAN help2man REQUIRED)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)

# The program, its characters and the command on the PATH.
install(TARGETS chengmu chengmu-festival RUNTIME DESTINATION lib/chengmu)
install(TARGETS chengmu_speech chengmu_listening LIBRARY DESTINATION lib/chengmu)
install(FILES ${CMAKE_BINARY_DIR}/bin/ku.dat ${CMAKE_BINARY_DIR}/bin/nu.dat
              ${CMAKE_BINARY_DIR}/bin/fi.dat
        DESTINATION lib/chengmu)
file(MAKE_DIRECTORY ${packaging_build})
file(CREATE_LINK ../lib/chengmu/chengmu ${packaging_build}/chengmu SYMBOLIC)
install(FILES ${packaging_build}/chengmu DESTINATION bin)

# Help texts and lessons.
install(FILES ${CMAKE_SOURCE_DIR}/data/软件介绍.txt ${CMAKE_SOURCE_DIR}/data/使用帮助.txt
        DESTINATION share/chengmu)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/lessons DESTINATION share/chengmu)

# Menu entry and AppStream metainfo.
configure_file(${packaging_source}/${CHENGMU_APP_ID}.desktop.in
               ${packaging_build}/${CHENGMU_APP_ID}.desktop @ONLY)
configure_file(${packaging_source}/${CHENGMU_APP_ID}.metainfo.xml.in
               ${packaging_build}/${CHENGMU_APP_ID}.metainfo.xml @ONLY)
install(FILES ${packaging_build}/${CHENGMU_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${packaging_build}/${CHENGMU_APP_ID}.metainfo.xml DESTINATION share/metainfo)

# Icons: the SVG and PNGs rendered from it.
set(icon_source ${CMAKE_SOURCE_DIR}/art/icon.svg)
set(icons_made)
foreach(size 16 32 48 64 128 256)
  set(icon ${packaging_build}/icons/${size}x${size}/${CHENGMU_APP_ID}.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_build}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${icon} ${icon_source}
    DEPENDS ${icon_source}
    COMMENT "Rendering the ${size}x${size} icon"
    VERBATIM)
  list(APPEND icons_made ${icon})
  install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${icon_source} DESTINATION share/icons/hicolor/scalable/apps
        RENAME ${CHENGMU_APP_ID}.svg)

# Manual page from --help and --version; changelog and copyright as Debian wants them.
set(manual ${packaging_build}/chengmu.1.gz)
add_custom_command(
  OUTPUT ${manual}
  COMMAND ${HELP2MAN} --no-info --section=1
          "--name=practise spoken English with characters on the desktop"
          --output=${packaging_build}/chengmu.1 $<TARGET_FILE:chengmu>
  COMMAND ${GZIP} -n -9 -f ${packaging_build}/chengmu.1
  DEPENDS chengmu
  COMMENT "Writing the manual page chengmu.1"
  VERBATIM)
set(changelog ${packaging_build}/changelog.Debian.gz)
add_custom_command(
  OUTPUT ${changelog}
  COMMAND ${GZIP} -n -9 -c ${packaging_source}/changelog > ${changelog}
  DEPENDS ${packaging_source}/changelog
  COMMENT "Compressing the Debian changelog")
add_custom_target(package_files ALL DEPENDS ${icons_made} ${manual} ${changelog})
install(FILES ${manual} DESTINATION share/man/man1)
install(FILES ${packaging_source}/copyright ${changelog} DESTINATION share/doc/chengmu)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME chengmu)
set(CPACK_PACKAGE_CONTACT "The chengmu developers <chengmu@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "spoken English practice with characters on the desktop")
set(CPACK_PACKAGE_DESCRIPTION
    "Chengmu helps Chinese-speaking learners practise spoken English. Two pupils\n"
    "stand on the desktop and speak the English sentences of a lesson aloud in\n"
    "turn, while their host shows each Chinese translation in a thought balloon.\n"
    "A thin toolbar at the top edge of the screen opens lessons, speaks typed\n"
    "sentences, stops the characters and shows the help. Sample lessons are\n"
    "included.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not pull in: Qt's platform and SVG plugins, the fonts the windows name,
# the speech data of espeak-ng, festival's pupils' voice (with festival's own Scheme files), the
# recogniser's model and the tools that fit it to the learner's voice.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6svg6, fonts-arphic-uming, fonts-arphic-ukai, fonts-liberation, espeak-ng-data, festvox-us-slt-hts, pocketsphinx-en-us, pocketsphinx, sphinxtrain")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
