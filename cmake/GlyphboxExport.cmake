# Installs the Qt-free libraries for other C++ programs: their headers, the
# static libraries, a CMake package (find_package(Glyphbox) gives the imported
# targets Glyphbox::<name>) and a pkg-config file (glyphbox.pc). Everything
# goes into the install component "dev", packaged as libglyphbox-dev.
include(CMakePackageConfigHelpers)

set(GLYPHBOX_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Glyphbox)

# glyphbox_install_libraries(<name>...): each <name> is a library made by
# glyphbox_add_library. List them in dependency order, each after the
# libraries it uses: the pkg-config file links them in the reverse order.
function(glyphbox_install_libraries)
  set(targets "")
  set(pc_libs "")
  foreach(name IN LISTS ARGN)
    set(target glyphbox_${name})
    list(APPEND targets ${target})
    # Release builds of the converter use link-time optimisation, and GCC's
    # LTO objects hold only its intermediate code by default: a program that
    # links the installed archive without LTO, or with another compiler,
    # would find no machine code in it. Fat objects carry both. Compilers
    # without fat objects build the installed libraries without LTO.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -ffat-lto-objects)
    else()
      set_property(TARGET ${target} PROPERTY INTERPROCEDURAL_OPTIMIZATION_RELEASE OFF)
    endif()
    get_target_property(source_dir ${target} SOURCE_DIR)
    install(DIRECTORY ${source_dir}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
      COMPONENT dev FILES_MATCHING PATTERN "*.h")
    list(PREPEND pc_libs "-l$<TARGET_FILE_BASE_NAME:${target}>")
  endforeach()

  install(TARGETS ${targets} EXPORT GlyphboxTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
  install(EXPORT GlyphboxTargets NAMESPACE Glyphbox:: FILE GlyphboxTargets.cmake
    DESTINATION ${GLYPHBOX_CMAKE_PACKAGE_DIR} COMPONENT dev)

  set(generated ${PROJECT_BINARY_DIR}/generated/package)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/GlyphboxConfig.cmake.in
    ${generated}/GlyphboxConfig.cmake INSTALL_DESTINATION ${GLYPHBOX_CMAKE_PACKAGE_DIR})
  # The major version changes when the libraries' interfaces do.
  write_basic_package_version_file(${generated}/GlyphboxConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${generated}/GlyphboxConfig.cmake ${generated}/GlyphboxConfigVersion.cmake
    DESTINATION ${GLYPHBOX_CMAKE_PACKAGE_DIR} COMPONENT dev)

  # pkg-config finds prefix relative to the file itself, so the same file is
  # right in the package (/usr) and under any `cmake --install --prefix`.
  file(RELATIVE_PATH pc_to_prefix /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
  string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
  list(JOIN pc_libs " " GLYPHBOX_PC_LIBS)
  set(GLYPHBOX_PC_PREFIX "\${pcfiledir}/${pc_to_prefix}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/glyphbox.pc.in ${generated}/glyphbox.pc.in @ONLY)
  file(GENERATE OUTPUT ${generated}/glyphbox.pc INPUT ${generated}/glyphbox.pc.in)
  install(FILES ${generated}/glyphbox.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
    COMPONENT dev)
endfunction()
