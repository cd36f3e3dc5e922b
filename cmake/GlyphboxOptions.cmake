# The flags every Glyphbox target is built with: warnings, the
# floating-point rule of the window's arithmetic and the sanitizers. Each
# target links it PRIVATE and only while it is built here, so nothing of it
# reaches a program that uses the installed libraries.
add_library(glyphbox_options INTERFACE)
add_library(Glyphbox::options ALIAS glyphbox_options)

target_compile_options(glyphbox_options INTERFACE
  -Wall -Wextra -Wpedantic
  # The correlation's arithmetic is defined step by step in double precision;
  # a fused multiply-add would round differently and move dates by a day.
  -ffp-contract=off)

if(GLYPHBOX_SANITIZE)
  target_compile_options(glyphbox_options INTERFACE
    -fsanitize=${GLYPHBOX_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(glyphbox_options INTERFACE -fsanitize=${GLYPHBOX_SANITIZE})
endif()

if(GLYPHBOX_BUILD_FUZZ)
  # Coverage feedback for the fuzzers from every library, not only the targets.
  target_compile_options(glyphbox_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# glyphbox_add_library(<name> <source>...): the library glyphbox_<name>,
# Glyphbox::<name> in the tree as in the installed package, in C++20, with
# its public headers in include/ beside its CMakeLists.txt.
function(glyphbox_add_library name)
  add_library(glyphbox_${name} ${ARGN})
  add_library(Glyphbox::${name} ALIAS glyphbox_${name})
  set_target_properties(glyphbox_${name} PROPERTIES EXPORT_NAME ${name})
  target_compile_features(glyphbox_${name} PUBLIC cxx_std_20)
  target_include_directories(glyphbox_${name} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_link_libraries(glyphbox_${name} PRIVATE $<BUILD_INTERFACE:Glyphbox::options>)
endfunction()

# glyphbox_add_executable(<name> <source>...): a program of this build, with its flags.
function(glyphbox_add_executable name)
  add_executable(${name} ${ARGN})
  target_compile_features(${name} PRIVATE cxx_std_20)
  target_link_libraries(${name} PRIVATE Glyphbox::options)
endfunction()
