# The project's version (project() in CMakeLists.txt) is written in one place. From it come the
# version records of the three Windows programs (through the generated header below), the MSI and
# the Debian package (packaging/CMakeLists.txt).
set(TASSEFICHE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tassefiche_version.h.in
               ${TASSEFICHE_GENERATED_DIR}/tassefiche_version.h @ONLY)
if(WIN32)
  # Only the resource compiler reads it.
  include_directories($<$<COMPILE_LANGUAGE:RC>:${TASSEFICHE_GENERATED_DIR}>)
endif()

# The MSI's upgrade code never changes: a later version finds this one by it and replaces it. The
# product code is new with each version, derived from the version so that builds agree.
set(TASSEFICHE_UPGRADE_CODE ED1BFD6C-84EC-41E0-966B-97C96EEE736C)
string(UUID TASSEFICHE_PRODUCT_CODE NAMESPACE ${TASSEFICHE_UPGRADE_CODE}
       NAME "Tassefiche ${PROJECT_VERSION} win64" TYPE SHA1 UPPER)

