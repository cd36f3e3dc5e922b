# Installs the Qt-free libraries for other C++ programs: their headers, the
# static libraries, a CMake package (find_package(Glyphbox) gives the imported
# targets Glyphbox::<name>) and a pkg-config file (glyphbox.pc). Everything
# goes into the install component "dev", packaged as libglyphbox-dev.
include(CMakePackageConfigHelpers)

set(GLYPHBOX_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Glyphbox)

# The options target carries this build's warnings and sanitizer flags and the
# version target a header generated into the build tree: both are for building
# Glyphbox itself and must not reach a program that uses the installed
# libraries. Wraps every link item naming such an INTERFACE target (also as
# $<LINK_ONLY:...>, the form a static library's private links take) in
# $<BUILD_INTERFACE:...>, and turns plain include directories, which point into
# the source tree, into build-only ones next to the installed include folder.
function(_glyphbox_make_usage_relocatable target exported_targets)
  get_target_property(items ${target} INTERFACE_LINK_LIBRARIES)
  if(items)
    set(kept "")
    foreach(item IN LISTS items)
      set(named "${item}")
      if(item MATCHES "^\\$<LINK_ONLY:([^<>]+)>$")
        set(named "${CMAKE_MATCH_1}")
      endif()
      set(build_only OFF)
      if(TARGET "${named}")
        get_target_property(type "${named}" TYPE)
        get_target_property(aliased "${named}" ALIASED_TARGET)
        if(NOT aliased)
          set(aliased "${named}")
        endif()
        if(type STREQUAL "INTERFACE_LIBRARY" AND NOT aliased IN_LIST exported_targets)
          set(build_only ON)
        endif()
      endif()
      if(build_only)
        list(APPEND kept "$<BUILD_INTERFACE:${item}>")
      else()
        list(APPEND kept "${item}")
      endif()
    endforeach()
    set_property(TARGET ${target} PROPERTY INTERFACE_LINK_LIBRARIES "${kept}")
  endif()

  get_target_property(dirs ${target} INTERFACE_INCLUDE_DIRECTORIES)
  set(kept "")
  if(dirs)
    foreach(dir IN LISTS dirs)
      if(dir MATCHES "^\\$<")
        list(APPEND kept "${dir}")
      else()
        list(APPEND kept "$<BUILD_INTERFACE:${dir}>")
      endif()
    endforeach()
  endif()
  list(APPEND kept "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>")
  set_property(TARGET ${target} PROPERTY INTERFACE_INCLUDE_DIRECTORIES "${kept}")
endfunction()

# glyphbox_install_libraries(<name>...): each <name> is the library target
# glyphbox_<name>, whose public headers are the folder include/ beside its
# CMakeLists.txt. List them in dependency order, each after the libraries it
# uses: the pkg-config file links them in the reverse order.
function(glyphbox_install_libraries)
  set(targets "")
  foreach(name IN LISTS ARGN)
    list(APPEND targets glyphbox_${name})
  endforeach()

  set(pc_libs "")
  foreach(name IN LISTS ARGN)
    set(target glyphbox_${name})
    _glyphbox_make_usage_relocatable(${target} "${targets}")
    # The public headers use C++20 (defaulted comparisons, <compare>).
    target_compile_features(${target} PUBLIC cxx_std_20)
    set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
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
