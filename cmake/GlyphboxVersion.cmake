# The version as users see it: minor in two digits and build in four (6.06.0006).
function(glyphbox_pad out value width)
  string(LENGTH "${value}" len)
  math(EXPR missing "${width} - ${len}")
  set(pad "")
  if(missing GREATER 0)
    string(REPEAT "0" ${missing} pad)
  endif()
  set(${out} "${pad}${value}" PARENT_SCOPE)
endfunction()

glyphbox_pad(_minor "${PROJECT_VERSION_MINOR}" 2)
glyphbox_pad(_build "${PROJECT_VERSION_TWEAK}" 4)
set(GLYPHBOX_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${_minor}.${_build}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
  ${PROJECT_BINARY_DIR}/generated/glyphbox/version.h @ONLY)
add_library(glyphbox_version INTERFACE)
add_library(Glyphbox::version ALIAS glyphbox_version)
target_include_directories(glyphbox_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
