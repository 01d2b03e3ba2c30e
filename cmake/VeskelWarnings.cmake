# One place for the warning flags; every target of ours links it.
add_library(veskel_warnings INTERFACE)
target_compile_options(veskel_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
target_compile_definitions(veskel_warnings INTERFACE QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
# In a unity build GCC takes every file but the first of a piece for a header, and so warns of a
# test fixture in an unnamed namespace as if a header had declared it: not a fault in one file.
if(CMAKE_UNITY_BUILD AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(veskel_warnings INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-Wno-subobject-linkage>)
endif()

# veskel_library(name SOURCES ... LINKS ...): one library per source folder, includes rooted at src/.
function(veskel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LINKS} PRIVATE veskel_warnings)
  veskel_precompile(${name} Common)
endfunction()

# veskel_plugin(name OUTPUT file-name SOURCES ... LINKS ...): a shared object the program loads
# when first needed, beside the program in a build folder (installed into lib/veskel/). What it
# links in from our own libraries stays its own: none of their names are exported.
function(veskel_plugin name)
  cmake_parse_arguments(ARG "" "OUTPUT" "SOURCES;LINKS" ${ARGN})
  add_library(${name} MODULE ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} veskel_warnings)
  target_link_options(${name} PRIVATE -Wl,--exclude-libs,ALL)
  veskel_precompile(${name} Common)
  if(NOT VESKEL_SANITIZE) # clang leaves the sanitizers' runtime to the program
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${ARG_OUTPUT}
                        LIBRARY_OUTPUT_DIRECTORY ${VESKEL_PROGRAM_DIR})
  set_property(GLOBAL APPEND PROPERTY VESKEL_PLUGINS ${name})
endfunction()
