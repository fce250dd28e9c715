# SPDX-License-Identifier: GPL-3.0-or-later
# One static library per layer of src/, linking only the layers below it,
# so the linker holds the layers as tools/check_layers.py holds the includes.
#
#   ventoral_layer(NAME [QT_FREE] [LINKS lib...] [EXCLUDE file...])
#
# The library holds every .cpp of the folder the call stands in (a new file
# joins at the next build), less EXCLUDE. QT_FREE layers may link only other
# QT_FREE layers and libraries that are not Qt, so no Qt reaches them.
#
# Beside it stands NAME_link, a program made of every object of the layer
# and the layers it names, nothing above: a call that runs up the layers is
# an undefined reference there, whether or not anything calls it yet. The
# programs go into layer-links/ of the build folder and are built with the
# rest (`cmake --build build --target ventoral_layer_links` builds only them).

set(VENTORAL_LAYER_LINK_MAIN ${CMAKE_CURRENT_LIST_DIR}/layer_link_main.cpp)
if(NOT TARGET ventoral_layer_links)
  add_custom_target(ventoral_layer_links)
endif()

function(ventoral_layer name)
  cmake_parse_arguments(L "QT_FREE" "" "LINKS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(file IN LISTS L_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  endforeach()
  if(L_QT_FREE)
    get_property(qt_free GLOBAL PROPERTY VENTORAL_QT_FREE_LAYERS)
    foreach(lib IN LISTS L_LINKS)
      if(lib MATCHES "^Qt" OR (lib MATCHES "^ventoral_" AND NOT lib IN_LIST qt_free))
        message(FATAL_ERROR "${name} builds without Qt, so it may not link ${lib}")
      endif()
    endforeach()
    set_property(GLOBAL APPEND PROPERTY VENTORAL_QT_FREE_LAYERS ${name})
  endif()

  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC ${L_LINKS})

  # The fuzzing build compiles for libFuzzer without linking its runtime
  # into anything but the fuzz targets, so it makes no link programs.
  if(NOT VENTORAL_FUZZ)
    add_executable(${name}_link ${VENTORAL_LAYER_LINK_MAIN} $<TARGET_OBJECTS:${name}>)
    target_link_libraries(${name}_link PRIVATE ${L_LINKS})
    set_target_properties(${name}_link PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer-links)
    add_dependencies(ventoral_layer_links ${name}_link)
  endif()
endfunction()
