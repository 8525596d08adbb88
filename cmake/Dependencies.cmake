# Imported targets for the libraries the program uses, the same names on every platform:
# dot3bump::gl (OpenGL and GLU), dot3bump::lib3ds.

find_package(OpenGL REQUIRED)
add_library(dot3bump_gl INTERFACE)
if(WIN32)
    target_link_libraries(dot3bump_gl INTERFACE opengl32 glu32)
else()
    target_link_libraries(dot3bump_gl INTERFACE OpenGL::GL OpenGL::GLU)
endif()
add_library(dot3bump::gl ALIAS dot3bump_gl)

# lib3ds ships no CMake or pkg-config file. The MinGW cross build makes its own DLL from Debian's
# lib3ds source package, once per build folder; everywhere else (Linux, MSVC with
# CMAKE_PREFIX_PATH) it is found where it is installed.
if(WIN32 AND MINGW AND CMAKE_CROSSCOMPILING)
    set(DOT3BUMP_LIB3DS_PREFIX ${CMAKE_BINARY_DIR}/_deps/lib3ds)
    # The import library marks a finished build; a folder from the days of a static lib3ds
    # (lib/lib3ds.a) is this build's own and is made again, since the script installs only into
    # a new or empty folder.
    if(NOT EXISTS ${DOT3BUMP_LIB3DS_PREFIX}/lib/lib3ds.dll.a)
        message(STATUS "Building lib3ds for ${CMAKE_SYSTEM_NAME} into ${DOT3BUMP_LIB3DS_PREFIX}")
        file(REMOVE_RECURSE ${DOT3BUMP_LIB3DS_PREFIX})
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env
                CC=${CMAKE_C_COMPILER} AR=${CMAKE_AR} RANLIB=${CMAKE_RANLIB}
                bash ${CMAKE_CURRENT_LIST_DIR}/../tools/build-lib3ds-mingw.sh
                ${DOT3BUMP_LIB3DS_PREFIX}
            RESULT_VARIABLE lib3ds_result)
        if(NOT lib3ds_result EQUAL 0)
            message(FATAL_ERROR "tools/build-lib3ds-mingw.sh failed (${lib3ds_result})")
        endif()
    endif()
    file(GLOB lib3ds_dll ${DOT3BUMP_LIB3DS_PREFIX}/bin/lib3ds*.dll)
    list(LENGTH lib3ds_dll lib3ds_dll_count)
    if(NOT lib3ds_dll_count EQUAL 1)
        message(FATAL_ERROR "expected one lib3ds DLL in ${DOT3BUMP_LIB3DS_PREFIX}/bin, found "
            "${lib3ds_dll_count}: delete ${DOT3BUMP_LIB3DS_PREFIX} to build it again")
    endif()
    add_library(dot3bump_lib3ds SHARED IMPORTED GLOBAL)
    set_target_properties(dot3bump_lib3ds PROPERTIES
        IMPORTED_LOCATION ${lib3ds_dll}
        IMPORTED_IMPLIB ${DOT3BUMP_LIB3DS_PREFIX}/lib/lib3ds.dll.a
        INTERFACE_INCLUDE_DIRECTORIES ${DOT3BUMP_LIB3DS_PREFIX}/include)
    cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL dot3bump_copy_lib3ds_dll)
else()
    find_path(LIB3DS_INCLUDE_DIR lib3ds/file.h REQUIRED)
    find_library(LIB3DS_LIBRARY NAMES 3ds lib3ds REQUIRED)
    add_library(dot3bump_lib3ds INTERFACE)
    target_include_directories(dot3bump_lib3ds SYSTEM INTERFACE ${LIB3DS_INCLUDE_DIR})
    target_link_libraries(dot3bump_lib3ds INTERFACE ${LIB3DS_LIBRARY})
endif()
add_library(dot3bump::lib3ds ALIAS dot3bump_lib3ds)

# Windows looks for a program's DLLs in the program's own folder first, so the DLL is copied into
# every folder of this build that holds an executable: each then runs from where it was built,
# under Wine too, with nothing on the path. Called once every folder has made its targets.
function(dot3bump_copy_lib3ds_dll)
    set(directories ${CMAKE_SOURCE_DIR})
    set(folders "")
    set(executables "")
    while(directories)
        list(POP_FRONT directories directory)
        get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
        list(APPEND directories ${subdirectories})
        get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target ${targets})
            get_target_property(type ${target} TYPE)
            if(NOT type STREQUAL EXECUTABLE)
                continue()
            endif()
            get_target_property(folder ${target} RUNTIME_OUTPUT_DIRECTORY)
            if(NOT folder)
                get_target_property(folder ${target} BINARY_DIR)
            endif()
            list(APPEND folders ${folder})
            list(APPEND executables ${target})
        endforeach()
    endwhile()
    list(REMOVE_DUPLICATES folders)
    get_target_property(dll dot3bump_lib3ds IMPORTED_LOCATION)
    get_filename_component(name ${dll} NAME)
    set(copies "")
    foreach(folder ${folders})
        add_custom_command(OUTPUT ${folder}/${name}
            COMMAND ${CMAKE_COMMAND} -E copy ${dll} ${folder}/${name}
            DEPENDS ${dll})
        list(APPEND copies ${folder}/${name})
    endforeach()
    add_custom_target(dot3bump_lib3ds_dll ALL DEPENDS ${copies})
    foreach(target ${executables})
        add_dependencies(${target} dot3bump_lib3ds_dll)
    endforeach()
endfunction()
