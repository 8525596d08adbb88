# The sources of the data-file generator, shared by the asset tool and by the host-built
# generator of cross builds. Pure C++ over lib3ds: no platform code, no OpenGL.
set(DOT3BUMP_GENERATOR_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/bmp_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/brick_pattern.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_bytes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/generate_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/generate_meshes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/generate_textures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/normal_map.cpp
    ${CMAKE_CURRENT_LIST_DIR}/write_3ds.cpp)
