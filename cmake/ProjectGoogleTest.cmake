# GoogleTest from the sources that the distribution ships (package googletest), built with the
# project's own compiler, so that the same tests build natively and for Windows.
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${GOOGLETEST_SOURCE_DIR} (Debian package googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# Third-party code: its warnings are never ours to fail on. GCC 12 warns falsely (-Wrestrict) inside
# GoogleTest's own string handling at -O3; silenced so that a Release build prints no warning.
foreach(gtest_target gtest gtest_main gmock gmock_main)
  set_target_properties(${gtest_target} PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${gtest_target} PRIVATE -Wno-restrict)
  endif()
endforeach()

# A test program parses GoogleTest's headers (and any others given) once, not once per file: a good
# part of a small test file's compile time. GCC 12 then warns falsely (-Warray-bounds,
# -Wstringop-overflow, -Wrestrict) inside std::string's own copies, which it inlines differently:
# silenced in test programs only.
function(tassefiche_test_headers target)
  target_precompile_headers(${target} PRIVATE <gtest/gtest.h> ${ARGN})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow -Wno-restrict)
  endif()
endfunction()
