# The Debian package: `cmake --build BUILD --target package` (or scripts/package.sh) writes
# kroda_<version>_<arch>.deb. The layout follows the Debian games policy: the game folder, where
# the programs stand and read their resources, is /usr/lib/games/kroda; the data that is the
# same on every architecture lives in /usr/share/games/kroda and the game folder links to it.
# The programs find their folder from their own executable (links resolved), so the
# launchers in /usr/games are links too.

include(GNUInstallDirs)

set(KRODA_PROGRAMS kroda kroda-board kroda-headless)
set(KRODA_DATA_FILES KovarT.dat Treasure.crd Fortune.crd)
set(KRODA_DATA_FOLDERS Image RsCommon Rs256 Rs64K Sound help)
set(game_folder lib/games/kroda)
set(data_folder share/games/kroda)

install(TARGETS ${KRODA_PROGRAMS} RUNTIME DESTINATION ${game_folder})
# A stripped install also drops the compiler's comment and note sections, as Debian's own
# packaging tools do.
set(strip_lines)
foreach(program ${KRODA_PROGRAMS})
  string(APPEND strip_lines "execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
    --remove-section=.note \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${game_folder}/${program}\")\n")
endforeach()
install(CODE "if(CMAKE_INSTALL_DO_STRIP)\n${strip_lines}endif()")
list(TRANSFORM KRODA_DATA_FILES PREPEND ${KRODA_GAME_DIR}/ OUTPUT_VARIABLE data_paths)
install(FILES ${data_paths} DESTINATION ${data_folder})
foreach(folder ${KRODA_DATA_FOLDERS})
  install(DIRECTORY ${KRODA_GAME_DIR}/${folder} DESTINATION ${data_folder}
          FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
          DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
endforeach()

# Relative links, made in the staging root so that they never point into the build tree.
set(link_lines)
foreach(item ${KRODA_DATA_FILES} ${KRODA_DATA_FOLDERS})
  string(APPEND link_lines
         "file(CREATE_LINK ../../../${data_folder}/${item} \${root}/${game_folder}/${item} SYMBOLIC)\n")
endforeach()
foreach(program ${KRODA_PROGRAMS})
  string(APPEND link_lines
         "file(CREATE_LINK ../${game_folder}/${program} \${root}/games/${program} SYMBOLIC)\n")
endforeach()
install(CODE "set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
file(MAKE_DIRECTORY \${root}/games)
${link_lines}")

# Desktop integration and documentation.
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${packaging_dir}/org.kroda.Kroda.desktop DESTINATION share/applications)
install(FILES ${packaging_dir}/org.kroda.Kroda.metainfo.xml DESTINATION share/metainfo)
foreach(size ${KRODA_ICON_SIZES})
  install(FILES ${KRODA_ICON_DIR}/${size}x${size}/apps/kroda.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${packaging_dir}/copyright DESTINATION share/doc/kroda)

# Manual pages and the changelog go in compressed, without time stamps, as Debian wants them.
set(compressed_dir ${CMAKE_BINARY_DIR}/packaging)
set(compressed)
foreach(source man/kroda.6 man/kroda-board.6 man/kroda-headless.6 changelog)
  get_filename_component(name ${source} NAME)
  set(output ${compressed_dir}/${name}.gz)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${compressed_dir}
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${packaging_dir}/${source} ${output}
    DEPENDS ${packaging_dir}/${source}
    VERBATIM)
  list(APPEND compressed ${output})
endforeach()
add_custom_target(kroda_package_files ALL DEPENDS ${compressed})
install(FILES ${compressed_dir}/kroda.6.gz ${compressed_dir}/kroda-board.6.gz
              ${compressed_dir}/kroda-headless.6.gz DESTINATION share/man/man6)
install(FILES ${compressed_dir}/changelog.gz DESTINATION share/doc/kroda)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kroda)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The maintainer, the home page and the screenshot's address (packaging/*.metainfo.xml) stand
# in until the game has a publisher of its own: docs/packaging.md lists what to set.
set(CPACK_PACKAGE_CONTACT "The Kroda developers <maintainers@kroda.example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kroda.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Thai property-trading board game")
set(CPACK_PACKAGE_DESCRIPTION
    "Kroda is a property-trading board game in Thai for two to four players,
who share one keyboard and mouse; any of them may be played by the
computer. The narrator tells every event while the players throw the
dice, walk a ring of 40 squares, buy land, build houses and a hotel, pay
rent, tax and fines and draw treasure and fortune cards. The last player
left wins.

The package also holds kroda-board, which builds and checks boards, and
kroda-headless, which plays the game without windows from a script.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Appended to what dpkg-shlibdeps finds: the synthesiser, which the game opens only when music
# is chosen, so that dpkg-shlibdeps cannot see it; Qt WebSockets for network play, named here
# until the game program links the network library; the Thai fonts every text is set in; and a
# General MIDI soundfont for the background music.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libfluidsynth3, libqt6websockets6, fonts-thai-tlwg, timgm6mb-soundfont | sf2-soundfont-gm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
include(CPack)
