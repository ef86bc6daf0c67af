# cmake -DVERSION=<project version> -DSOURCE=<source folder> -P version_check.cmake
# Two copies of the version that the build does not write: the numbers that the about box shows and
# the program's manifest. A version changed in project() alone must not ship a program that names
# the old one.
file(READ ${SOURCE}/src/app/app_identity.h identity)
foreach(part Major Minor Revision)
  string(REGEX MATCH "kVersion${part} = ([0-9]+);" found "${identity}")
  list(APPEND numbers "${CMAKE_MATCH_1}")
endforeach()
list(JOIN numbers . identity_version)
file(READ ${SOURCE}/src/resources/tassefiche.manifest manifest)
string(REGEX MATCH "name=\"Tassefiche\" version=\"([0-9.]+)\"" found "${manifest}")
set(manifest_version "${CMAKE_MATCH_1}")
if(NOT identity_version STREQUAL VERSION OR NOT manifest_version STREQUAL "${VERSION}.0")
  message(FATAL_ERROR "The version is ${VERSION} (project() in CMakeLists.txt), but "
          "src/app/app_identity.h says \"${identity_version}\" and "
          "src/resources/tassefiche.manifest \"${manifest_version}\": change them together.")
endif()
message(STATUS "app_identity.h and tassefiche.manifest name version ${VERSION}")
