# Fails when a file includes against the layer order:
#   platform < link < firmware < model < ui < controller < startup < app, cli
# A layer may include its own folder and the ones below it; app and cli do not include each
# other; sim/ (the virtual lens) includes nothing of src/.
# Run as: cmake -DSOURCE_DIR=<repository> -P CheckLayers.cmake
set(layers platform link firmware model ui controller startup app cli)
set(rank_platform 0)
set(rank_link 1)
set(rank_firmware 2)
set(rank_model 3)
set(rank_ui 4)
set(rank_controller 5)
set(rank_startup 6)
set(rank_app 7)
set(rank_cli 7)

set(violations "")
function(check_file file layer)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"[a-z]+/")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([a-z]+)/.*" "\\1" target "${line}")
    if(NOT DEFINED rank_${target} OR target STREQUAL layer)
      continue()
    endif()
    if(layer STREQUAL "sim" OR rank_${target} GREATER_EQUAL rank_${layer})
      file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
      string(APPEND violations "\n  ${shown}: ${line}")
    endif()
  endforeach()
  set(violations "${violations}" PARENT_SCOPE)
endfunction()

foreach(layer IN LISTS layers)
  file(GLOB_RECURSE files "${SOURCE_DIR}/src/${layer}/*.h" "${SOURCE_DIR}/src/${layer}/*.cpp")
  foreach(file IN LISTS files)
    check_file("${file}" ${layer})
  endforeach()
endforeach()
file(GLOB_RECURSE files "${SOURCE_DIR}/sim/*.h" "${SOURCE_DIR}/sim/*.cpp")
foreach(file IN LISTS files)
  check_file("${file}" sim)
endforeach()

if(violations)
  message(FATAL_ERROR "Includes against the layer order (platform < link < firmware < model < ui"
                      " < controller < startup < app, cli; sim includes nothing of src):${violations}")
endif()
message(STATUS "Layers: every include runs downward")
