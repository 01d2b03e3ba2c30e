# One place for the warning flags; every target of ours links it.
add_library(veskel_warnings INTERFACE)
target_compile_options(veskel_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
target_compile_definitions(veskel_warnings INTERFACE QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

# veskel_library(name SOURCES ... LINKS ...): one library per source folder, includes rooted at src/.
function(veskel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LINKS} PRIVATE veskel_warnings)
endfunction()
