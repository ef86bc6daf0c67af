# The warnings we hold our own targets to; third-party code (GoogleTest, zlib) is left alone.
# Warnings are errors in the presets and CI (CMAKE_COMPILE_WARNING_AS_ERROR), never in the targets
# themselves, so that a packager's plain build with another compiler still builds.
function(tassefiche_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor
    -Wold-style-cast -Woverloaded-virtual -Wnull-dereference -Wformat=2)
endfunction()
