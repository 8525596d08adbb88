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

# lib3ds ships no CMake or pkg-config file. The MinGW cross build makes its own from Debian's
# lib3ds source package, once per build folder; everywhere else (Linux, MSVC with
# CMAKE_PREFIX_PATH) it is found where it is installed.
if(WIN32 AND MINGW AND CMAKE_CROSSCOMPILING)
    set(DOT3BUMP_LIB3DS_PREFIX ${CMAKE_BINARY_DIR}/_deps/lib3ds)
    if(NOT EXISTS ${DOT3BUMP_LIB3DS_PREFIX}/lib/lib3ds.a)
        message(STATUS "Building lib3ds for ${CMAKE_SYSTEM_NAME} into ${DOT3BUMP_LIB3DS_PREFIX}")
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
    find_path(LIB3DS_INCLUDE_DIR lib3ds/file.h REQUIRED
        PATHS ${DOT3BUMP_LIB3DS_PREFIX}/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    find_library(LIB3DS_LIBRARY NAMES 3ds REQUIRED
        PATHS ${DOT3BUMP_LIB3DS_PREFIX}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
else()
    find_path(LIB3DS_INCLUDE_DIR lib3ds/file.h REQUIRED)
    find_library(LIB3DS_LIBRARY NAMES 3ds lib3ds REQUIRED)
endif()
add_library(dot3bump_lib3ds INTERFACE)
target_include_directories(dot3bump_lib3ds SYSTEM INTERFACE ${LIB3DS_INCLUDE_DIR})
target_link_libraries(dot3bump_lib3ds INTERFACE ${LIB3DS_LIBRARY})
add_library(dot3bump::lib3ds ALIAS dot3bump_lib3ds)
