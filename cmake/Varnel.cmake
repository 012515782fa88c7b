# Rules that every folder's CMakeLists.txt uses.
include(GoogleTest)

# The warnings every target of ours is compiled with.
add_library(varnel_warnings INTERFACE)
target_compile_options(varnel_warnings INTERFACE -Wall -Wextra)

# varnel_headers(<target> <folder> [<header>...])
# Lets <target>, and what links it, include the headers of <folder> (all of
# them, or only those listed) as "<folder>/<header>". Each target gets an
# include folder of its own, holding links to just these headers, so a
# source can include only what its target links; a layer that reaches past
# its links fails to compile.
function(varnel_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  set(links ${root}/${folder})
  # What an earlier configure left in the other form goes first (only links:
  # REMOVE unlinks a link and never follows it).
  if(IS_SYMLINK ${links})
    file(REMOVE ${links})
  elseif(IS_DIRECTORY ${links} AND NOT ARGN)
    file(REMOVE_RECURSE ${links})
  endif()
  if(ARGN)
    file(MAKE_DIRECTORY ${links})
    foreach(header IN LISTS ARGN)
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder}/${header} ${links}/${header} SYMBOLIC)
    endforeach()
  else()
    get_filename_component(parent ${links} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${links} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# varnel_test_suite(<name> LINKS <target>... [SOURCES <file>...]
#                   [DEFINITIONS <definition>...] [PREFIX <prefix>] [DISPLAY])
# One test program from the *_test.cpp files of the calling folder plus
# SOURCES. Each case becomes a ctest test, labelled with the folder's name;
# DISPLAY runs the cases on Qt's offscreen platform.
function(varnel_test_suite name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "DISPLAY" "PREFIX" "LINKS;SOURCES;DEFINITIONS")
  file(GLOB cases CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  add_executable(${name} ${cases} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LINKS} test_support GTest::gtest_main varnel_warnings)
  target_compile_definitions(${name} PRIVATE ${arg_DEFINITIONS})
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  varnel_headers(${name} ${folder})
  get_filename_component(label ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(properties LABELS ${label})
  if(arg_DISPLAY)
    list(APPEND properties ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    TEST_PREFIX "${arg_PREFIX}" PROPERTIES ${properties})
endfunction()
