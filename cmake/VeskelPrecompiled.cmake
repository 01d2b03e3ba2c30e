# Qt's headers are most of what each file costs to compile; a target parses them once.
option(VESKEL_PRECOMPILE "Precompile the headers shared by the files of each target" ON)

# veskel_precompile(target Common|Tests)
# A unity build (CMAKE_UNITY_BUILD, as build.sh does it) already parses the headers once for each
# handful of files; a precompiled header per target would then cost more than it saves.
function(veskel_precompile target set)
  if(VESKEL_PRECOMPILE AND NOT CMAKE_UNITY_BUILD)
    target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/precompiled/${set}.h)
  endif()
endfunction()
