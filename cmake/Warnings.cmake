# Warnings as errors for every target of ours; third-party code (GoogleTest, zlib) is left alone.
function(tassefiche_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor
    -Wold-style-cast -Woverloaded-virtual -Wnull-dereference -Wformat=2 -Werror)
endfunction()
