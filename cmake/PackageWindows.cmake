# The Windows release: a version resource in each executable, and the zip that
# `cmake --build --preset windows --target package` makes in the build folder,
# dot3bump-VERSION-win64.zip with one folder dot3bump-VERSION: the two executables, the lib3ds DLL
# beside them, the data files, README.txt and the licences, and under source/ what the LGPL asks
# for the DLL (the lib3ds source it was built from and the script that builds it).

foreach(target dot3bump dot3bump-assets)
    if(target STREQUAL dot3bump)
        set(rc_description "dot3bump: per-pixel Dot3 lighting with fixed-function OpenGL")
    else()
        set(rc_description "dot3bump-assets: makes and checks the data files of dot3bump")
    endif()
    set(rc_name ${target})
    configure_file(${CMAKE_CURRENT_LIST_DIR}/version.rc.in ${CMAKE_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/${target}.rc)
endforeach()

# The zip comes from the MinGW-w64 cross build, which builds the lib3ds DLL itself and takes the
# third-party licence texts from Debian's packages.
if(NOT (MINGW AND CMAKE_CROSSCOMPILING))
    return()
endif()

# Installed as the zip lays them out; CPack puts them under the top folder.
install(TARGETS dot3bump dot3bump-assets RUNTIME DESTINATION .)
get_target_property(lib3ds_dll dot3bump_lib3ds IMPORTED_LOCATION)
get_filename_component(lib3ds_dll_name ${lib3ds_dll} NAME)
install(PROGRAMS ${lib3ds_dll} DESTINATION .)
# Stripped as install(TARGETS) strips the executables, which it does for built targets only.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\"
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${lib3ds_dll_name}\"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()")
install(FILES
    ${CMAKE_BINARY_DIR}/cube.3ds ${CMAKE_BINARY_DIR}/sphere.3ds
    ${CMAKE_BINARY_DIR}/tex.bmp ${CMAKE_BINARY_DIR}/map_normal.bmp
    DESTINATION .)

# dot3bump_windows_text(SOURCE DESTINATION NAME): a text of the zip, with Windows's line ends:
# Notepad before Windows 10 1809 shows a text with Unix line ends as one line.
function(dot3bump_windows_text source destination name)
    file(READ ${source} text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    set(copy ${CMAKE_BINARY_DIR}/windows_texts/${destination}/${name})
    file(WRITE ${copy} "${text}")
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    install(FILES ${copy} DESTINATION ${destination})
endfunction()
dot3bump_windows_text(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt . README.txt)
dot3bump_windows_text(${PROJECT_SOURCE_DIR}/LICENSE . LICENSE)
dot3bump_windows_text(${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES.md . THIRD-PARTY-NOTICES.md)
dot3bump_windows_text(/usr/share/common-licenses/LGPL-2.1 licences LGPL-2.1.txt)
dot3bump_windows_text(/usr/share/doc/mingw-w64-x86-64-dev/copyright licences mingw-w64.txt)
dot3bump_windows_text(/usr/share/doc/gcc-mingw-w64-base/copyright licences gcc-runtime.txt)
# The lib3ds sources stay byte for byte what the .dsc's checksums name, and the script a Unix
# shell's.
install(DIRECTORY ${DOT3BUMP_LIB3DS_PREFIX}/src/ DESTINATION source)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/tools/build-lib3ds-mingw.sh DESTINATION source)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME dot3bump)
set(CPACK_PACKAGE_VENDOR "The dot3bump developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Named apart for the test, since include(CPack) leaves the source package's name in
# CPACK_PACKAGE_FILE_NAME.
set(DOT3BUMP_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/dot3bump-${PROJECT_VERSION}-win64.zip)
get_filename_component(CPACK_PACKAGE_FILE_NAME ${DOT3BUMP_WINDOWS_ZIP} NAME_WLE)
# The top folder is named without the platform, as users expect to find it after unpacking.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /dot3bump-${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
# A SHA-256 sum beside each package (NAME.sha256), for users to check what they downloaded.
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
