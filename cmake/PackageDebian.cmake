# The Debian packages, made by `cmake --build --preset linux --target package` from this build's
# own binaries: dot3bump (the game, its data and its command) and dot3bump-assets (the asset
# tool). The tool has a package of its own because its model importer, assimp, brings 12 MB of
# libraries (libassimp5, libdraco7) that a player does not need.
#
# The layout follows the games rules of Debian: the command in /usr/games, the program itself
# in /usr/lib/games/dot3bump, its data in /usr/share/games/dot3bump. The command is a script that
# finds the other two relative to itself, so a package unpacked anywhere runs as well.

set(debian_dir ${PROJECT_SOURCE_DIR}/packaging/debian)
set(debian_out ${CMAKE_BINARY_DIR}/packaging)

# Manual pages and changelogs are installed compressed, without the name and time that gzip
# would otherwise store, so that the same sources give the same package.
configure_file(${debian_dir}/dot3bump.6.in ${debian_out}/dot3bump.6 @ONLY)
configure_file(${debian_dir}/dot3bump-assets.1.in ${debian_out}/dot3bump-assets.1 @ONLY)
set(compressed)
foreach(source ${debian_out}/dot3bump.6 ${debian_out}/dot3bump-assets.1
        ${debian_dir}/changelog)
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${debian_out}/${name}.gz
        COMMAND gzip -9n -c ${source} > ${debian_out}/${name}.gz
        DEPENDS ${source}
        VERBATIM)
    list(APPEND compressed ${debian_out}/${name}.gz)
endforeach()
add_custom_target(dot3bump_debian_files ALL DEPENDS ${compressed})

install(PROGRAMS ${debian_dir}/dot3bump DESTINATION games COMPONENT game)
install(TARGETS dot3bump DESTINATION lib/games/dot3bump COMPONENT game)
set(data_files cube.3ds sphere.3ds tex.bmp map_normal.bmp)
list(TRANSFORM data_files PREPEND ${CMAKE_BINARY_DIR}/)
install(FILES ${data_files} DESTINATION share/games/dot3bump COMPONENT game)
install(FILES ${debian_dir}/dot3bump.desktop DESTINATION share/applications COMPONENT game)
foreach(size 48 256)
    install(FILES ${debian_dir}/dot3bump-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME dot3bump.png COMPONENT game)
endforeach()
install(FILES ${debian_out}/dot3bump.6.gz DESTINATION share/man/man6 COMPONENT game)

install(TARGETS dot3bump-assets DESTINATION bin COMPONENT assets)
install(FILES ${debian_out}/dot3bump-assets.1.gz DESTINATION share/man/man1 COMPONENT assets)

# Each package has its own copyright file and changelog. Without a separate upstream, the one
# changelog is changelog.gz, not changelog.Debian.gz.
install(FILES ${debian_dir}/copyright ${debian_out}/changelog.gz
    DESTINATION share/doc/dot3bump COMPONENT game)
install(FILES ${debian_dir}/copyright ${debian_out}/changelog.gz
    DESTINATION share/doc/dot3bump-assets COMPONENT assets)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dot3bump)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The dot3bump developers <dot3bump@users.noreply.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# A SHA-256 sum beside each package (NAME.sha256), for users to check what they downloaded.
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game assets)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SECTION games)

set(CPACK_DEBIAN_GAME_PACKAGE_NAME dot3bump)
set(CPACK_DEBIAN_GAME_PACKAGE_SUGGESTS dot3bump-assets)
set(CPACK_DEBIAN_GAME_DESCRIPTION "cube and sphere lit per pixel with Dot3 bump mapping
A cube and a sphere spin in front of a point light, lit per pixel by the
Dot3 (normal map) technique of fixed-function OpenGL: a normal map, a
normalization cube map and a colour texture combined by texture combiners
alone. An overlay shows the frame rate and which graphics capabilities the
driver offers; keys switch between the models and between the bumps, the
colours and both.

The command dot3bump shows the shipped scene, or the models and textures of
a folder given to it. The package dot3bump-assets makes such files from
models and height maps of your own.")

set(CPACK_DEBIAN_ASSETS_PACKAGE_NAME dot3bump-assets)
set(CPACK_DEBIAN_ASSETS_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_ASSETS_DESCRIPTION "make and check the data files of dot3bump
dot3bump draws two 3DS models, a colour texture and a normal map from the
folder it runs in. This tool writes the shipped files, imports models of
any format the Open Asset Import Library reads (OBJ, glTF, FBX, 3DS and
more) as 3DS files the program draws, makes normal maps from height maps,
and checks files with the very loaders the program uses.")

include(CPack)
