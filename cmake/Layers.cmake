# The program's layers, lowest first. A layer may use the layers below it and never one above;
# math and platform share the bottom rank and do not use each other:
#
#   app      entry, settings reading, window making, message loop, window procedure
#   scene    models, draw, camera, frame driver, overlay
#   gfx      extensions, multisample format, render state, font, GL textures, bitmap messages
#   assets   bitmap loader, 3DS check and load, cube-map texels, vertex records (no GL)
#   state    the program-wide records
#   math  platform
#
# Each layer is one static library named dot3bump_<layer> (platform has several: its interface,
# the DIB decoder and the backend's pieces). At the end of configuration dot3bump_check_layers()
# refuses any library that links one of another layer at its own rank or above: such a build is
# never generated. tests/layers/include_layers_test.py checks the #include lines the same way.
set(DOT3BUMP_LAYER_RANKS math=0 platform=0 state=1 assets=2 gfx=3 scene=4 app=5 tools=6)

function(dot3bump_layer_rank layer result)
    foreach(entry ${DOT3BUMP_LAYER_RANKS})
        if(entry MATCHES "^${layer}=([0-9]+)$")
            set(${result} ${CMAKE_MATCH_1} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    message(FATAL_ERROR "${layer} is not a layer; the layers are ${DOT3BUMP_LAYER_RANKS}")
endfunction()

# dot3bump_mark_layer(TARGET LAYER): TARGET belongs to LAYER and is checked at the end.
function(dot3bump_mark_layer target layer)
    dot3bump_layer_rank(${layer} rank)
    set_target_properties(${target} PROPERTIES DOT3BUMP_LAYER ${layer})
    set_property(GLOBAL APPEND PROPERTY DOT3BUMP_LAYER_TARGETS ${target})
endfunction()

# dot3bump_layer(LAYER SOURCES globs... LINKS libraries...): the static library of a folder.
function(dot3bump_layer layer)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LINKS")
    list(TRANSFORM ARG_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
    file(GLOB sources CONFIGURE_DEPENDS ${ARG_SOURCES})
    add_library(dot3bump_${layer} STATIC ${sources})
    target_include_directories(dot3bump_${layer} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(dot3bump_${layer} PUBLIC ${ARG_LINKS})
    dot3bump_mark_layer(dot3bump_${layer} ${layer})
endfunction()

function(dot3bump_check_layers)
    get_property(targets GLOBAL PROPERTY DOT3BUMP_LAYER_TARGETS)
    foreach(target ${targets})
        get_target_property(layer ${target} DOT3BUMP_LAYER)
        dot3bump_layer_rank(${layer} rank)
        get_target_property(links ${target} LINK_LIBRARIES)
        get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
        foreach(link ${links} ${interface})
            if(NOT TARGET ${link})
                continue()
            endif()
            get_target_property(aliased ${link} ALIASED_TARGET)
            if(aliased)
                set(link ${aliased})
            endif()
            get_target_property(other ${link} DOT3BUMP_LAYER)
            if(NOT other OR other STREQUAL layer)
                continue()
            endif()
            dot3bump_layer_rank(${other} otherRank)
            if(NOT otherRank LESS rank)
                message(FATAL_ERROR "${target} (layer ${layer}) links ${link} (layer ${other}): "
                    "a layer may link only the layers below it (cmake/Layers.cmake)")
            endif()
        endforeach()
    endforeach()
endfunction()

# After everything else of the top-level CMakeLists.txt, whatever was added where.
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL dot3bump_check_layers)
