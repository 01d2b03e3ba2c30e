# Qt's headers are most of what each file costs to compile; a target parses them once.
option(VESKEL_PRECOMPILE "Precompile the headers shared by the files of each target" ON)

# veskel_precompile(target Common|Tests)
function(veskel_precompile target set)
  if(VESKEL_PRECOMPILE)
    target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/precompiled/${set}.h)
  endif()
endfunction()
