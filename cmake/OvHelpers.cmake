# ov_platform_sources(VAR dir): the .cpp files of dir that belong to this
# platform.
function(ov_platform_sources var dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  set(${var} ${sources} PARENT_SCOPE)
endfunction()

# ov_layer_library(NAME folder DEPS ...)
# Builds every .cpp of src/<folder> into the static library ov_<folder>.
# Files ending in _win32.cpp are built for Windows only, files ending in
# _posix.cpp everywhere else.
function(ov_layer_library folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  ov_platform_sources(sources ${CMAKE_CURRENT_SOURCE_DIR})
  add_library(ov_${folder} STATIC ${sources})
  target_include_directories(ov_${folder} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  if(ARG_DEPS)
    target_link_libraries(ov_${folder} PUBLIC ${ARG_DEPS})
  endif()
endfunction()
